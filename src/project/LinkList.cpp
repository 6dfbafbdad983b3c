#include "project/LinkList.h"

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

LinkRecord& LinkList::Add(std::string path, std::string kind, std::int32_t iconIndex)
{
    std::string extension(extensionOf(path, style_));
    if (iconIndex > 0) {
        if (auto it = sharedIcons_.find(extension); it != sharedIcons_.end())
            it->second = iconIndex;
        else
            sharedIcons_.emplace(extension, iconIndex);
    }
    records_.push_back(LinkRecord{std::move(path), std::move(kind), std::move(extension), iconIndex});
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
}

} // namespace orvanel::project
