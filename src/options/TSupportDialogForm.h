#pragma once
// The input support dialog ("入力支援ダイアログ"): asks for a tag group's name, or for a
// tag's name and the two halves of its template, on one of its two panels, and answers with
// one text, SupportResult (empty when the user cancelled).

#include "options/SupportDialog.h"

#include <QDialog>

#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvanel {

class TSupportDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TSupportDialogForm(QWidget* parent = nullptr);

    // Fills the controls from `values`, shows the panel values.SupportPanel modally (its
    // hint becomes the caption) and returns SupportResult when the dialog has closed.
    std::string ShowSupportPanel(const options::SupportDialogValues& values);
    // OK: SupportResult from the controls of the panel shown; the dialog then closes.
    void OkBtnClick();
    // Runs whenever the dialog is hidden: hides the panel again.
    void FormHide();

    const std::string& SupportResult() const { return supportResult_; }
    // The controls' values as they stand.
    options::SupportDialogValues values() const;
    QPushButton* okButton() const { return OkBtn; }
    QPushButton* cancelButton() const { return CancelBtn; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* panel(options::SupportPanelId id) const;

    options::SupportPanelId SupportPanel = options::SupportPanelId::PnlSetTagGroup;
    std::string supportResult_;

    QWidget* PnlSetTagGroup = nullptr;
    QWidget* PnlSetTag = nullptr;
    QLineEdit* EditTagGroupName = nullptr;
    QLineEdit* EditTagName = nullptr;
    QPlainTextEdit* MemoTagPre = nullptr;
    QPlainTextEdit* MemoTagPos = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace orvanel
