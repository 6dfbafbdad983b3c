#include "text/KeyedTextList.h"

#include "text/Lines.h"
#include "text/TextOps.h"

namespace orvanel::text {

KeyedTextList KeyedTextList::load(const std::string& path)
{
    return KeyedTextList(readDataFileLines(path));
}

void KeyedTextList::save(const std::string& path) const
{
    writeDataFileLines(path, lines_);
}

std::string_view KeyedTextList::entryKey(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? line : line.substr(0, eq);
}

std::string_view KeyedTextList::entryValue(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

std::string KeyedTextList::value(std::string_view key) const
{
    for (const auto& line : lines_) {
        if (line.find('=') != std::string::npos && equalsIgnoreCase(entryKey(line), key))
            return std::string(entryValue(line));
    }
    return {};
}

bool KeyedTextList::contains(std::string_view key) const
{
    for (const auto& line : lines_)
        if (line.find('=') != std::string::npos && equalsIgnoreCase(entryKey(line), key))
            return true;
    return false;
}

} // namespace orvanel::text
