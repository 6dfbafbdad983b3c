#pragma once
// Lookups in the button tag list ("TagBList.lst"). A value there is "[", the entry group,
// "]", one delimiter character, the entry template and one closing delimiter character.
// The rules count characters, never bytes, so a cut never splits a character.

#include "text/KeyedTextList.h"

#include <string>
#include <string_view>

namespace orvanel::catalogue {

// The text from the second character up to the first "]" (exclusive); empty when the
// value holds no "]".
std::string entryGroup(std::string_view value);
// The text from the second character after the first "]" up to, but not including, the
// last character. Without any "]": the value without its first and its last character.
std::string entryTemplate(std::string_view value);
// The attribute text of an ALIGN pop-up entry: the value from its fourth character up to,
// but not including, its last character.
std::string alignAttribute(std::string_view value);
// A button template with an ALIGN attribute: " " + attribute put just before the first
// ">"; in front of the whole template when it holds no ">".
std::string spliceAlignAttribute(std::string_view buttonTemplate, std::string_view attribute);

// The button tag list as held in memory, with the lookups other parts use by key.
// A key that is not in the list gives an empty value, group and template.
class ButtonTagList {
public:
    ButtonTagList() = default;
    explicit ButtonTagList(text::KeyedTextList list) : list_(std::move(list)) {}
    static ButtonTagList load(const std::string& path) { return ButtonTagList(text::KeyedTextList::load(path)); }

    std::string value(std::string_view key) const { return list_.value(key); }
    std::string group(std::string_view key) const { return entryGroup(list_.value(key)); }
    std::string templateOf(std::string_view key) const { return entryTemplate(list_.value(key)); }
    std::string alignAttributeOf(std::string_view optionKey) const { return alignAttribute(list_.value(optionKey)); }
    // What an ALIGN pick inserts: the button's template with the option's attribute.
    std::string alignedTemplate(std::string_view buttonKey, std::string_view optionKey) const
    {
        return spliceAlignAttribute(templateOf(buttonKey), alignAttributeOf(optionKey));
    }

    const text::KeyedTextList& list() const { return list_; }

private:
    text::KeyedTextList list_;
};

} // namespace orvanel::catalogue
