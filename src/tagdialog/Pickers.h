#pragma once
// What the colour and file pickers of the tag dialog do, apart from showing the choosers:
// the colour as text, reading internet shortcuts, the text a picked file puts into its
// edit, and the four rules that enable controls by the check marks of others. The file
// chooser's state is the program's one open-file dialog (OpenDialogState.h).

#include "insert/RelativePath.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel {
class ControlModel;
}

namespace orvanel::tagdialog {

// A picker button is "Col" or "Ref" followed by the name of the edit it fills.
std::string pickerTarget(std::string_view buttonName);

// 0xRRGGBB as six upper-case hexadecimal digits, red first ("FF0000"); no "#".
std::string colourToHex(std::uint32_t rgb);

// The colour chooser starts on the colour chosen last (black at first).
struct ColourPickerState {
    std::uint32_t last = 0x000000;
    // Remembers the chosen colour and returns its text.
    std::string choose(std::uint32_t rgb)
    {
        last = rgb & 0xFFFFFF;
        return colourToHex(last);
    }
};

// True when the file name's extension (from its last ".") is exactly ".url"; an upper-case
// ".URL" is an ordinary file.
bool isUrlShortcut(std::string_view path);

// The value of the first line named URL (ASCII case ignored) of an internet shortcut: the
// text after its first "="; sections and other lines are ignored; empty when there is none.
std::string urlOfShortcut(const std::vector<std::string>& lines);

// The text a reference button puts into its edit for the chosen file: the address inside
// an internet shortcut, else the file's path relative to the page being edited (`tell`
// shows the message when no such page is known). Throws UserError when a shortcut cannot
// be read.
std::string referenceText(const std::string& file, std::string_view targetFile,
                          insert::PathStyle style,
                          const std::function<void(std::string_view)>& tell);

// The enabling rules, run after a click on the check box `sender`. Each changes only enabled
// flags, never check marks or values. Returns true when `sender` has such a rule.
bool applyEnablingRule(ControlModel& model, std::string_view sender);
// Runs all four rules (so that the enabled states agree with the check marks everywhere).
void applyAllEnablingRules(ControlModel& model);
// Registers the four rules under the handler names the check boxes carry
// ("OpTagDOC_BODY_BACKGROUNDClick", ...).
void installEnablingRules(ControlModel& model);

} // namespace orvanel::tagdialog
