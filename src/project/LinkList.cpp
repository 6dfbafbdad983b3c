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
                          std::string_view extension, std::int32_t sharedIcon)
{
    LinkRecord* record = &newest_;
    if (keep_ == Keep::Newest) {
        // Field by field: a whole record built first and copied costs stalls where its
        // halves are written and read back as one.
        newest_.Path = path;
        newest_.Kind = kind;
        newest_.Extension = extension;
        newest_.IconIndex = iconIndex;
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
    if (iconIndex > 0 && iconIndex != sharedIcon)
        sharedIcons_.set(record->Extension, iconIndex);
    ++size_;
    return *record;
}

std::int32_t LinkList::FindExtensionIcon(std::string_view extension) const
{
    return sharedIcons_.find(extension);
}

std::uint64_t LinkList::SharedIcons::headOf(std::string_view extension)
{
    // The first seven bytes and the length: equal heads mean equal extensions up to seven
    // bytes long.
    const std::size_t n = std::min<std::size_t>(extension.size(), 7);
    return text::bytesBefore(extension.data() + n, n, false) | static_cast<std::uint64_t>(std::min<std::size_t>(extension.size(), 255)) << 56;
}

std::size_t LinkList::SharedIcons::placeOf(std::string_view extension) const
{
    const std::uint64_t head = headOf(extension);
    std::size_t i = 0;
    while (i < few_.size() && !(few_[i].head == head && (extension.size() < 8 || few_[i].extension == extension)))
        ++i;
    return i;
}

std::int32_t LinkList::SharedIcons::find(std::string_view extension) const
{
    if (many_.empty()) {
        const std::size_t i = placeOf(extension);
        return i < few_.size() ? few_[i].icon : kNoIconFound;
    }
    const auto it = many_.find(extension);
    return it == many_.end() ? kNoIconFound : it->second;
}

void LinkList::SharedIcons::set(std::string_view extension, std::int32_t icon)
{
    if (many_.empty()) {
        if (const std::size_t i = placeOf(extension); i < few_.size()) {
            few_[i].icon = icon;
            return;
        }
        if (few_.size() < kFew) {
            few_.push_back(Few{headOf(extension), std::string(extension), icon});
            return;
        }
        for (Few& few : few_)
            many_.emplace(std::move(few.extension), few.icon);
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
