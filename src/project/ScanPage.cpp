#include "project/ScanPage.h"

#include "project/AnyForm.h"
#include "project/FindLink.h"
#include "project/PageText.h"
#include "project/ResolveLink.h"

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

    std::unique_ptr<ReferenceFinder> finder;
    if (session.form() == ScanForm::Exact)
        finder = std::make_unique<LinkFinder>(text);
    else
        finder = std::make_unique<AnyFormFinder>(text);

    FoundReference found;
    ResolvedLink link;
    std::string key;
    while (finder->next(found)) {
        ResolveLink(found.text, folder, pagePath, session.style(), link);
        std::string_view kind = found.kind;
        LinkState state = LinkState::File;
        std::int32_t icon = kBrokenIcon;
        const CheckedPath* file = nullptr;
        if (link.path == kUrlPath) {
            state = LinkState::WebAddress;
            icon = kUrlIcon;
        } else {
            if (!canonicalFolder.empty() && link.path.starts_with(folder))
                fileKey(canonicalFolder, std::string_view(link.path).substr(folder.size()), key);
            else
                key = link.path;
            file = &session.check(key);
            if (!file->file)
                file = nullptr;
        }
        if (file) {
            if (link.hasFragment) {
                if (!selfLooked) {
                    self = session.check(pagePath).file;
                    selfLooked = true;
                }
                const AnchorSet* anchors =
                    file->file == self ? &session.anchorsInText(text, *file->file) : session.anchorsOf(*file);
                if (!anchors)
                    return {ScanResult::Outcome::Unreadable, link.path};
                if (!anchorDefined(*anchors, link.fragment))
                    state = LinkState::AnchorMissing;
                kind = "href";
            }
            if (state == LinkState::File) {
                icon = list.FindExtensionIcon(extensionOf(link.path, session.style()));
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
        const LinkRecord& record = list.Add(missing ? std::string_view() : std::string_view(link.path), kind, icon);
        sink.entry(ScanEntry{link.display(), record, found.text, state, file,
                             missing ? std::string_view(link.path) : std::string_view()});
    }
    return {};
}

} // namespace orvanel::project
