#include "app/OptionDialogHost.h"

#include "app/TMainForm.h"
#include "options/TOptionDialogForm.h"
#include "options/TSupportDialogForm.h"

namespace orvanel {

void connectOptionDialog(TOptionDialogForm& dialog, TSupportDialogForm& support, TMainForm& palette,
                         Keyboard& keyboard)
{
    dialog.setHost(OptionDialogHost{
        [&palette] { palette.SetHotKey(); },
        [&palette] { palette.UpdateMenu(); },
        [&palette] { palette.LoadUserTag(); },
        &palette.OpenDialog(),
        &keyboard,
    });
    dialog.setShowSupportPanel(
        [&support](const options::SupportDialogValues& values) { return support.ShowSupportPanel(values); });
    palette.onOption = [&dialog, &palette] {
        FollowSuspension suspended(palette.target());
        dialog.exec();
    };
}

} // namespace orvanel
