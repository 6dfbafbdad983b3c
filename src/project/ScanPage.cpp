#include "project/ScanPage.h"

#include "project/FindLink.h"
#include "project/KeptReferences.h"
#include "project/PageText.h"
#include "project/ResolveLink.h"

#include <array>

namespace orvanel::project {

namespace {

// The path a local reference reaches, with the "./" and "../" steps at its start taken off
// the page's folder. That is exact only because `canonicalFolder` has no symbolic links
// (the ".." of a linked folder leads to the parent of its target): it serves as the key
// under which the session remembers the file, so that the many ways pages write the same
// reference cost one look at the disk.
void fileKey(const std::string& canonicalFolder, std::string_view rest, std::string& key)
{
    key = canonicalFolder;
    for (;;) {
        if (rest.starts_with("./")) {
            rest.remove_prefix(2);
        } else if (rest.starts_with("../")) {
            rest.remove_prefix(3);
            if (key.size() > 1) {
                key.pop_back();
                key.resize(key.rfind('/') + 1);
            }
        } else {
            break;
        }
    }
    key += rest;
}

// The references of a page a few ahead of their turn, resolved, with the memory of their
// look-ups asked for early: a site's table of paths outgrows the processor's caches, and so
// the look-ups of the next references overlap the work on this one. Nothing is looked at on
// disk before a reference's turn.
class LookAhead {
public:
    struct Reference {
        FoundReference found;
        std::string ownText;    // the found text, when the finder's next call would change it
        ResolvedLink link;
        std::string key;        // the path the session remembers the file under, when not the link's path
        std::string_view keyView; // that path
        std::uint64_t hash = 0; // of key
        bool local = false;     // a file, not an address
    };

    LookAhead(ReferenceFinder& finder, ScanSession& session, const std::string& folder,
              const std::string& canonicalFolder, const std::string& page)
        : finder_(finder), session_(session), folder_(folder), canonicalFolder_(canonicalFolder), page_(page),
          sameFolder_(canonicalFolder == folder)
    {
    }

    // The next reference, valid until the next call; nullptr when none is left.
    Reference* next()
    {
        if (taken_) {
            head_ = (head_ + 1) % kAhead;
            --count_;
        }
        while (more_ && count_ < kAhead) {
            Reference& r = ring_[(head_ + count_) % kAhead];
            if (!(more_ = take(r)))
                break;
            if (r.local)
                session_.expectCheck(r.hash);
            ++count_;
        }
        taken_ = count_ > 0;
        if (!taken_)
            return nullptr;
        // The slot of the last is on its way; the entry of the next is asked for now.
        if (count_ > 1)
            if (const Reference& soon = ring_[(head_ + 1) % kAhead]; soon.local)
                session_.expectCheckSoon(soon.hash);
        return &ring_[head_];
    }

private:
    static constexpr std::size_t kAhead = 3;

    bool take(Reference& r)
    {
        if (!finder_.next(r.found))
            return false;
        if (!finder_.textsStay()) {
            r.ownText.assign(r.found.text);
            r.found.text = r.ownText;
        }
        ResolveLink(r.found.text, folder_, page_, session_.style(), r.link);
        r.local = r.link.path != kUrlPath;
        if (r.local) {
            r.keyView = r.link.path;
            if (!canonicalFolder_.empty() && r.link.path.starts_with(folder_)) {
                const std::string_view rest = std::string_view(r.link.path).substr(folder_.size());
                // In a folder that is its own canonical form, a path without steps at its
                // start is its own key.
                if (!sameFolder_ || rest.starts_with("./") || rest.starts_with("../")) {
                    fileKey(canonicalFolder_, rest, r.key);
                    r.keyView = r.key;
                }
            }
            r.hash = ScanSession::pathHash(r.keyView);
        }
        return true;
    }

    ReferenceFinder& finder_;
    ScanSession& session_;
    const std::string& folder_;
    const std::string& canonicalFolder_;
    const std::string& page_;
    bool sameFolder_;
    std::array<Reference, kAhead> ring_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    bool more_ = true;
    bool taken_ = false;
};

} // namespace

ScanResult ScanPage(const LinkRecord& page, LinkList& list, FileIconSource& icons, ScanSink& sink,
                    ScanSession& session)
{
    if (page.Path.empty() || page.Path == kUrlPath)
        return {};
    const std::string pagePath(page.Path);
    const std::optional<PageTextHold> held = session.pageText(pagePath);
    if (!held)
        return {ScanResult::Outcome::Unreadable, pagePath};
    const std::string_view text = held->text();
    const std::string folder = insert::folderOf(pagePath, session.style());
    const std::string noFolder;
    const std::string& canonicalFolder =
        session.style() == insert::PathStyle::Posix ? session.canonicalFolder(folder) : noFolder;
    const KnownFile* self = nullptr;
    bool selfLooked = false;

    const std::unique_ptr<ReferenceFinder> finder = held->holdsReferences()
        ? std::make_unique<KeptReferenceFinder>(held->references())
        : session.finderFor(text);

    LookAhead references(*finder, session, folder, canonicalFolder, pagePath);
    while (LookAhead::Reference* next = references.next()) {
        const FoundReference& found = next->found;
        const ResolvedLink& link = next->link;
        std::string_view kind = found.kind;
        LinkState state = LinkState::File;
        std::int32_t icon = kBrokenIcon;
        std::int32_t sharedIcon = kNoIconFound;
        const CheckedPath* file = nullptr;
        if (!next->local) {
            state = LinkState::WebAddress;
            icon = kUrlIcon;
        } else {
            file = &session.check(next->keyView, next->hash);
            if (!file->file)
                file = nullptr;
        }
        const std::string_view extension = extensionOf(link.path, session.style());
        if (file) {
            if (link.hasFragment) {
                if (!selfLooked) {
                    self = session.check(pagePath).file;
                    selfLooked = true;
                }
                const AnchorSet* anchors = file->anchors;
                if (!anchors) {
                    // A page whose references were kept had its anchors taken with them.
                    anchors = file->file == self && !held->holdsReferences() ? &session.anchorsInText(text, *file->file)
                                                                             : session.anchorsOf(*file);
                    if (!anchors)
                        return {ScanResult::Outcome::Unreadable, link.path};
                    file->anchors = anchors;
                }
                if (!anchorDefined(*anchors, link.fragment))
                    state = LinkState::AnchorMissing;
                kind = "href";
            }
            if (state == LinkState::File) {
                icon = sharedIcon = list.FindExtensionIcon(extension);
                if (icon == kNoIconFound)
                    icon = SetIcon(icons, link.path);
            }
        } else if (state != LinkState::WebAddress) {
            if (link.hasFragment) {
                sink.fragmentToMissingFile(found.text, found.kind, link.path);
                continue;
            }
            state = LinkState::Missing;
        }
        const bool missing = state == LinkState::Missing;
        const LinkRecord& record = missing ? list.Add({}, kind, icon, {}) : list.Add(link.path, kind, icon, extension, sharedIcon);
        sink.entry(ScanEntry{link.display(), record, found.text, state, file,
                             missing ? std::string_view(link.path) : std::string_view()});
    }
    return {};
}

} // namespace orvanel::project
