#pragma once
// Tag templates: letter case, the caret-back count and the expansion of the macros
// "%SEL%" (the text selected in the editor) and "%CR%" (a line break). Macros are matched
// without regard to letter case.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanel {

// The line break that "%CR%" becomes in text put into an editor of this platform.
#ifdef _WIN32
inline constexpr std::string_view PlatformLineBreak = "\r\n";
#else
inline constexpr std::string_view PlatformLineBreak = "\n";
#endif

// The markup of the text in upper case when tagFace is 0, in lower case when it is 1; the
// text unchanged otherwise. Markup is what stands between a tag's angle brackets except its
// attribute values: tag and attribute names. Attribute values (a file name, an option's
// text), the text between tags, comments and a lone "<" or ">" keep their case, and only
// ASCII letters ever change.
std::string ApplyTagFace(std::string_view text, int tagFace);

// How many single caret steps to the left put the caret right after the (first) selected
// text once the expanded template has been pasted: the number of characters that follow
// the first "%SEL%" in the expanded text, each line break from "%CR%" counting as one step
// (the editor's caret passes it in one) and a later "%SEL%" counting as the characters of
// `selection`. A literal "%" is one character like any other. Without "%SEL%" the caret
// stays at the end of the inserted text: 0.
std::size_t CaretBackCount(std::string_view tmpl, std::string_view selection = {});

// Whether `text` can be typed as plain keys into any editor: printable ASCII and spaces only,
// no line break, and none of the characters editors commonly close by themselves when typed
// (quotes, the back quote and opening brackets), which would add text of their own.
bool IsTypeableText(std::string_view text);

// Replaces every "%CR%" by `lineBreak`, then every "%SEL%" by `selection`, in one pass
// each: macros inside the selection stay as they are.
std::string ExpandTemplate(std::string_view tmpl, std::string_view selection,
                           std::string_view lineBreak = PlatformLineBreak);

} // namespace orvanel
