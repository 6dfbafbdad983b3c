#include "options/GroupFile.h"

#include "catalogue/UserTagFiles.h"
#include "text/Lines.h"
#include "text/UserError.h"

namespace orvanel::options {

namespace {

using text::FileEncoding;

constexpr std::string_view Bom = "\xEF\xBB\xBF";

std::string decodeLine(std::string_view bytes, FileEncoding encoding)
{
    if (encoding == FileEncoding::Cp932)
        return text::cp932ToUtf8(bytes);
    return text::isValidUtf8(bytes) ? std::string(bytes) : text::sanitizeUtf8(bytes);
}

std::optional<std::string> encodeLine(std::string_view line, FileEncoding encoding)
{
    if (encoding == FileEncoding::Cp932)
        return text::utf8ToCp932(line);
    return std::string(line);
}

// The line with its bytes when the text does not encode back to them.
std::optional<KeptLine> keptIfNeeded(const std::string& text, const std::string& bytes, FileEncoding encoding)
{
    if (encodeLine(text, encoding) == bytes)
        return std::nullopt;
    return KeptLine{text, bytes};
}

// The length of a leading "User<digits>=[" (plain ASCII, the same bytes in every
// encoding); 0 when the line does not start so.
std::size_t dataPrefixLength(std::string_view line)
{
    if (!line.starts_with("User"))
        return 0;
    std::size_t pos = 4;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9')
        ++pos;
    return line.substr(pos, 2) == "=[" ? pos + 2 : 0;
}

// The bytes of `line` from a kept line: its own bytes when the text is unchanged; with
// another tag number in front ("User<n>=[") when only that changed (the tag moved).
std::optional<std::string> keptBytes(const std::string& line, const std::optional<KeptLine>& kept)
{
    if (!kept)
        return std::nullopt;
    if (line == kept->text)
        return kept->bytes;
    const std::size_t newPrefix = dataPrefixLength(line);
    const std::size_t oldPrefix = dataPrefixLength(kept->text);
    if (newPrefix == 0 || oldPrefix == 0
        || std::string_view(line).substr(newPrefix) != std::string_view(kept->text).substr(oldPrefix))
        return std::nullopt;
    return line.substr(0, newPrefix) + kept->bytes.substr(oldPrefix);
}

} // namespace

GroupFileContent readGroupFile(const std::string& path)
{
    auto bytes = text::readFileBytes(path);
    if (!bytes)
        throw fileOpenError(path);
    GroupFileContent content;
    text::decodeDataFile(*bytes, &content.encoding);
    content.byteOrderMark = text::hasUtf8Bom(*bytes);
    std::string_view body = *bytes;
    if (content.byteOrderMark)
        body.remove_prefix(Bom.size());
    const std::vector<std::string> raw = text::splitLines(body);
    for (const std::string& line : raw)
        content.lines.push_back(decodeLine(line, content.encoding));
    for (std::size_t i = 0; i < raw.size(); i += 2) {
        UserTag tag;
        tag.name = content.lines[i];
        tag.keptName = keptIfNeeded(content.lines[i], raw[i], content.encoding);
        if (i + 1 < raw.size()) {
            tag.tagTemplate = catalogue::groupDataTemplate(content.lines[i + 1]);
            tag.keptData = keptIfNeeded(content.lines[i + 1], raw[i + 1], content.encoding);
        }
        content.tags.push_back(std::move(tag));
    }
    return content;
}

std::vector<std::string> groupFileLines(const std::vector<UserTag>& tags)
{
    std::vector<std::string> lines;
    lines.reserve(tags.size() * 2);
    for (std::size_t i = 0; i < tags.size(); ++i) {
        lines.push_back(tags[i].name);
        lines.push_back(catalogue::groupDataLine(i, tags[i].tagTemplate));
    }
    return lines;
}

std::optional<std::string> encodeGroupFile(const std::vector<UserTag>& tags, const GroupFileContent& read)
{
    const std::vector<std::string> lines = groupFileLines(tags);
    std::vector<std::optional<std::string>> kept(lines.size());
    bool anyKept = false;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        kept[2 * i] = keptBytes(lines[2 * i], tags[i].keptName);
        kept[2 * i + 1] = keptBytes(lines[2 * i + 1], tags[i].keptData);
        anyKept = anyKept || kept[2 * i] || kept[2 * i + 1];
    }
    if (!anyKept)
        return text::encodeDataFile(text::joinLinesCrLf(lines));

    std::string out = read.byteOrderMark ? std::string(Bom) : std::string();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> bytes = kept[i] ? kept[i] : encodeLine(lines[i], read.encoding);
        if (!bytes)
            return std::nullopt;
        out += *bytes;
        out += "\r\n";
    }
    return out;
}

} // namespace orvanel::options
