#pragma once
// Set-up of the three builder grids (frames, combo-box options, list-box options) and the
// registration of their events in the control model.

#include "tagdialog/PanelModel.h"

namespace orvanel::tagdialog {

// Sets the headers, row counts and first cells of the frame grid (rows "1" and "2", sizes
// "50%") and of the two option grids (row "1"). Runs once, when the dialog is created.
void InitializePanel(ControlModel& model);

// Registers the events of the three grids and their editors under the handler names the
// controls carry ("OpVal1FRAME_FRAMESET_FRAME_NUMChange", "OpTagFORM_LISTBOX_OPTIONClick",
// ...). While a selected row is loaded into the editors, their change events write nothing
// back into the grid, even when the widgets report the loaded values as changes.
void installGridHandlers(ControlModel& model);

} // namespace orvanel::tagdialog
