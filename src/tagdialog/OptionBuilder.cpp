#include "tagdialog/OptionBuilder.h"

#include "tagdialog/ComposeValues.h"
#include "text/TextOps.h"

namespace orvanel::tagdialog {
namespace {

struct OptionControls {
    Control* grid = nullptr;
    Control* count = nullptr;
    Control* shown = nullptr;
    Control* sent = nullptr;
    Control* selected = nullptr;
};

OptionControls controlsOf(ControlModel& model, std::string_view prefix)
{
    const std::string p(prefix);
    return {model.find("OpTag" + p), model.find("OpVal1" + p + "_NUM"),
            model.find("OpVal1" + p + "_SEL"), model.find("OpVal1" + p + "_VALUE"),
            model.find("OpTag" + p + "_SELECTED")};
}

} // namespace

std::string GetFORMOption(const Control& grid, std::string_view templ)
{
    std::string result;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        std::string line = text::replaceAllIgnoreCase(templ, kSlot, grid.cell(r, option::Shown));
        // Without a sent text the option sends its displayed text: an empty VALUE would
        // send nothing instead.
        if (const std::string& sent = grid.cell(r, option::Sent); !sent.empty())
            line = insertBeforeFirstGt(line, " VALUE=\"" + sent + "\"");
        if (!grid.cell(r, option::Selected).empty())
            line = insertBeforeFirstGt(line, " SELECTED");
        result += "%CR%";
        result += line;
    }
    return result;
}

void optionCountChanged(ControlModel& model, std::string_view prefix)
{
    const OptionControls c = controlsOf(model, prefix);
    if (!c.grid || !c.count)
        return;
    const int n = c.count->value();
    c.grid->setRowCount(n);
    for (int r = 1; r <= n; ++r)
        c.grid->setCell(r, option::Number, std::to_string(r));
}

void optionRowSelected(ControlModel& model, std::string_view prefix)
{
    const OptionControls c = controlsOf(model, prefix);
    if (!c.grid)
        return;
    const int r = c.grid->selectedRow();
    if (c.shown)
        c.shown->setText(c.grid->cell(r, option::Shown));
    if (c.sent)
        c.sent->setText(c.grid->cell(r, option::Sent));
    if (c.selected)
        c.selected->setChecked(c.grid->cell(r, option::Selected) == "check");
}

void optionShownChanged(ControlModel& model, std::string_view prefix)
{
    const OptionControls c = controlsOf(model, prefix);
    if (c.grid && c.shown)
        c.grid->setCell(c.grid->selectedRow(), option::Shown, c.shown->text());
}

void optionSentChanged(ControlModel& model, std::string_view prefix)
{
    const OptionControls c = controlsOf(model, prefix);
    if (c.grid && c.sent)
        c.grid->setCell(c.grid->selectedRow(), option::Sent, c.sent->text());
}

void optionSelectedClicked(ControlModel& model, std::string_view prefix)
{
    const OptionControls c = controlsOf(model, prefix);
    if (c.grid && c.selected)
        c.grid->setCell(c.grid->selectedRow(), option::Selected, c.selected->checked() ? "check" : "");
}

} // namespace orvanel::tagdialog
