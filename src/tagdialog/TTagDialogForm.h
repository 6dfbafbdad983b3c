#pragma once
// The tag attribute dialog: renders the 24 panels of the control model as Qt widgets and keeps
// widgets and model in step both ways. One panel is visible at a time; OK composes the tag
// from the panel's controls and hands it to the insertion the palette provides.

#include "tagdialog/OpenDialogState.h"
#include "tagdialog/PanelModel.h"
#include "tagdialog/Pickers.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QPushButton;
class QWidget;

namespace orvanel {

namespace catalogue {
class ButtonTagList;
}

class TTagDialogForm : public QDialog {
    Q_OBJECT
public:
    // Composes the tag of the visible panel (the panel's entry template filled from its
    // controls). The palette passes its button tag list through setButtonTagList.
    using Compose = std::function<std::string(const Control& panel)>;
    // Receives the composed tag text (the palette applies the letter case and inserts it).
    using Insert = std::function<void(const std::string& tagText)>;
    using ChooseFile = orvanel::ChooseFile;
    // Shows the colour chooser starting on the given colour; nullopt when cancelled.
    using ChooseColour = std::function<std::optional<std::uint32_t>(std::uint32_t start)>;

    explicit TTagDialogForm(QWidget* parent = nullptr);
    ~TTagDialogForm() override;

    ControlModel& model() { return *model_; }

    // Makes the panel of exactly that name the visible one and lays the dialog out around it;
    // false, and nothing changes, when there is no such panel. Does not show the dialog.
    bool ShowPanel(const std::string& panelName);
    // Sets the text of the edit of that name (case ignored) and runs its change event; does
    // nothing for a name that is no edit.
    void ShowTextToEdit(const std::string& editName, const std::string& text);
    // OK: compose the visible panel's tag and hand it to the insertion; the dialog then closes.
    void OkBtnClick();
    // Runs whenever the dialog is hidden: hides the current panel again.
    void FormHide();

    // The panel ShowPanel made visible last, or nullptr before the first.
    const Control* CurrentPanel() const { return currentPanel_; }
    // The widget showing a control (objectName == control name), or nullptr (also before its
    // panel was first shown: a panel's widgets are made then).
    QWidget* widgetOf(const std::string& controlName) const;
    QPushButton* okButton() const { return okBtn_; }
    QPushButton* cancelButton() const { return cancelBtn_; }

    // ---- wiring by the palette
    void setButtonTagList(const catalogue::ButtonTagList* list);
    void setCompose(Compose compose) { compose_ = std::move(compose); }
    void setInsert(Insert insert) { insert_ = std::move(insert); }
    // The text a chosen file puts into its edit (the palette's relative path rule).
    void setReferenceText(std::function<std::string(const std::string& file)> f) { referenceText_ = std::move(f); }
    // The palette's open-file dialog, shared with the program's other file choosers.
    void setOpenDialogState(OpenDialogState* state) { openState_ = state ? state : &ownOpenState_; }
    void setChooseFile(ChooseFile f) { chooseFile_ = std::move(f); }
    void setChooseColour(ChooseColour f) { chooseColour_ = std::move(f); }
    tagdialog::ColourPickerState& colourState() { return colourState_; }

    // Picker buttons ("Ref"/"Col" + an edit's name).
    void RefBtnClick(const Control& button);
    void ColBtnClick(const Control& button);

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPanel(Control& panel);
    QWidget* createWidget(Control& control, QWidget* parent);
    void syncWidget(const Control& control);
    void userChanged(Control& control, ControlEvent event);
    void showComposeError(const std::string& message);

    std::unique_ptr<ControlModel> model_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    Control* currentPanel_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    int syncing_ = 0;  // > 0 while the widgets follow the model: their signals are not user edits

    const catalogue::ButtonTagList* buttonTagList_ = nullptr;
    Compose compose_;
    Insert insert_;
    std::function<std::string(const std::string&)> referenceText_;
    OpenDialogState ownOpenState_;  // until the palette's is set
    OpenDialogState* openState_ = &ownOpenState_;
    tagdialog::ColourPickerState colourState_;
    ChooseFile chooseFile_;
    ChooseColour chooseColour_;
};

} // namespace orvanel
