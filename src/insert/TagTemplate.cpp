#include "insert/TagTemplate.h"

#include "text/TextOps.h"

#include <vector>

namespace orvanel {

namespace {
constexpr std::string_view Sel = "%SEL%";
constexpr std::string_view Cr = "%CR%";

// Number of caret steps over `s`: one per character, a CR LF pair being one step.
std::size_t caretSteps(std::string_view s)
{
    std::size_t steps = text::charCount(s);
    for (std::size_t i = s.find("\r\n"); i != std::string_view::npos; i = s.find("\r\n", i + 2))
        --steps;
    return steps;
}

using CaseMap = char (*)(char);

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Converts the markup of the tag that begins with the "<" at `lt` (its tag and attribute
// names) with `convert`; attribute values, quoted or not, and any other double-quoted run keep
// their case, and a quoted one may hold ">". Returns the offset of the closing ">"; npos,
// with nothing changed, when the "<" opens no tag: no letter, "/", "!" or "?" follows it, or
// another "<" or the end of the text comes before a ">".
std::size_t convertTag(std::string& s, std::size_t lt, CaseMap convert)
{
    const auto opensTag = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == '!' || c == '?';
    };
    if (lt + 1 >= s.size() || !opensTag(s[lt + 1]))
        return std::string::npos;
    std::vector<std::size_t> names;
    bool afterEquals = false;
    for (std::size_t j = lt + 1; j < s.size(); ++j) {
        const char c = s[j];
        if (c == '>') {
            for (const std::size_t n : names)
                s[n] = convert(s[n]);
            return j;
        }
        if (c == '<')
            return std::string::npos;
        if (c == '"' || (afterEquals && c == '\'')) {
            j = s.find(c, j + 1);
            if (j == std::string::npos)
                return std::string::npos;
            afterEquals = false;
        } else if (afterEquals && !isBlank(c)) {
            while (j + 1 < s.size() && !isBlank(s[j + 1]) && s[j + 1] != '>' && s[j + 1] != '<')
                ++j; // an unquoted value
            afterEquals = false;
        } else {
            afterEquals = afterEquals || c == '=';
            names.push_back(j);
        }
    }
    return std::string::npos;
}
} // namespace

std::string ApplyTagFace(std::string_view text, int tagFace)
{
    if (tagFace != 0 && tagFace != 1)
        return std::string(text);
    const CaseMap convert = tagFace == 0 ? text::asciiUpper : text::asciiLower;
    std::string out(text);
    std::size_t i = 0;
    while (i < out.size()) {
        if (out[i] != '<') {
            ++i;
        } else if (out.compare(i, 4, "<!--") == 0) {
            // A comment is text: it keeps its case, and a ">" inside it ends nothing.
            const std::size_t close = out.find("-->", i + 4);
            i = close == std::string::npos ? out.size() : close + 3;
        } else {
            const std::size_t gt = convertTag(out, i, convert);
            i = gt == std::string::npos ? i + 1 : gt + 1; // a lone "<" is text
        }
    }
    return out;
}

std::size_t CaretBackCount(std::string_view tmpl, std::string_view selection)
{
    // Work on the template as it is after "%CR%" has been expanded, so that the count is
    // that of the text the editor really receives.
    const std::string withBreaks = text::replaceAllIgnoreCase(tmpl, Cr, "\n");
    const std::size_t at = text::findMarker(withBreaks, Sel, 0, true);
    if (at == text::npos)
        return 0;
    const std::string_view tail = std::string_view(withBreaks).substr(at + Sel.size());
    return caretSteps(text::replaceAllIgnoreCase(tail, Sel, selection));
}

std::string ExpandTemplate(std::string_view tmpl, std::string_view selection, std::string_view lineBreak)
{
    return text::replaceAllIgnoreCase(text::replaceAllIgnoreCase(tmpl, Cr, lineBreak), Sel, selection);
}

bool IsTypeableText(std::string_view text)
{
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E || std::string_view("\"'([{`").find(ch) != std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace orvanel
