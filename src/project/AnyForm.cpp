#include "project/AnyForm.h"

#include "text/TextOps.h"

#include <cstring>
#include <optional>

namespace orvanel::project {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<Attribute> attributeNamed(std::string_view name)
{
    if (text::equalsIgnoreCase(name, "href")) return Attribute::Href;
    if (text::equalsIgnoreCase(name, "src")) return Attribute::Src;
    if (text::equalsIgnoreCase(name, "name")) return Attribute::Name;
    if (text::equalsIgnoreCase(name, "id")) return Attribute::Id;
    return std::nullopt;
}

bool isRawTextElement(std::string_view name)
{
    for (std::string_view raw : {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"})
        if (name == raw)
            return true;
    return false;
}

void appendUtf8(std::string& out, unsigned long cp)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A URL as a browser takes it from an attribute: blanks around it dropped, and tabs and
// line breaks inside it removed.
std::string_view urlOf(const std::string& value, std::string& scratch)
{
    scratch.clear();
    for (char c : value)
        if (c != '\t' && c != '\n' && c != '\r')
            scratch += c;
    std::string_view url = scratch;
    while (!url.empty() && isBlank(url.front()))
        url.remove_prefix(1);
    while (!url.empty() && isBlank(url.back()))
        url.remove_suffix(1);
    return url;
}

} // namespace

std::string decodeCharacterReferences(std::string_view v)
{
    struct Named {
        std::string_view name;
        const char* text;
    };
    static constexpr Named kNamed[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""},
                                       {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    std::string out;
    out.reserve(v.size());
    std::size_t i = 0;
    while (i < v.size()) {
        const std::size_t amp = v.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(v.substr(i));
            break;
        }
        out.append(v.substr(i, amp - i));
        i = amp + 1;
        if (i < v.size() && v[i] == '#') {
            const bool hex = i + 1 < v.size() && (v[i + 1] == 'x' || v[i + 1] == 'X');
            std::size_t j = i + (hex ? 2 : 1);
            unsigned long cp = 0;
            const std::size_t digits = j;
            for (; j < v.size(); ++j) {
                const char c = v[j];
                int d;
                if (isDigit(c)) d = c - '0';
                else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
                else break;
                cp = cp > 0x10FFFF ? cp : cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            }
            if (j == digits) { // "&#" with no number stays as written
                out += '&';
                continue;
            }
            appendUtf8(out, cp);
            i = j < v.size() && v[j] == ';' ? j + 1 : j;
            continue;
        }
        bool decoded = false;
        for (const Named& n : kNamed) {
            if (v.substr(i, n.name.size()) == n.name && i + n.name.size() < v.size()
                && v[i + n.name.size()] == ';') {
                out += n.text;
                i += n.name.size() + 1;
                decoded = true;
                break;
            }
        }
        if (!decoded)
            out += '&';
    }
    return out;
}

const std::string* StartTag::attribute(Attribute which) const
{
    for (const auto& [name, value] : attributes)
        if (name == which)
            return &value;
    return nullptr;
}

void StartTagReader::skipPast(std::string_view lowerEnd)
{
    const std::size_t at = findIgnoringCase(text_, lowerEnd, pos_);
    pos_ = at == text::npos ? text_.size() : at + lowerEnd.size();
}

bool StartTagReader::next(StartTag& tag)
{
    while (pos_ < text_.size()) {
        const void* lt = std::memchr(text_.data() + pos_, '<', text_.size() - pos_);
        if (!lt) {
            pos_ = text_.size();
            return false;
        }
        pos_ = static_cast<std::size_t>(static_cast<const char*>(lt) - text_.data()) + 1;
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (text_.substr(pos_, 3) == "!--") {
            pos_ += 3;
            skipPast("-->");
        } else if (c == '!' || c == '?' || c == '/') {
            skipPast(">");
        } else if (isLetter(c) && readTag(tag)) {
            if (isRawTextElement(tag.name)) {
                const std::string end = "</" + tag.name;
                const std::size_t at = findIgnoringCase(text_, end, pos_);
                pos_ = at == text::npos ? text_.size() : at;
            }
            return true;
        }
    }
    return false;
}

// Reads a start tag from its name on; false when the page ends inside it (such a tag is
// dropped, as browsers drop it).
bool StartTagReader::readTag(StartTag& tag)
{
    const std::size_t n = text_.size();
    auto nameEnd = [&](std::size_t p, bool stopAtEquals) {
        while (p < n && !isBlank(text_[p]) && text_[p] != '/' && text_[p] != '>'
               && !(stopAtEquals && text_[p] == '='))
            ++p;
        return p;
    };
    std::size_t p = nameEnd(pos_, false);
    tag.name = text::toAsciiLower(text_.substr(pos_, p - pos_));
    tag.attributes.clear();
    for (;;) {
        while (p < n && (isBlank(text_[p]) || text_[p] == '/'))
            ++p;
        if (p >= n) {
            pos_ = n;
            return false;
        }
        if (text_[p] == '>') {
            pos_ = p + 1;
            return true;
        }
        // An attribute name may begin with "=", as in the tokenizer of browsers.
        const std::size_t nameStart = p;
        p = nameEnd(p + 1, true);
        const std::optional<Attribute> kept = attributeNamed(text_.substr(nameStart, p - nameStart));
        while (p < n && isBlank(text_[p]))
            ++p;
        std::string_view value;
        if (p < n && text_[p] == '=') {
            ++p;
            while (p < n && isBlank(text_[p]))
                ++p;
            if (p < n && (text_[p] == '"' || text_[p] == '\'')) {
                const std::size_t close = text_.find(text_[p], p + 1);
                if (close == std::string_view::npos) {
                    pos_ = n;
                    return false;
                }
                value = text_.substr(p + 1, close - p - 1);
                p = close + 1;
            } else {
                const std::size_t start = p;
                while (p < n && !isBlank(text_[p]) && text_[p] != '>')
                    ++p;
                value = text_.substr(start, p - start);
            }
        }
        if (kept && !tag.attribute(*kept))
            tag.attributes.emplace_back(*kept, decodeCharacterReferences(value));
    }
}

bool AnyFormFinder::next(FoundReference& found)
{
    while (reader_.next(tag_)) {
        std::optional<Attribute> attribute;
        if (tag_.name == "a") {
            attribute = Attribute::Href;
            found.kind = "href";
        } else if (tag_.name == "img") {
            attribute = Attribute::Src;
            found.kind = "img";
        } else if (tag_.name == "frame" || tag_.name == "iframe") {
            attribute = Attribute::Src;
            found.kind = "frame";
        }
        if (!attribute)
            continue;
        if (const std::string* value = tag_.attribute(*attribute)) {
            found.text = urlOf(*value, value_);
            return true;
        }
    }
    return false;
}

std::vector<std::string> anyFormAnchorNames(std::string_view pageText)
{
    std::vector<std::string> names;
    StartTagReader reader(pageText);
    StartTag tag;
    while (reader.next(tag)) {
        if (tag.name == "a")
            if (const std::string* name = tag.attribute(Attribute::Name))
                names.push_back(*name);
        if (const std::string* id = tag.attribute(Attribute::Id))
            names.push_back(*id);
    }
    return names;
}

} // namespace orvanel::project
