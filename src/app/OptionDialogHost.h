#pragma once
// Connects the options dialog and the input support dialog to the palette: the palette's
// options command shows the dialog modally (the target does not follow the program's own
// windows meanwhile), OK has the palette register its hot key, update its menus and
// rebuild its user tags, the reference buttons use the palette's open-file dialog, and the
// hot-key capture reads the keys down now.

namespace orvanel {

class Keyboard;
class TMainForm;
class TOptionDialogForm;
class TSupportDialogForm;

// All must live until the program ends (the dialogs are created once, at start-up).
void connectOptionDialog(TOptionDialogForm& dialog, TSupportDialogForm& support, TMainForm& palette,
                         Keyboard& keyboard);

} // namespace orvanel
