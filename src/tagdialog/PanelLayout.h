#pragma once
// Where the controls of an attribute panel stand, and how the dialog is laid out around the
// visible panel.
//
// The panel sizes are fixed; the controls inside are placed by one rule: a container's children
// form items in definition order. A switch (label or check box) and the value controls and
// picker buttons of the same key make a row: switch on the left, then its values and pickers in
// definition order, wrapping onto a further line under the first value when they do not fit.
// Consecutive check boxes without values share a row while they fit. Group boxes,
// nested panels, radio groups and grids are boxes of the full column width. Items stack top
// to bottom; an item marked LayoutBreak::Column starts a new column beside the others, one
// marked LayoutBreak::Band a new full-width band below them. A grid takes whatever height its
// panel has left over.

#include "tagdialog/PanelModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

struct LayoutMetrics {
    int margin = 6;          // inside a panel
    int rowHeight = 20;      // one row of controls
    int rowGap = 4;          // between items stacked in a column
    int itemGap = 4;         // between controls of one row
    int columnGap = 6;       // between columns of a band
    int groupTop = 22;       // group box: caption strip
    int groupSide = 4;
    int groupBottom = 6;
    int radioRow = 18;       // one line of radio entries
    int indicator = 25;      // check box or radio indicator with its spacing
    int narrowChar = 7;      // estimated width of an ASCII or half-width character
    int wideChar = 12;       // estimated width of a full-width character
    int pickerWidth = 40;    // "参照" buttons
    int spinWidth = 48;
    int unitWidth = 106;     // second-value lists (units)
    int minFlexible = 50;    // an edit or list sharing a row takes at least this
    int gridMinRows = 3;     // data rows a grid shows at least
    int gridRowHeight = 20;
    int switchShare = 55;    // a switch takes at most this percentage of its row
};

// Estimated width in pixels of a caption in the dialog's font.
int estimateTextWidth(std::string_view utf8, const LayoutMetrics& m = {});
// Estimated width a control needs to show its caption completely (indicator included).
int captionWidthNeeded(const ControlDef& def, const LayoutMetrics& m = {});

// Places every control of the panel inside its width and height (the panel's bounds.w/h).
void layoutPanel(ControlDef& panel, const LayoutMetrics& m = {});

// A description of something the layout could not fit, for tests and for the screenshots.
struct LayoutProblem {
    std::string control;
    std::string what;
};
// Controls outside their parent, overlapping siblings, captions or radio entries that do not
// fit, empty bounds.
std::vector<LayoutProblem> checkLayout(const ControlDef& panel, const LayoutMetrics& m = {});

// The dialog around the visible panel: the panel at 10,10; OK at (width − 145, height + 20),
// cancel at (width − 65, height + 20); the dialog (width + 25) × (height + 80).
struct DialogGeometry {
    Bounds panel;
    Bounds ok;
    Bounds cancel;
    int width = 0;
    int height = 0;
};
DialogGeometry dialogGeometry(int panelWidth, int panelHeight);

} // namespace orvanel
