#include "project/LinkList.h"

#include <algorithm>

namespace orvanel::project {

std::string_view extensionOf(std::string_view path, insert::PathStyle style)
{
    const std::string_view stops = style == insert::PathStyle::Windows ? "\\:" : "/";
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    const std::size_t stop = path.find_last_of(stops);
    if (stop != std::string_view::npos && stop > dot)
        return {};
    return path.substr(dot);
}

std::string_view LinkList::keep(std::string_view text)
{
    constexpr std::size_t kBlock = 64 * 1024;
    if (text.empty())
        return {};
    if (text.size() > blockLeft_) {
        const std::size_t size = std::max(kBlock, text.size());
        blocks_.push_back(std::unique_ptr<char[]>(new char[size]));
        blockLeft_ = size;
    }
    char* at = blocks_.back().get() + (text.size() > kBlock ? 0 : kBlock - blockLeft_);
    std::copy(text.begin(), text.end(), at);
    blockLeft_ = text.size() > kBlock ? 0 : blockLeft_ - text.size();
    return {at, text.size()};
}

LinkRecord& LinkList::Add(std::string_view path, std::string_view kind, std::int32_t iconIndex)
{
    const std::string_view kept = keep(path);
    const std::string_view extension = extensionOf(kept, style_);
    if (iconIndex > 0)
        sharedIcons_.insert_or_assign(extension, iconIndex);
    records_.push_back(LinkRecord{kept, keep(kind), extension, iconIndex});
    return records_.back();
}

std::int32_t LinkList::FindExtensionIcon(std::string_view extension) const
{
    const auto it = sharedIcons_.find(extension);
    return it == sharedIcons_.end() ? kNoIconFound : it->second;
}

void LinkList::Clear()
{
    records_.clear();
    sharedIcons_.clear();
    blocks_.clear();
    blockLeft_ = 0;
}

} // namespace orvanel::project
