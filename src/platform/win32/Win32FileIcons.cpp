#include "platform/win32/Win32FileIcons.h"

#include "platform/win32/Win32Handles.h"
#include "text/Utf16.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace orvanel::win32 {
namespace {

// The pixels of `bitmap` as top-down 32-bit rows (0xAARRGGBB in memory order B, G, R, A).
bool readPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& out)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.data(), &info, DIB_RGB_COLORS) == height;
}

// The icon's colour bitmap with its alpha channel; an icon without one (all alpha 0) takes
// its alpha from the mask, where a set bit is a transparent pixel. A monochrome icon (no
// colour bitmap) gives no picture.
std::optional<FileIconPicture> pictureOf(HICON icon)
{
    const IconBitmaps bitmaps(icon);
    if (!bitmaps.color())
        return std::nullopt;
    BITMAP size{};
    if (::GetObjectW(bitmaps.color(), sizeof size, &size) == 0 || size.bmWidth <= 0 || size.bmHeight <= 0)
        return std::nullopt;
    const ScreenDC dc;
    if (!dc.get())
        return std::nullopt;
    FileIconPicture picture{size.bmWidth, size.bmHeight, {}};
    if (!readPixels(dc.get(), bitmaps.color(), picture.width, picture.height, picture.argb))
        return std::nullopt;
    const bool hasAlpha = std::any_of(picture.argb.begin(), picture.argb.end(), [](std::uint32_t p) { return p >> 24; });
    if (!hasAlpha) {
        std::vector<std::uint32_t> mask;
        if (!bitmaps.mask() || !readPixels(dc.get(), bitmaps.mask(), picture.width, picture.height, mask))
            return std::nullopt;
        for (std::size_t i = 0; i < picture.argb.size(); ++i)
            picture.argb[i] = (picture.argb[i] & 0x00FFFFFFu) | ((mask[i] & 0x00FFFFFFu) ? 0u : 0xFF000000u);
    }
    return picture;
}

} // namespace

FileIconLookup Win32FileIcons::iconOf(const std::string& path)
{
    if (path.empty())
        return {};
    std::wstring wide = text::toUtf16(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    // No file, no icon: the shell would otherwise answer with the icon of the extension.
    if (::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    SHFILEINFOW info{};
    FileIconLookup found{FileIconLookup::Outcome::Found, {}, {}, std::nullopt};
    if (::SHGetFileInfoW(wide.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) == 0 || !info.hIcon)
        return found;
    const UniqueIcon icon(info.hIcon);
    found.picture = pictureOf(icon.get());
    return found;
}

} // namespace orvanel::win32
