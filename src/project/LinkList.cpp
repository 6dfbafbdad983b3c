#include "project/LinkList.h"

#include <algorithm>

namespace orvanel::project {

std::string_view extensionOf(std::string_view path, insert::PathStyle style)
{
    const bool windows = style == insert::PathStyle::Windows;
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        if (c == '.')
            return path.substr(i - 1);
        if (c == '/' || (windows && (c == '\\' || c == ':')))
            return {};
    }
    return {};
}

LinkRecord& LinkList::Add(std::string_view path, std::string_view kind, std::int32_t iconIndex,
                          std::string_view extension)
{
    LinkRecord* record = &newest_;
    if (keep_ == Keep::Newest) {
        newest_ = LinkRecord{path, kind, extension, iconIndex};
    } else {
        // Blocks grow with the list (a page has tens of references, or hundreds of thousands).
        if (recordsLeft_ == 0) {
            recordBlock_ = std::clamp<std::size_t>(size_, 16, 4096);
            records_.push_back(std::make_unique<LinkRecord[]>(recordBlock_));
            recordsLeft_ = recordBlock_;
        }
        record = &records_.back()[recordBlock_ - recordsLeft_--];
        const std::string_view kept = texts_.keep(path);
        *record = LinkRecord{kept, texts_.keep(kind), kept.substr(kept.size() - extension.size()), iconIndex};
    }
    if (iconIndex > 0)
        sharedIcons_.set(record->Extension, iconIndex);
    ++size_;
    return *record;
}

std::int32_t LinkList::FindExtensionIcon(std::string_view extension) const
{
    return sharedIcons_.find(extension);
}

std::int32_t LinkList::SharedIcons::find(std::string_view extension) const
{
    if (many_.empty()) {
        for (std::size_t i = 0; i < few_.size(); ++i)
            if (few_[i].first == extension) {
                lastFound_ = i;
                return few_[i].second;
            }
        return kNoIconFound;
    }
    const auto it = many_.find(extension);
    return it == many_.end() ? kNoIconFound : it->second;
}

void LinkList::SharedIcons::set(std::string_view extension, std::int32_t icon)
{
    if (many_.empty()) {
        if (lastFound_ < few_.size() && few_[lastFound_].first == extension) {
            few_[lastFound_].second = icon;
            return;
        }
        for (auto& [known, shared] : few_)
            if (known == extension) {
                shared = icon;
                return;
            }
        if (few_.size() < kFew) {
            few_.emplace_back(extension, icon);
            return;
        }
        for (auto& [known, shared] : few_)
            many_.emplace(std::move(known), shared);
        few_.clear();
    }
    if (const auto it = many_.find(extension); it != many_.end())
        it->second = icon;
    else
        many_.emplace(extension, icon);
}

void LinkList::SharedIcons::clear()
{
    few_.clear();
    many_.clear();
}

void LinkList::Clear()
{
    records_.clear();
    size_ = 0;
    recordsLeft_ = 0;
    sharedIcons_.clear();
    texts_.clear();
}

} // namespace orvanel::project
