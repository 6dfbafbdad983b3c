#include "platform/win32/Win32Clipboard.h"

#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"
#include "text/Utf16.h"

#include <cstring>
#include <optional>

namespace orvanel::win32 {
namespace {

// The text of a CF_UNICODETEXT block, up to its terminating zero and never past its end.
std::optional<std::wstring> wideTextOf(HANDLE block)
{
    GlobalLockGuard lock(block);
    if (!lock.data())
        return std::nullopt;
    const auto* chars = static_cast<const wchar_t*>(lock.data());
    const std::size_t most = lock.size() / sizeof(wchar_t);
    std::size_t n = 0;
    while (n < most && chars[n] != L'\0')
        ++n;
    return std::wstring(chars, n);
}

// The text of a CF_TEXT block, in the system's ANSI code page.
std::optional<std::wstring> ansiTextOf(HANDLE block)
{
    GlobalLockGuard lock(block);
    if (!lock.data())
        return std::nullopt;
    const auto* bytes = static_cast<const char*>(lock.data());
    const int n = text::callSize(strnlen(bytes, lock.size()));
    if (n == 0)
        return std::wstring();
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, bytes, n, nullptr, 0);
    if (wide <= 0)
        return std::nullopt;
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes, n, out.data(), wide);
    return out;
}

} // namespace

bool Win32Clipboard::open(OpenedClipboard& clipboard)
{
    HWND owner = events_.helperWindow();
    const Stopwatch watch;
    const bool ok = events_.waitFor([&] { return clipboard.open(owner); }, waits_.clipboardOpen);
    if (!ok || watch.ms() > 0)
        trace("clipboard open: %s after %lld ms", ok ? "opened" : "held by another program", watch.ms());
    return ok;
}

bool Win32Clipboard::setClipboardText(const std::string& utf8)
{
    const std::wstring text = text::toUtf16(utf8);
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal block(bytes);
    {
        GlobalLockGuard lock(block.get());
        if (!lock.data())
            return false;
        std::memcpy(lock.data(), text.c_str(), bytes);
    }
    OpenedClipboard clipboard;
    if (!open(clipboard) || !::EmptyClipboard())
        return false;
    // The clipboard owns the block from here on.
    if (!::SetClipboardData(CF_UNICODETEXT, block.get()))
        return false;
    block.release();
    return true;
}

ClipboardText Win32Clipboard::readClipboard()
{
    ClipboardText out;
    OpenedClipboard clipboard;
    if (!open(clipboard)) {
        out.result = ClipboardText::Result::Failed;
        return out;
    }
    out.owner = processOf(::GetClipboardOwner());
    std::optional<std::wstring> text;
    if (::IsClipboardFormatAvailable(CF_UNICODETEXT))
        text = wideTextOf(::GetClipboardData(CF_UNICODETEXT));
    else if (::IsClipboardFormatAvailable(CF_TEXT))
        text = ansiTextOf(::GetClipboardData(CF_TEXT));
    else
        return out; // NoText
    if (!text) {
        // Offered but not delivered: its owner failed to render it.
        out.result = ClipboardText::Result::Failed;
        return out;
    }
    out.result = ClipboardText::Result::Text;
    out.text = text::fromUtf16(*text);
    return out;
}

} // namespace orvanel::win32
