#include "options/IniFile.h"

#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"
#include "text/UserError.h"

#include <cerrno>

namespace orvanel {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Offsets of the text inside [begin, end) without blanks around it.
void trimRange(std::string_view s, std::size_t& begin, std::size_t& end)
{
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
}

// Steps through a line character by character, so that an ASCII byte that is the second
// byte of a CP932 character (such as the 0x5C of "表" or the 0x5D of "従") is never taken
// for "\\" or "]".
std::size_t findAscii(std::string_view raw, bool utf8, char wanted, std::size_t from = 0)
{
    if (utf8) {
        const std::size_t pos = raw.find(wanted, from);
        return pos == std::string_view::npos ? raw.size() : pos;
    }
    std::size_t pos = from;
    while (pos < raw.size()) {
        if (raw[pos] == wanted)
            return pos;
        pos += text::cp932CharLength(raw, pos);
    }
    return raw.size();
}

// Cuts raw bytes at `max` without splitting a character of the line's encoding.
std::string_view cutRaw(std::string_view raw, bool utf8, std::size_t max)
{
    if (raw.size() <= max)
        return raw;
    if (utf8)
        return raw.substr(0, text::charStartAtOrBefore(raw, max));
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const std::size_t len = text::cp932CharLength(raw, pos);
        if (pos + len > max)
            break;
        pos += len;
    }
    return raw.substr(0, pos);
}

std::string decode(std::string_view raw, bool utf8)
{
    return utf8 ? std::string(raw) : text::cp932ToUtf8(raw);
}

} // namespace

IniFile::Line IniFile::makeLine(std::string raw)
{
    Line line;
    line.raw = std::move(raw);
    const std::string_view r = line.raw;
    line.utf8 = text::isValidUtf8(r);

    std::size_t begin = 0, end = r.size();
    trimRange(r, begin, end);
    if (begin == end || r[begin] == ';')
        return line;
    if (r[begin] == '[') {
        const std::size_t close = findAscii(r, line.utf8, ']', begin + 1);
        if (close < end) {
            std::size_t nb = begin + 1, ne = close;
            trimRange(r, nb, ne);
            line.kind = Kind::Section;
            line.name = decode(r.substr(nb, ne - nb), line.utf8);
        }
        return line;
    }
    const std::size_t eq = findAscii(r, line.utf8, '=', begin);
    if (eq >= end)
        return line;
    std::size_t kb = begin, ke = eq, vb = eq + 1, ve = end;
    trimRange(r, kb, ke);
    trimRange(r, vb, ve);
    line.kind = Kind::Key;
    line.name = decode(r.substr(kb, ke - kb), line.utf8);
    line.valueStart = vb;
    line.valueLength = ve - vb;
    return line;
}

IniFile IniFile::load(const std::string& path)
{
    int error = 0;
    auto bytes = text::readFileBytes(path, &error);
    if (!bytes) {
        if (error == ENOENT || error == ENOTDIR)
            return IniFile();
        throw fileOpenError(path);
    }
    return parse(*bytes);
}

IniFile IniFile::parse(std::string_view bytes)
{
    IniFile ini;
    if (text::hasUtf8Bom(bytes)) {
        ini.bom_ = true;
        bytes.remove_prefix(kBom.size());
    }
    for (auto& raw : text::splitLines(bytes))
        ini.lines_.push_back(makeLine(std::move(raw)));
    return ini;
}

IniFile::Found IniFile::find(std::string_view section, std::string_view key) const
{
    Found f;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && text::equalsIgnoreCase(lines_[i].name, section)) {
            f.sectionLine = i;
            break;
        }
    }
    if (f.sectionLine == npos)
        return f;
    f.sectionEnd = f.sectionLine + 1;
    for (std::size_t i = f.sectionLine + 1; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Section)
            break;
        if (line.kind != Kind::Other || line.raw.find_first_not_of(" \t") != std::string::npos)
            f.sectionEnd = i + 1;
        if (f.keyLine == npos && line.kind == Kind::Key && text::equalsIgnoreCase(line.name, key))
            f.keyLine = i;
    }
    return f;
}

std::optional<std::string> IniFile::read(std::string_view section, std::string_view key) const
{
    const Found f = find(section, key);
    if (f.keyLine == npos)
        return std::nullopt;
    const Line& line = lines_[f.keyLine];
    const std::string_view value =
        std::string_view(line.raw).substr(line.valueStart, line.valueLength);
    return decode(cutRaw(value, line.utf8, MaxValueBytes), line.utf8);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const
{
    auto v = read(section, key);
    return v ? std::move(*v) : std::string(fallback);
}

std::string IniFile::encodeLine(std::string_view utf8) const
{
    if (!bom_) {
        if (auto cp932 = text::utf8ToCp932(utf8))
            return std::move(*cp932);
    }
    return text::sanitizeUtf8(utf8);
}

void IniFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';

    const Found f = find(section, key);
    if (f.keyLine != npos) {
        // Keep the key as it is spelled in the file.
        lines_[f.keyLine] = makeLine(encodeLine(lines_[f.keyLine].name + "=" + clean));
        return;
    }
    Line keyLine = makeLine(encodeLine(std::string(key) + "=" + clean));
    if (f.sectionLine != npos) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(f.sectionEnd), std::move(keyLine));
        return;
    }
    lines_.push_back(makeLine(encodeLine("[" + std::string(section) + "]")));
    lines_.push_back(std::move(keyLine));
}

std::string IniFile::serialize() const
{
    std::size_t size = bom_ ? kBom.size() : 0;
    for (const auto& line : lines_)
        size += line.raw.size() + 2;
    std::string out;
    out.reserve(size);
    if (bom_)
        out += kBom;
    for (const auto& line : lines_) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}

void IniFile::save(const std::string& path) const
{
    text::writeFileAtomically(path, serialize());
}

} // namespace orvanel
