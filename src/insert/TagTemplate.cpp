#include "insert/TagTemplate.h"

#include "text/TextOps.h"

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
} // namespace

std::string ApplyTagFace(std::string_view text, int tagFace)
{
    switch (tagFace) {
    case 0:
        return text::toAsciiUpper(text);
    case 1:
        return text::toAsciiLower(text);
    default:
        return std::string(text);
    }
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

} // namespace orvanel
