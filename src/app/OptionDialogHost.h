#pragma once
// Connects the options dialog and the input support dialog to the palette: the palette's
// options command shows the dialog modally (the target does not follow the program's own
// windows meanwhile), OK has the palette register its hot key, update its menus and
// rebuild its user tags, the reference buttons use the palette's open-file dialog, and the
// hot-key capture reads the keys down now.

#include <memory>
#include <string>

namespace orvanel {

class Keyboard;
class TMainForm;
class TOptionDialogForm;
class TSupportDialogForm;

// The options dialog is made in `dialog` when the palette's options command is first given,
// and the support dialog in `support` when the options dialog first asks for it: most runs
// open neither. The slots, the palette and the keyboard must live until the program ends.
void connectOptionDialogWhenNeeded(std::unique_ptr<TOptionDialogForm>& dialog,
                                   std::unique_ptr<TSupportDialogForm>& support, TMainForm& palette,
                                   Keyboard& keyboard, std::string userFolder);

} // namespace orvanel
