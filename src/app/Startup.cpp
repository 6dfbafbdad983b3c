#include "app/Startup.h"

#include "about/TVerInfoForm.h"
#include "app/ErrorDisplay.h"
#include "app/ExeFolder.h"
#include "app/OptionDialogHost.h"
#include "app/TMainForm.h"
#include "app/ToolkitPictures.h"
#include "options/TOptionDialogForm.h"
#include "options/TSupportDialogForm.h"
#include "platform/Backend.h"
#include "platform/InstanceLock.h"
#include "tagdialog/TTagDialogForm.h"
#include "app/TagDialogHost.h"

#include <QApplication>

#include <memory>

namespace orvanel {

namespace {

constexpr int ExitAlreadyRunning = 255; // -1 as the process's status
constexpr const char* InstanceName = "Orvanel";

} // namespace

int runPalette(int argc, char** argv)
{
    OrvanelApplication app(argc, argv);
    QApplication::setStyle(new ToolkitPictureStyle);
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("orvanel"));

    // The lock needs no display: a second start is told so even without one.
    std::unique_ptr<InstanceLock> lock;
    const InstanceLocks::LockResult result = createInstanceLocks()->acquireInstanceLock(InstanceName, lock);
    if (result == InstanceLocks::LockResult::Failed)
        return ExitAlreadyRunning;
    if (result == InstanceLocks::LockResult::AlreadyRunning) {
        ShowMessage(QString::fromUtf8("Orvanel は複数起動できません。"));
        return ExitAlreadyRunning;
    }
    std::unique_ptr<Backend> backend;
    try {
        backend = createBackend();
    } catch (const std::exception&) {
        ShowMessage(QString::fromUtf8("X ウィンドウシステムに接続できないため、Orvanel を起動できません。"));
        return 1;
    }

    // The windows that live for the whole run: the palette first (closing it ends the
    // program), then the options dialog, the tag dialog and the input support dialog, each
    // made when the palette first needs it.
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TOptionDialogForm> optionDialog;
    std::unique_ptr<TTagDialogForm> tagDialog;
    std::unique_ptr<TSupportDialogForm> supportDialog;
    try {
        mainForm = std::make_unique<TMainForm>(*backend, dataFolder(), userFolder());
        connectTagDialogWhenNeeded(tagDialog, *mainForm);
        connectOptionDialogWhenNeeded(optionDialog, supportDialog, *mainForm, backend->keyboard(), userFolder());
        mainForm->onVerInfo = [palette = mainForm.get(), &programs = backend->programStarter()] {
            ShowVerInfo(palette, programs);
        };
    } catch (const std::exception& error) {
        ShowError(error);
        return 0;
    }
    mainForm->show();
    const int status = QApplication::exec();
    supportDialog.reset();
    tagDialog.reset();
    optionDialog.reset();
    mainForm.reset();
    return status;
}

} // namespace orvanel
