#include "project/ScanSession.h"

#include "project/AnyForm.h"
#include "project/PageText.h"

#include <utility>

namespace orvanel::project {

ScanSession::ScanSession(SiteFiles& files, ScanForm form, insert::PathStyle style)
    : files_(files), form_(form), style_(style)
{
}

const CheckedPath& ScanSession::check(const std::string& path)
{
    const auto [entry, added] = paths_.findOrAdd(path);
    CheckedPath& checked = entry->value;
    if (added) {
        checked.check = files_.check(path);
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

AnchorSet ScanSession::namesIn(std::string_view pageText) const
{
    return AnchorSet(form_ == ScanForm::Exact ? exactFormAnchorNames(pageText) : anyFormAnchorNames(pageText));
}

namespace {

// What the texts of queued pages may take: the site walk then reads most pages once even
// when fragments point at them before their turn, and its memory stays bounded.
constexpr std::size_t kQueuedTextLimit = 64u << 20;

} // namespace

const AnchorSet* ScanSession::anchorsOf(const CheckedPath& target)
{
    KnownFile& file = *target.file;
    if (!file.anchorsKnown) {
        if (std::optional<std::string> text = ReadCheckedPageText(files_, std::string(target.path))) {
            file.anchors = namesIn(*text);
            if ((file.queued || keepEarlyTexts_) && queuedTextBytes_ + text->size() <= kQueuedTextLimit) {
                queuedTextBytes_ += text->size();
                file.queuedText = std::move(*text);
            }
        }
        file.anchorsKnown = true;
    }
    return file.anchors ? &*file.anchors : nullptr;
}

std::optional<std::string> ScanSession::pageText(const std::string& path)
{
    KnownFile* file = check(path).file;
    if (!file)
        return ReadPageText(files_, path);
    if (!file->queuedText.empty()) {
        queuedTextBytes_ -= file->queuedText.size();
        return std::exchange(file->queuedText, std::string());
    }
    return ReadCheckedPageText(files_, path);
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
