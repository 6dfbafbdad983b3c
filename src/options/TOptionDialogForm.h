#pragma once
// The options dialog ("設定"): five pages that edit the palette's Settings record and, on
// the page "タグ登録", the user tag groups. Every showing fills the controls from the
// settings (FormShow); only OK copies them back and has the palette apply them. The rules
// live in the core (OptionDialogRules, UserTagEditor); the window renders their values and
// forwards its events.

#include "options/OptionDialogRules.h"
#include "options/SupportDialog.h"
#include "options/UserTagEditor.h"
#include "platform/Keyboard.h"
#include "tagdialog/OpenDialogState.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace orvanel {

// What the options dialog asks of the palette.
struct OptionDialogHost {
    std::function<void()> SetHotKey;   // registers Settings.HotKey, telling a failure itself
    std::function<void()> UpdateMenu;  // brings the browser and program items up to date
    std::function<void()> LoadUserTag; // rebuilds the user tag menus and pages
    OpenDialogState* OpenDialog = nullptr; // the palette's open-file dialog
    Keyboard* keyboard = nullptr;          // the keys down now, for the hot-key capture
};

class TOptionDialogForm : public QDialog {
    Q_OBJECT
public:
    // Shows the input support dialog with these values; its SupportResult (empty: cancelled).
    using ShowSupportPanel = std::function<std::string(const options::SupportDialogValues& values)>;

    // Edits `settings`; the user tag files live in `userFolder` (with its trailing "/").
    TOptionDialogForm(Settings& settings, std::string userFolder, QWidget* parent = nullptr);
    ~TOptionDialogForm() override;

    void setHost(OptionDialogHost host);
    void setShowSupportPanel(ShowSupportPanel show) { showSupportPanel_ = std::move(show); }
    void setChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }

    options::UserTagEditor& userTagEditor() { return editor_; }
    QPushButton* okButton() const { return OKBtn; }
    QPushButton* cancelButton() const { return CancelBtn; }

    // ---- the dialog
    // Fills the controls from the settings; runs whenever the dialog is shown.
    void FormShow();
    // Copies the controls into the settings and applies them; false (the dialog stays open)
    // when a changed user tag file could not be written.
    bool OKBtnClick();
    void RefBtnClick(QObject* sender);
    // Sets the text of the edit field of that name; nothing when there is none.
    void ShowTextToEdit(const QString& name, const QString& text);
    void EditSetHotKeyKeyDown(const QKeyEvent& event);
    void EditSetHotKeyKeyUp(const QKeyEvent& event);

    // ---- the extension list
    void ListViewExtClick();
    void BtnAddExtClick();
    void BtnChangeExtClick();
    void BtnDelExtClick();

    // ---- the user tag editor (page "タグ登録")
    void ListBoxSetTagGroupClick();
    void BtnTagGroupAddClick();
    void BtnTagGroupEditClick();
    void BtnTagGroupDelClick();
    void BtnTagGroupUpClick();
    void BtnTagGroupDownClick();
    void BtnSetTagAddClick();
    void BtnSetTagEditClick();
    void BtnSetTagDelClick();
    void BtnSetTagUpClick();
    void BtnSetTagDownClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildKihon();
    void buildSetExt();
    void buildSetTag();
    void buildBrowser();
    void buildProgram();
    QPushButton* refButton(QWidget* parent, const char* name, const char* hint);

    // values_ into the controls, and back.
    void showValues();
    void readValues();
    void showExtList();
    void showGroups();
    void showTags();
    void tell(std::string_view message);
    // Runs a button of the user tag editor that asks the support dialog first: `request`
    // gives its values (nullopt: no dialog), `answer` takes its result.
    template <class Request, class Answer>
    void withSupportPanel(Request request, Answer answer);

    Settings& settings_;
    options::UserTagEditor editor_;
    options::OptionDialogValues values_;
    OptionDialogHost host_;
    OpenDialogState ownOpenState_; // until the palette's is set
    ShowSupportPanel showSupportPanel_;
    ChooseFile chooseFile_;
    int syncing_ = 0; // > 0 while the controls follow the values: their signals are no user's

    // Components, by their names.
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTabWidget* PageOption = nullptr;
    QWidget* TabOpKihon = nullptr;
    QWidget* TabOpSetExt = nullptr;
    QWidget* TabOpSetTag = nullptr;
    QWidget* TabOpBrowser = nullptr;
    QWidget* TabOpProgram = nullptr;
    QWidget* RadioSetTagFace = nullptr;
    QRadioButton* RadioSetTagFaceItems[3] = {};
    QComboBox* ComboBoxSetInsertMethod = nullptr;
    QCheckBox* SetAutoActive = nullptr;
    QLineEdit* EditSetHotKey = nullptr;
    QLineEdit* EditExt = nullptr;
    QLineEdit* EditExe = nullptr;
    QTableWidget* ListViewExt = nullptr;
    QLabel* LabelReference = nullptr;
    QListWidget* ListBoxSetTagGroup = nullptr;
    QListWidget* ListBoxSetTagName = nullptr;
    QListWidget* ListBoxSetTagValue = nullptr; // the templates beside the names, never shown
    QRadioButton* RadioBtnBrowserIE = nullptr;
    QRadioButton* RadioBtnBrowserNN = nullptr;
    QRadioButton* RadioBtnBrowserETC = nullptr;
    QLineEdit* EditBrowserIE = nullptr;
    QLineEdit* EditBrowserNN = nullptr;
    QLineEdit* EditBrowserETC = nullptr;
    QLineEdit* EditProName[3] = {};
    QLineEdit* EditProPath[3] = {};
};

} // namespace orvanel
