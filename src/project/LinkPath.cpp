#include "project/LinkPath.h"

#include "project/LinkList.h"

namespace orvanel::project {

std::string GetLinkPath(const std::optional<LinkItem>& item, std::string_view targetFile, insert::PathStyle style,
                        const std::function<void(std::string_view)>& tell)
{
    if (!item || item->path.empty())
        return {};
    if (item->path == kUrlPath)
        return item->displayText;
    return insert::MakeRelativePath(item->path, targetFile, style, tell);
}

} // namespace orvanel::project
