#include "tagdialog/FrameBuilder.h"

#include "tagdialog/ComposeValues.h"
#include "text/TextOps.h"

#include <algorithm>
#include <cstdint>

namespace orvanel::tagdialog {
namespace {

Control* find(ControlModel& model, std::string_view name) { return model.find(name); }

// The unit of the size cell: "%" for the percent entry, empty for the pixel entry; a typed
// text that is no entry counts as it reads, cut before " :" when it has a colon.
std::string unitText(const Control& unitList)
{
    return cutBeforeColon(unitList.text());
}

void rebuildSplitSizes(ControlModel& model, const Control& grid)
{
    if (Control* split = find(model, frame::kSplitSizes))
        split->setText(splitSizeText(grid));
}

// The size cell from the spin and the unit list: 50 and "%" give "50%", 120 and the pixel
// entry give "120".
void writeSizeCell(ControlModel& model, Control& grid)
{
    Control* spin = find(model, frame::kSize);
    Control* unit = find(model, frame::kUnit);
    if (!spin || !unit)
        return;
    grid.setCell(grid.selectedRow(), frame::Size, std::to_string(spin->value()) + unitText(*unit));
}

} // namespace

std::string GetFRAMEOption(const Control& grid, std::string_view templ)
{
    std::string result;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        std::string line = text::replaceAllIgnoreCase(templ, "NAME =\"", "NAME=\"" + grid.cell(r, frame::Name));
        line = text::replaceAllIgnoreCase(line, "SRC=\"", "SRC=\"" + grid.cell(r, frame::Page));
        if (const std::string& scroll = grid.cell(r, frame::Scroll); !scroll.empty())
            line = insertBeforeFirstGt(line, " SCROLLING=\"" + scroll + "\"");
        if (const std::string& noResize = grid.cell(r, frame::NoResize); !noResize.empty())
            line = insertBeforeFirstGt(line, " " + noResize);
        result += "%CR%";
        result += line;
    }
    return result;
}

std::string splitSizeText(const Control& grid)
{
    std::string text;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        if (r > 1)
            text += ',';
        text += grid.cell(r, frame::Size);
    }
    return text;
}

void frameCountChanged(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* count = find(model, frame::kCount);
    if (!grid || !count)
        return;
    const int n = count->value();
    grid->setRowCount(n);
    for (int r = 1; r <= n; ++r) {
        grid->setCell(r, frame::Number, std::to_string(r));
        if (grid->cell(r, frame::Size).empty())
            grid->setCell(r, frame::Size, "*");
    }
    rebuildSplitSizes(model, *grid);
}

void frameRowSelected(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    if (!grid)
        return;
    const int r = grid->selectedRow();
    if (Control* name = find(model, frame::kName))
        name->setText(grid->cell(r, frame::Name));
    if (Control* page = find(model, frame::kPage))
        page->setText(grid->cell(r, frame::Page));
    if (Control* scroll = find(model, frame::kScroll)) {
        const std::string& s = grid->cell(r, frame::Scroll);
        scroll->setText(s.empty() ? std::string(kUnspecified)
                        : s == "auto" ? "auto : 自動"
                        : s == "yes"  ? "yes : あり"
                                      : "no : なし");
    }
    if (Control* noResize = find(model, frame::kNoResize))
        noResize->setChecked(grid->cell(r, frame::NoResize) == "noresize");

    Control* box = find(model, frame::kSizeBox);
    Control* spin = find(model, frame::kSize);
    Control* unit = find(model, frame::kUnit);
    const std::string& size = grid->cell(r, frame::Size);
    const bool fixed = size != "*";
    if (box)
        box->setChecked(fixed);
    if (spin)
        spin->setEnabled(fixed);
    if (unit)
        unit->setEnabled(fixed);
    if (!fixed)
        return;
    const bool percent = size.find('%') != std::string::npos;
    const std::string number = percent ? text::firstChars(size, text::charCount(size) - 1) : size;
    if (spin) {
        const long v = parseDecimal(number).value_or(0);
        spin->setValue(static_cast<int>(std::clamp<long>(v, INT32_MIN, INT32_MAX)));
    }
    if (unit)
        unit->setItemIndex(percent ? 0 : 1);
}

void frameNameChanged(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* name = find(model, frame::kName);
    if (grid && name)
        grid->setCell(grid->selectedRow(), frame::Name, name->text());
}

void framePageChanged(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* page = find(model, frame::kPage);
    if (grid && page)
        grid->setCell(grid->selectedRow(), frame::Page, page->text());
}

void frameScrollChanged(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* scroll = find(model, frame::kScroll);
    if (!grid || !scroll)
        return;
    // "指定なし" (no colon) clears the cell; a typed word without a colon counts as it is.
    const std::string& s = scroll->text();
    grid->setCell(grid->selectedRow(), frame::Scroll,
                  s == kUnspecified ? std::string() : cutBeforeColon(s));
}

void frameSizeBoxClicked(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* box = find(model, frame::kSizeBox);
    if (!grid || !box)
        return;
    const bool on = box->checked();
    if (Control* spin = find(model, frame::kSize))
        spin->setEnabled(on);
    if (Control* unit = find(model, frame::kUnit))
        unit->setEnabled(on);
    if (on)
        writeSizeCell(model, *grid);
    else
        grid->setCell(grid->selectedRow(), frame::Size, "*");
    rebuildSplitSizes(model, *grid);
}

void frameSizeChanged(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    if (!grid)
        return;
    writeSizeCell(model, *grid);
    rebuildSplitSizes(model, *grid);
}

void frameNoResizeClicked(ControlModel& model)
{
    Control* grid = find(model, frame::kGrid);
    Control* box = find(model, frame::kNoResize);
    if (grid && box)
        grid->setCell(grid->selectedRow(), frame::NoResize, box->checked() ? "noresize" : "");
}

} // namespace orvanel::tagdialog
