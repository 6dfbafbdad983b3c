#pragma once
// Connects the tag dialog to the palette: the palette's group buttons and dialog leaves open
// its panels, OK inserts through the palette's inserter in the configured letter case, and
// reference buttons use the palette's open-file dialog and give paths relative to the page
// being edited.

#include <memory>

namespace orvanel {

class TMainForm;
class TTagDialogForm;

// Both must live until the program ends.
void connectTagDialog(TTagDialogForm& dialog, TMainForm& palette);

// The same, with the dialog made in `slot` the first time the palette opens a panel: most
// runs never open one, and the dialog's panels cost start-up time and memory. `slot` and
// the palette must live until the program ends.
void connectTagDialogWhenNeeded(std::unique_ptr<TTagDialogForm>& slot, TMainForm& palette);

} // namespace orvanel
