#pragma once
// An INI profile file read and written key by key, the way the settings file is kept:
// section and key names match without regard to ASCII letter case, the first matching
// section and the first matching key in it win, and every line the program does not
// write (comments, foreign sections and keys, lines that are not text at all) is written
// back byte for byte. Values are seen cut at 2047 bytes, at a character boundary.
//
// Each line is decoded on its own: valid UTF-8 is UTF-8, anything else CP932, so a file
// written by older tools in CP932 and one edited as UTF-8 both read right, and one garbled
// line does not change how the others read. A line the program writes is CP932 when it
// fits, else UTF-8; in a file that starts with a UTF-8 byte order mark it is UTF-8.
// Lines are written with CR LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

class IniFile {
public:
    static constexpr std::size_t MaxValueBytes = 2047;

    IniFile() = default;

    // A missing file gives an empty profile; a file that exists but cannot be read
    // throws fileOpenError.
    static IniFile load(const std::string& path);
    // The profile held in `bytes` (the content of a file).
    static IniFile parse(std::string_view bytes);

    // The value of `key` in `section` (UTF-8, blanks around it removed, cut at
    // MaxValueBytes); nullopt when the section or the key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // Sets `key` in `section` to `value`: the key's line is replaced in place, a new key
    // goes after the last line of its section, a new section at the end of the file.
    // Line breaks inside `value` become blanks, so a value cannot break the file apart.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // The file's content as it would be saved.
    std::string serialize() const;
    // Saves atomically (temporary file beside it, then rename); throws fileWriteError
    // with `path` and leaves the old file whole when it cannot.
    void save(const std::string& path) const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw;          // the bytes of the line, without its line break
        bool utf8 = false;        // how the line is encoded (else CP932)
        Kind kind = Kind::Other;
        std::string name;         // section name or key, UTF-8, blanks around it removed
        std::size_t valueStart = 0, valueLength = 0; // the value's bytes in raw
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    struct Found {
        std::size_t sectionLine = npos; // the header of the first matching section
        std::size_t sectionEnd = 0;     // one past the section's last line that is not blank
        std::size_t keyLine = npos;     // the first matching key line in it
    };

    static Line makeLine(std::string raw);
    Found find(std::string_view section, std::string_view key) const;
    std::string encodeLine(std::string_view utf8) const;

    std::vector<Line> lines_;
    bool bom_ = false;
};

} // namespace orvanel
