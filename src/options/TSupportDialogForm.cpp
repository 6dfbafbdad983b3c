#include "options/TSupportDialogForm.h"

#include "options/OptionDialogWidgets.h"
#include "text/UserErrorBox.h"

#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanel {

namespace {

using optionwidgets::qs;

// A panel of the dialog: hidden except while the dialog shows it; its hint is the caption.
QWidget* makePanel(QWidget* parent, const char* name, options::SupportPanelId id, QSize size)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setToolTip(qs(options::supportPanelHint(id)));
    panel->setAccessibleName(panel->toolTip());
    panel->setFixedSize(size);
    panel->hide();
    new QVBoxLayout(panel);
    panel->layout()->setContentsMargins(0, 0, 0, 0);
    return panel;
}

// A label and the control it names, one below the other.
template <class Control>
Control* addLabelled(QWidget* panel, const char* name, const char* label)
{
    auto* control = new Control(panel);
    control->setObjectName(QString::fromLatin1(name));
    panel->layout()->addWidget(optionwidgets::labelFor(control, label));
    panel->layout()->addWidget(control);
    return control;
}

QPlainTextEdit* addMemo(QWidget* panel, const char* name, const char* label)
{
    auto* memo = addLabelled<QPlainTextEdit>(panel, name, label);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setTabChangesFocus(true);
    return memo;
}

} // namespace

TSupportDialogForm::TSupportDialogForm(QWidget* parent)
    // In front like the dialogs that show it, which stay in front of other windows.
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    using options::SupportPanelId;
    setObjectName(QStringLiteral("SupportDialogForm"));
    setWindowTitle(QStringLiteral("入力支援ダイアログ"));
    setModal(true);

    PnlSetTagGroup = makePanel(this, "PnlSetTagGroup", SupportPanelId::PnlSetTagGroup, {300, 50});
    EditTagGroupName = addLabelled<QLineEdit>(PnlSetTagGroup, "EditTagGroupName", "タグのグループ名を入力して下さい");

    PnlSetTag = makePanel(this, "PnlSetTag", SupportPanelId::PnlSetTag, {380, 300});
    EditTagName = addLabelled<QLineEdit>(PnlSetTag, "EditTagName", "タグ名");
    MemoTagPre = addMemo(PnlSetTag, "MemoTagPre", "タグの前半部分を入力してください");
    MemoTagPos = addMemo(PnlSetTag, "MemoTagPos", "タグの後半部分を入力してください");

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    for (QPushButton* button : {OkBtn, CancelBtn}) {
        button->setAccessibleName(button->text());
        button->resize(75, 25);
    }
    connect(OkBtn, &QPushButton::clicked, this, [this] {
        Guarded(this, [&] {
            OkBtnClick();
            accept();
        });
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject); // Esc runs reject too
}

QWidget* TSupportDialogForm::panel(options::SupportPanelId id) const
{
    return id == options::SupportPanelId::PnlSetTagGroup ? PnlSetTagGroup : PnlSetTag;
}

std::string TSupportDialogForm::ShowSupportPanel(const options::SupportDialogValues& values)
{
    supportResult_.clear();
    SupportPanel = values.SupportPanel;
    EditTagGroupName->setText(qs(values.EditTagGroupName));
    EditTagName->setText(qs(values.EditTagName));
    MemoTagPre->setPlainText(qs(values.MemoTagPre));
    MemoTagPos->setPlainText(qs(values.MemoTagPos));

    QWidget* shown = panel(SupportPanel);
    shown->show();
    setWindowTitle(shown->toolTip());
    // The panel at (10, 10), the buttons below its right end, the window around them (a
    // window of the panel's size + 25 by + 80, frame and caption included).
    const QSize size = shown->size();
    shown->move(10, 10);
    OkBtn->move(size.width() - 145, size.height() + 20);
    CancelBtn->move(size.width() - 65, size.height() + 20);
    setFixedSize(size.width() + 20, size.height() + 55);
    (SupportPanel == options::SupportPanelId::PnlSetTagGroup ? EditTagGroupName : EditTagName)->setFocus();
    exec();
    return supportResult_;
}

options::SupportDialogValues TSupportDialogForm::values() const
{
    options::SupportDialogValues values;
    values.SupportPanel = SupportPanel;
    values.EditTagGroupName = EditTagGroupName->text().toStdString();
    values.EditTagName = EditTagName->text().toStdString();
    values.MemoTagPre = MemoTagPre->toPlainText().toStdString();
    values.MemoTagPos = MemoTagPos->toPlainText().toStdString();
    return values;
}

void TSupportDialogForm::OkBtnClick()
{
    supportResult_ = options::OkBtnClick(values());
}

void TSupportDialogForm::FormHide()
{
    panel(SupportPanel)->hide();
}

void TSupportDialogForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

} // namespace orvanel
