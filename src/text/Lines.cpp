#include "text/Lines.h"

#include "text/Encoding.h"
#include "text/UserError.h"

// Reading and replacing whole files is per system (Lines_posix.cpp, Lines_win32.cpp).

namespace orvanel::text {

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> readDataFileLines(const std::string& path)
{
    auto bytes = readFileBytes(path);
    if (!bytes)
        throw fileOpenError(path);
    return splitLines(decodeDataFile(*bytes));
}

void writeDataFileLines(const std::string& path, const std::vector<std::string>& lines)
{
    writeFileAtomically(path, encodeDataFile(joinLinesCrLf(lines)));
}

} // namespace orvanel::text
