#pragma once
// An ordered list of text lines; a line "key=value" has the entry key before the first "="
// and the value after it. A key's value is that of the first line whose entry key equals
// it, ASCII case ignored; no match gives the empty text.

#include <string>
#include <string_view>
#include <vector>

namespace orvanel::text {

class KeyedTextList {
public:
    KeyedTextList() = default;
    explicit KeyedTextList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Reads a data file (any line break, CP932 or UTF-8); throws fileOpenError.
    static KeyedTextList load(const std::string& path);
    // Writes with CR LF, CP932 when it fits; throws fileWriteError.
    void save(const std::string& path) const;

    std::string value(std::string_view key) const;
    bool contains(std::string_view key) const;
    // The text before the first "=" (the whole line when it has none).
    static std::string_view entryKey(std::string_view line);
    // The text after the first "=" (empty when it has none).
    static std::string_view entryValue(std::string_view line);

    const std::vector<std::string>& lines() const { return lines_; }
    std::vector<std::string>& lines() { return lines_; }
    void append(std::string line) { lines_.push_back(std::move(line)); }
    std::size_t size() const { return lines_.size(); }

private:
    std::vector<std::string> lines_;
};

} // namespace orvanel::text
