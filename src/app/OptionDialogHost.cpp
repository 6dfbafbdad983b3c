#include "app/OptionDialogHost.h"

#include "app/TMainForm.h"
#include "options/TOptionDialogForm.h"
#include "options/TSupportDialogForm.h"

#include <utility>

namespace orvanel {

void connectOptionDialogWhenNeeded(std::unique_ptr<TOptionDialogForm>& dialog,
                                   std::unique_ptr<TSupportDialogForm>& support, TMainForm& palette,
                                   Keyboard& keyboard, std::string userFolder)
{
    palette.onOption = [&dialog, &support, &palette, &keyboard, folder = std::move(userFolder)] {
        if (!dialog) {
            dialog = std::make_unique<TOptionDialogForm>(palette.settings(), folder);
            dialog->setHost(OptionDialogHost{
                [&palette] { palette.SetHotKey(); },
                [&palette] { palette.UpdateMenu(); },
                [&palette] { palette.LoadUserTag(); },
                &palette.OpenDialog(),
                &keyboard,
            });
            dialog->setShowSupportPanel([&support](const options::SupportDialogValues& values) {
                if (!support)
                    support = std::make_unique<TSupportDialogForm>();
                return support->ShowSupportPanel(values);
            });
        }
        FollowSuspension suspended(palette.target());
        dialog->exec();
    };
}

} // namespace orvanel
