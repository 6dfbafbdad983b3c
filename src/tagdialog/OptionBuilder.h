#pragma once
// The option grids of the combo-box and list-box panels: one row per option (displayed
// text, sent text, "check" when initially selected), edited through the controls under the
// grid, and turned into one option line per row when the tag is composed.

#include "tagdialog/PanelModel.h"

#include <string>
#include <string_view>

namespace orvanel::tagdialog {

// The two option grids share their events; `prefix` names one of them.
inline constexpr std::string_view kComboOptions = "FORM_COMBOBOX_OPTION";
inline constexpr std::string_view kListOptions = "FORM_LISTBOX_OPTION";

namespace option {
enum Column { Number = 0, Shown = 1, Sent = 2, Selected = 3 };
}

// One line per option row, each preceded by "%CR%": the template with the displayed text in
// its "%SEL%", VALUE with the sent text (only when the row has one) and SELECTED for a
// checked row put in front of its first ">".
std::string GetFORMOption(const Control& grid, std::string_view templ);

void optionCountChanged(ControlModel& model, std::string_view prefix);
void optionRowSelected(ControlModel& model, std::string_view prefix);
void optionShownChanged(ControlModel& model, std::string_view prefix);
void optionSentChanged(ControlModel& model, std::string_view prefix);
void optionSelectedClicked(ControlModel& model, std::string_view prefix);

} // namespace orvanel::tagdialog
