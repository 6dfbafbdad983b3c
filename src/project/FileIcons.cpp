#include "project/FileIcons.h"

#include "project/LinkList.h"

namespace orvanel::project {

std::int32_t SetIcon(FileIconSource& icons, std::string_view path)
{
    switch (icons.appendIconOf(path)) {
    case FileIconSource::Lookup::Appended:
        return icons.imageCount() - 1;
    case FileIconSource::Lookup::NoIcon:
        break;
    }
    return kBrokenIcon;
}

} // namespace orvanel::project
