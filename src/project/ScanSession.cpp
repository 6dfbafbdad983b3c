#include "project/ScanSession.h"

#include "project/AnyForm.h"
#include "project/KeptReferences.h"
#include "project/PageText.h"

#include <utility>

namespace orvanel::project {

namespace {

// What the references of queued pages may take: the site walk then reads most pages once even
// when fragments point at them before their turn, and its memory stays bounded.
constexpr std::size_t kKeptListLimit = 64u << 20;
// The memory they are kept in, which may hold some that are no longer needed.
constexpr std::size_t kKeptListMemory = 96u << 20;

} // namespace

ScanSession::ScanSession(SiteFiles& files, ScanForm form, insert::PathStyle style)
    : files_(files), form_(form), style_(style), keptTexts_(kKeptListMemory)
{
}

const CheckedPath& ScanSession::check(std::string_view path, std::uint64_t hash)
{
    const auto [entry, added] = paths_.findOrAdd(path, hash);
    CheckedPath& checked = entry->value;
    if (added) {
        checked.check = files_.check(std::string(path));
        checked.path = entry->path();
        if (checked.check.state == FileState::File)
            checked.file = &filesById_[checked.check.id];
    }
    return checked;
}

const std::string& ScanSession::canonicalFolder(const std::string& folder)
{
    auto it = folders_.find(folder);
    if (it == folders_.end()) {
        std::string real = files_.canonical(folder).value_or(std::string());
        if (!real.empty() && !real.ends_with('/'))
            real += '/';
        it = folders_.emplace(folder, std::move(real)).first;
    }
    return it->second;
}

std::unique_ptr<ReferenceFinder> ScanSession::finderFor(std::string_view pageText) const
{
    if (form_ == ScanForm::Exact)
        return std::make_unique<LinkFinder>(pageText);
    return std::make_unique<AnyFormFinder>(pageText);
}

AnchorSet ScanSession::namesIn(std::string_view pageText) const
{
    if (form_ == ScanForm::Exact)
        return AnchorSet(exactFormAnchorNames(pageText));
    return AnchorSet(anyFormAnchorNames(pageText));
}

const AnchorSet* ScanSession::anchorsOf(const CheckedPath& target)
{
    KnownFile& file = *target.file;
    if (!file.anchorsKnown) {
        if (std::optional<std::string> text = ReadCheckedPageText(files_, std::string(target.path))) {
            file.anchors = namesIn(*text);
            if (file.queued || keepEarlyTexts_) {
                list_.clear();
                if (listReferences(*finderFor(*text), list_) && keptListBytes_ + list_.size() <= kKeptListLimit)
                    if ((file.keptReferences = keptTexts_.keep(list_)))
                        keptListBytes_ += list_.size();
            }
        }
        file.anchorsKnown = true;
    }
    return file.anchors ? &*file.anchors : nullptr;
}

std::optional<PageTextHold> ScanSession::pageText(const std::string& path)
{
    KnownFile* file = check(path).file;
    if (file && file->keptReferences) {
        const std::string_view kept = *std::exchange(file->keptReferences, std::nullopt);
        keptListBytes_ -= kept.size();
        return PageTextHold(kept, keptTexts_);
    }
    std::optional<std::string> text = file ? ReadCheckedPageText(files_, path) : ReadPageText(files_, path);
    if (!text)
        return std::nullopt;
    return PageTextHold(std::move(*text));
}

const AnchorSet& ScanSession::anchorsInText(std::string_view pageText, KnownFile& file)
{
    if (!file.anchorsKnown || !file.anchors) {
        file.anchors = namesIn(pageText);
        file.anchorsKnown = true;
    }
    return *file.anchors;
}

} // namespace orvanel::project
