#pragma once
// The palette: a small window, normally always in front, beside the user's editor. It
// carries the target window line, two small toolbars, the nine tag pages and the main menu
// with the tag menu, and the user's tag groups as submenus and pages after the built-in ones.
// Its creation loads the program (tag lists, user tag groups, settings, hot key), its close
// saves the settings, and every press on it re-finds the target window. Its file commands
// start the programs of HTML work through the launchers.

#include "app/AppBar.h"
#include "options/Settings.h"
#include "catalogue/ButtonTagList.h"
#include "catalogue/UserTagWidgets.h"
#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "launch/Launcher.h"
#include "project/TPrjMngr.h"
#include "tagdialog/OpenDialogState.h"
#include "text/KeyedTextList.h"

#include <QMainWindow>
#include <QPointer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace orvanel {

class Backend;

// The tag dialog as the palette's tag commands see it: ShowPanel prepares the panel of
// that name ("Panel" + key) and says whether the dialog has one; ShowTextToEdit fills an
// edit of it by name; execModal shows the dialog modally and returns when it has closed.
struct PanelHost {
    std::function<bool(const std::string& panelName)> ShowPanel;
    std::function<void()> execModal;
    std::function<void(const std::string& editName, const std::string& text)> ShowTextToEdit;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole creation sequence (tag lists, tag menus, settings, form style, hot
    // key, menus); throws UserError when a tag list file cannot be read. The tag lists are
    // read from `exeFolder`; the settings file and the user tag groups live in `userFolder`
    // (the same folder when empty). A user folder without a group list first gets the groups
    // shipped in `exeFolder` + "html5/".
    TMainForm(Backend& backend, std::string exeFolder, std::string userFolder = {},
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- the program's state owned by the palette
    Backend& backend() { return backend_; }
    Settings& settings() { return settings_; }
    const WindowState& windowState() const { return windowState_; }
    // The program's one open-file dialog: it starts in Option/InitialDir, every file chooser
    // of the program uses it, and its folder is saved back at close.
    OpenDialogState& OpenDialog() { return openDialog_; }
    TargetState& target() { return target_; }
    TagInserter& inserter() { return inserter_; }
    launch::Launcher& launcher() { return launcher_; }
    const PanelHost& panelHost() const { return panelHost_; }
    const ChooseFile& chooseFile() const { return chooseFile_; }
    QAction* menuToolPrjMngr() const { return MenuToolPrjMngr; }
    const text::KeyedTextList& menuTagList() const { return menuTagList_; }
    const catalogue::ButtonTagList& buttonTagList() const { return buttonTagList_; }
    const text::KeyedTextList& userTagList() const { return userTagList_; }
    const std::string& exeFolder() const { return exeFolder_; }
    // The path of the settings file the palette reads and writes.
    std::string settingsPath() const;
    // 0 no project manager window, 1 open, 2 closed by the user but not yet released.
    int ProjectManagerState() const { return settings_.ProjectManagerState; }
    TPrjMngr* projectManager() const { return prjMngr_; }
    int PaletteHeight() const { return paletteHeight_; }
    static constexpr int PaletteWidth = 535;
    QToolButton* DropDownButton() const { return dropDownButton_; }

    // The tag dialog, once it exists; without it no panel is ever shown.
    void setPanelHost(PanelHost host) { panelHost_ = std::move(host); }
    // The file chooser of MenuFileOpenClick (the system's file dialog unless replaced).
    void setChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }

    // ---- methods and handlers
    void AppIdleHandler();
    void AppActivate();
    void UpdateMenu();
    void SetHotKey();
    int PrjMngrSwitch(bool open);
    void PanelTargetResize();
    void MenuFileCloseClick();
    void MenuToolAppBarClick();
    // Docks the palette to the strip at the top of the screen; when the window manager
    // refuses, says so and the palette stays where it is, undocked.
    void DockAppBar();
    // Undocks when docked; the palette keeps its place until the caller moves it.
    void UndockAppBar();
    void MenuToolStayOnTopClick();
    void MenuToolPrjMngrClick();
    void BtnLockTargetWindowClick();

    // File commands: a new file in the editor of "txt" (else "html"); an existing file,
    // chosen in the open-file dialog, in the program of its extension; the page behind the
    // target window in a browser; an external program.
    void MenuFileNewClick();
    void MenuFileOpenClick();
    void PreviewInBrowser(const std::string& browser);
    void RunExternalProgram(const std::string& commandLine);

    // Tag commands: each handler tells its source apart by the sender's name.
    void LoadTagMenu();
    void TagBtnClick(QObject* sender);
    void TagGroupBtnClick(QObject* sender);
    void TagMenuItemClick(QObject* sender);
    void TagGroupMenuItemClick(QObject* sender);
    void OpPopMenuPopup(QObject* sender);
    void TagOpPopClick(QObject* sender);

    // User tag groups: read again from the user folder and shown anew (also by the options
    // dialog after its OK), and the click on one of their items or buttons.
    void LoadUserTag();
    void LoadUserTagMnBtn();
    void TagUserMnBtnClick(QObject* sender);

    // The hot key was pressed: the program comes forward, the target is found again and
    // PopTag opens at the mouse.
    void hotKeyPressed();

    // Hooks for the parts of the program that live in other windows. Each runs when its
    // menu item or button is used; without one the command does nothing.
    std::function<void()> onOption, onVerInfo;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildForm();
    void buildMainMenu();
    void buildTagPages();
    void loadSettings();
    void saveSettings();
    void FormClose();
    void setStayOnTop(bool onTop);
    void snapProjectManager();
    void panelRequested(const std::string& panelKey);
    void insertTemplate(const std::string& tmpl);
    int computePaletteHeight();
    // The undocked window: the fixed height, any width from PaletteWidth on.
    void setUndockedSize();
    // While docked, a move or resize that came from elsewhere is undone.
    void holdAtStrip();
    // MenuToolAppBar checked and BtnAppBar down as the palette is docked.
    void showDocked();
    void installShippedGroups();
    // Shows a message of a command (over the palette once it is shown).
    void tell(std::string_view message);

    Backend& backend_;
    std::string exeFolder_;
    std::string userFolder_;
    Settings settings_;
    WindowState windowState_;
    OpenDialogState openDialog_;
    TargetState target_;
    TagInserter inserter_;
    AppBar appBar_;
    text::KeyedTextList menuTagList_;
    catalogue::ButtonTagList buttonTagList_;
    text::KeyedTextList userTagList_;
    catalogue::UserTagWidgets userTagWidgets_;
    launch::Launcher launcher_;
    PanelHost panelHost_;
    ChooseFile chooseFile_;
    int paletteHeight_ = 131;
    bool closed_ = false;
    bool closeAttempted_ = false;
    int prjMngrStateAtClose_ = 0;
    bool idleHooked_ = false;
    bool dockWhenShown_ = false; // Option/AppBar was set at start-up
    const void* lastPress_ = nullptr; // the press that last ran AppActivate
    quint64 lastPressTime_ = 0;
    bool activating_ = false; // AppActivate is running for a press
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> deferredMouse_;

    QPointer<QToolButton> dropDownButton_;
    QPointer<TPrjMngr> prjMngr_;

    // Components, by their names.
    QWidget* PanelBase = nullptr;
    QWidget* PanelTarget = nullptr;
    QLabel* LabelTargetWindow = nullptr;
    QLineEdit* EditTargetWindow = nullptr;
    QToolBar* BarFixTargetWindow = nullptr;
    QToolButton* BtnLockTargetWindow = nullptr;
    QWidget* PanelMainBtn = nullptr;
    QToolBar* BtnBar1 = nullptr;
    QToolBar* BtnBar2 = nullptr;
    QToolButton* BtnNew = nullptr;
    QToolButton* BtnOpen = nullptr;
    QToolButton* BtnPreview = nullptr;
    QToolButton* BtnOption = nullptr;
    QToolButton* BtnAppBar = nullptr;
    QToolButton* BtnStayOnTop = nullptr;
    QWidget* PanelTagBtn = nullptr;
    QTabWidget* PageTag = nullptr;
    QMenu* MenuItemFile = nullptr;
    QMenu* MenuItemTag = nullptr;
    QMenu* MenuItemTool = nullptr;
    QMenu* MenuItemHelp = nullptr;
    QAction* MenuFileNew = nullptr;
    QAction* MenuFileOpen = nullptr;
    QAction* MenuFileClose = nullptr;
    QAction* MenuToolOption = nullptr;
    QAction* MenuToolAppBar = nullptr;
    QAction* MenuToolStayOnTop = nullptr;
    QAction* MenuToolPrjMngr = nullptr;
    QAction* MenuToolPreviewIE = nullptr;
    QAction* MenuToolPreviewNN = nullptr;
    QAction* MenuToolPreviewETC = nullptr;
    QAction* MenuToolProgram[3] = {};
    QAction* MenuHelpHelp = nullptr;
    QAction* MenuHelpVerInfo = nullptr;
    QMenu* PopAlignLCR = nullptr;
    QMenu* PopTag = nullptr;
};

} // namespace orvanel
