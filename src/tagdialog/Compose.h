#pragma once
// Composing a tag from the controls of an attribute panel. Everything is driven by the
// controls' names, kinds and Tag numbers and by the button tag list: a switch "OpTag" + key
// (or "OoTag" + key) takes the template of key from the list and fills it with the value of
// the controls "OpVal1" + key (or "OoVal1" + key) beside it.

#include "catalogue/ButtonTagList.h"
#include "tagdialog/PanelModel.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvanel::tagdialog {

class Composer {
public:
    // Receives the message of a control whose handling failed: the fixed text, a line
    // break and the control's name. Composition then goes on with the next control.
    using ErrorReport = std::function<void(const std::string& message)>;

    Composer(const catalogue::ButtonTagList& list, ErrorReport report = {});

    // The tag of a panel as OK composes it: the panel's entry template with the attributes
    // of its controls, still holding "%SEL%" and "%CR%".
    std::string composePanel(const Control& panel) const;

    // Visits the container's children (labels first) and merges every switched-on attribute,
    // nested sub-tag and grid into `tag`; `group` is the entry group of the tag being composed.
    std::string ConvToTag(const Control& container, std::string_view group, std::string tag) const;

    // The template filled with the value of the container's direct child `name`; "指定なし"
    // when that value says so. A repeat-count spin repeats the result.
    std::string GetOptionValue(const Control& container, std::string_view name,
                               std::string_view templ) const;

private:
    std::string composeChild(const Control& container, const Control& child,
                             std::string_view group, const std::string& tag) const;
    std::string secondValue(const Control& container, const Control& first) const;

    const catalogue::ButtonTagList& list_;
    ErrorReport report_;
};

} // namespace orvanel::tagdialog
