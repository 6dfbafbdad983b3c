#pragma once
// What one scan (of a page, or of a whole site) learns once and reuses: which paths are
// files, which folder each folder really is, and which fragment targets each page defines,
// so that a page that many fragments point to is read once and a file that many pages
// refer to is looked at once.

#include "insert/RelativePath.h"
#include "project/Anchors.h"
#include "project/FindLink.h"
#include "project/KeptTexts.h"
#include "project/PathTable.h"
#include "project/SiteFiles.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace orvanel::project {

// How references are taken out of a page: the exact forms the project manager knows, or
// the tolerant tokenizer of "orvanel links --any-form".
enum class ScanForm { Exact, AnyForm };

// One file, however many paths lead to it.
struct KnownFile {
    bool anchorsKnown = false;
    std::optional<AnchorSet> anchors;         // empty when known and the file could not be read
    bool queued = false;                      // for the site walk: the page is or was to be scanned
    std::optional<std::string_view> keptReferences; // of a page read early for its anchors, kept for its scan
};

// What a page's scan goes through: its text, read for it, or its references, kept by the
// session since an earlier read (see KeptReferences.h, and given back when this goes).
class PageTextHold {
public:
    explicit PageTextHold(std::string own) : own_(std::move(own)) {}
    PageTextHold(std::string_view keptReferences, KeptTexts& keeper) : kept_(keptReferences), keeper_(&keeper) {}
    PageTextHold(PageTextHold&& other) noexcept
        : own_(std::move(other.own_)), kept_(other.kept_), keeper_(std::exchange(other.keeper_, nullptr))
    {
    }
    PageTextHold& operator=(PageTextHold&&) = delete;
    ~PageTextHold()
    {
        if (keeper_)
            keeper_->release(kept_);
    }
    bool holdsReferences() const { return keeper_ != nullptr; }
    // The page's text, when it is held.
    std::string_view text() const { return keeper_ ? std::string_view() : std::string_view(own_); }
    // The references kept, when they are held.
    std::string_view references() const { return kept_; }

private:
    std::string own_;
    std::string_view kept_;
    KeptTexts* keeper_ = nullptr;
};

// One path looked at.
struct CheckedPath {
    FileCheck check;
    std::string_view path;             // the path looked at
    KnownFile* file = nullptr;         // when check.state is FileState::File
    // What the file's record holds for good once known, kept with the path too, as a scan
    // meets the path again and again and the file's record is further away in memory: its
    // fragment targets, and, for the site walk, that its page is queued or is no page.
    mutable const AnchorSet* anchors = nullptr;
    mutable bool walked = false;
};

class ScanSession {
public:
    ScanSession(SiteFiles& files, ScanForm form = ScanForm::Exact,
                insert::PathStyle style = insert::nativePathStyle());
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;

    SiteFiles& files() { return files_; }
    ScanForm form() const { return form_; }
    // What takes the references out of a page's text in this session's form.
    std::unique_ptr<ReferenceFinder> finderFor(std::string_view pageText) const;
    insert::PathStyle style() const { return style_; }

    // CheckFileExists without its message.
    const CheckedPath& check(std::string_view path) { return check(path, pathHash(path)); }
    // The same, with the path's pathHash.
    const CheckedPath& check(std::string_view path, std::uint64_t hash);
    static std::uint64_t pathHash(std::string_view path) { return PathTable<CheckedPath>::hashOf(path); }
    // Hints that the check of a path (by its pathHash) is to come: first for the memory where
    // its look-up starts, then, once that is at hand, for where it leads. Nothing changes.
    void expectCheck(std::uint64_t hash) const { paths_.prefetchSlot(hash); }
    void expectCheckSoon(std::uint64_t hash) const { paths_.prefetchEntry(hash); }
    // The folder without "." and ".." steps and symbolic links, with its trailing "/";
    // empty when it cannot be had.
    const std::string& canonicalFolder(const std::string& folder);
    // The fragment targets of an existing file, read once; nullptr when it cannot be read.
    const AnchorSet* anchorsOf(const CheckedPath& target);
    // The fragment targets of a page whose text is at hand.
    const AnchorSet& anchorsInText(std::string_view pageText, KnownFile& file);
    // For the site walk, which scans every page it reaches: a page read for its fragment
    // targets keeps its text for its own scan even when it is not queued yet (a fragment is
    // checked before its reference is handed on, and so before the walk queues its page).
    void keepEarlyTexts() { keepEarlyTexts_ = true; }
    // ReadPageText, or the references of a queued page that was read for its anchors before
    // its turn came (kept up to a bound on their total size).
    std::optional<PageTextHold> pageText(const std::string& path);

private:
    AnchorSet namesIn(std::string_view pageText) const;

    SiteFiles& files_;
    ScanForm form_;
    insert::PathStyle style_;
    PathTable<CheckedPath> paths_;
    std::unordered_map<FileId, KnownFile, FileIdHash> filesById_;
    std::unordered_map<std::string, std::string> folders_;
    std::size_t keptListBytes_ = 0;
    KeptTexts keptTexts_;
    std::string list_; // a page's references being listed
    bool keepEarlyTexts_ = false;
};

} // namespace orvanel::project
