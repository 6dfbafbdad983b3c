#include "project/PageText.h"

#include "text/Encoding.h"
#include "text/TextOps.h"

#include <algorithm>
#include <cstring>

namespace orvanel::project {

namespace {

constexpr std::size_t kCharsetWindow = 1024;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
        || c == '_' || c == '.' || c == ':';
}

// The iconv name for a charset label; the Shift-JIS labels of the web mean Microsoft's
// code page, as browsers read them.
std::string iconvName(std::string label)
{
    label = text::toAsciiLower(label);
    for (const char* sjis : {"shift_jis", "shift-jis", "sjis", "x-sjis", "ms_kanji", "csshiftjis",
                             "windows-31j", "cp932", "ms932"})
        if (label == sjis)
            return "CP932";
    // A page cannot be in UTF-16 when it names its charset in ASCII; browsers read it as UTF-8.
    if (label == "utf-8" || label == "utf8" || label == "unicode-1-1-utf-8" || label.starts_with("utf-16"))
        return "UTF-8";
    return label;
}

// Removes every CR and LF in place.
void removeLineBreaks(std::string& s)
{
    char* out = s.data();
    const char* in = s.data();
    const char* end = in + s.size();
    while (in < end) {
        const char* lf = static_cast<const char*>(std::memchr(in, '\n', static_cast<std::size_t>(end - in)));
        const char* stop = lf ? lf : end;
        while (in < stop) {
            const char* cr = static_cast<const char*>(std::memchr(in, '\r', static_cast<std::size_t>(stop - in)));
            const char* runEnd = cr ? cr : stop;
            std::memmove(out, in, static_cast<std::size_t>(runEnd - in));
            out += runEnd - in;
            in = cr ? cr + 1 : stop;
        }
        in = lf ? lf + 1 : end;
    }
    s.resize(static_cast<std::size_t>(out - s.data()));
}

} // namespace

std::string declaredCharset(std::string_view bytes)
{
    const std::string window = text::toAsciiLower(bytes.substr(0, kCharsetWindow));
    const std::size_t at = window.find("charset=");
    if (at == std::string::npos)
        return {};
    std::size_t start = at + 8;
    while (start < window.size() && (window[start] == '"' || window[start] == '\'' || window[start] == ' '))
        ++start;
    std::size_t end = start;
    while (end < window.size() && isNameChar(window[end]))
        ++end;
    return window.substr(start, end - start);
}

std::string decodePageText(std::string bytes)
{
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
        bytes.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));

    std::string page;
    if (text::hasUtf8Bom(bytes)) {
        page = text::decodeDataFile(bytes);
    } else if (const std::string charset = declaredCharset(bytes); !charset.empty()) {
        const std::string name = iconvName(charset);
        if (name == "UTF-8")
            page = text::isValidUtf8(bytes) ? std::move(bytes) : text::sanitizeUtf8(bytes);
        else if (auto decoded = text::toUtf8From(bytes, name))
            page = std::move(*decoded);
        else
            page = text::decodeDataFile(bytes);
    } else if (text::isValidUtf8(bytes)) {
        page = std::move(bytes);
    } else {
        page = text::cp932ToUtf8(bytes);
    }
    removeLineBreaks(page);
    return page;
}

std::optional<std::string> ReadPageText(SiteFiles& files, const std::string& path)
{
    FileRead read = files.read(path);
    if (read.outcome != ReadOutcome::Read)
        return std::nullopt;
    return decodePageText(std::move(read.bytes));
}

} // namespace orvanel::project
