#pragma once
// Connects the tag dialog to the palette: the palette's group buttons and dialog leaves open
// its panels, OK inserts through the palette's inserter in the configured letter case, and
// reference buttons use the palette's open-file dialog and give paths relative to the page
// being edited.

namespace orvanel {

class TMainForm;
class TTagDialogForm;

// Both must live until the program ends (the dialog is created once, at start-up).
void connectTagDialog(TTagDialogForm& dialog, TMainForm& palette);

} // namespace orvanel
