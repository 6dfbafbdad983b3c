#pragma once
// The small text rules that composition and the builders share: the value slot, the
// unspecified value, list entries cut before " :", and the insertions around the first ">"
// of a tag.

#include <optional>
#include <string>
#include <string_view>

namespace orvanel::tagdialog {

// Values and nested tags go where the slot stands in a template.
inline constexpr std::string_view kSlot = "%SEL%";
// A value control that shows this leaves its attribute out.
inline constexpr std::string_view kUnspecified = "指定なし";
// Shown, followed by a line break and the control's name, when composing one control fails.
inline constexpr std::string_view kComposeErrorMessage =
    "エラーが発生しました。作者に次の文字をお知らせ下さい。";

// A list entry such as "center : 中" gives "center": the text before the first ":" without
// the character in front of the colon (normally the blank, but any character: "left:x"
// gives "lef"); a text without ":" is itself; ":x" gives the empty text.
std::string cutBeforeColon(std::string_view entry);

// Puts `what` in front of the first ">" of `tag` (in front of the whole tag when it has none).
std::string insertBeforeFirstGt(std::string_view tag, std::string_view what);
// Puts `what` right after the first ">" of `tag` (in front of the whole tag when it has none).
std::string insertAfterFirstGt(std::string_view tag, std::string_view what);

// `text` repeated `count` times without separator.
std::string repeatText(std::string_view text, long count);

// A whole decimal number with an optional sign and nothing else; nullopt otherwise (also
// when it does not fit).
std::optional<long> parseDecimal(std::string_view text);

} // namespace orvanel::tagdialog
