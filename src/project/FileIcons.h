#pragma once
// The icons of the files of a site. The window holds an image list whose first three images
// are fixed (broken, document, web address); every file icon it obtains is appended to it.
// What the platform offers for a file (a theme icon of its type) stays behind this interface.

#include <cstdint>
#include <string_view>

namespace orvanel::project {

class FileIconSource {
public:
    virtual ~FileIconSource() = default;

    enum class Lookup { Appended, NoIcon };
    // Looks up the icon associated with the file at `path` and, when there is one, appends
    // it to the image list.
    virtual Lookup appendIconOf(std::string_view path) = 0;
    // The number of images in the list.
    virtual std::int32_t imageCount() const = 0;
};

// The icon operation of the scan: the index of the image appended for `path`, or 0 when no
// icon could be had.
std::int32_t SetIcon(FileIconSource& icons, std::string_view path);

} // namespace orvanel::project
