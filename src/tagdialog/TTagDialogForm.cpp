#include "tagdialog/TTagDialogForm.h"
#include "text/UiFont.h"

#include "catalogue/ButtonTagList.h"
#include "insert/RelativePath.h"
#include "tagdialog/Compose.h"
#include "tagdialog/FrameBuilderSetup.h"
#include "tagdialog/OpenFileDialog.h"
#include "tagdialog/PanelLayout.h"
#include "text/UserErrorBox.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>

#include <climits>
#include <functional>

namespace orvanel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Keeps the widgets' own signals from counting as user edits while they follow the model.
struct SyncGuard {
    int& depth;
    explicit SyncGuard(int& d) : depth(d) { ++depth; }
    ~SyncGuard() { --depth; }
};

void placeWidget(QWidget* w, const Bounds& b) { w->setGeometry(b.x, b.y, b.w, b.h); }

} // namespace

TTagDialogForm::TTagDialogForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      model_(std::make_unique<ControlModel>())
{
    setObjectName(QStringLiteral("TagDialogForm"));
    setWindowTitle(QStringLiteral("ﾀﾞｲｱﾛｸﾞ"));
    setModal(true);
    // The dialog's font: the Japanese UI gothic of 9 points (12 pixels), whose metrics the
    // panel layout assumes.
    QFont f;
    f.setFamilies(japaneseUiFamilies());
    f.setPixelSize(12);
    setFont(f);

    // The panels' widgets are made when a panel is first shown (see ShowPanel), so that the
    // start-up of the program does not pay for 24 panels; the model holds every value from
    // the start.

    okBtn_ = new QPushButton(QStringLiteral("OK"), this);
    okBtn_->setObjectName(QStringLiteral("OkBtn"));
    okBtn_->setDefault(true);
    okBtn_->setAutoDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn_->setAutoDefault(false);
    connect(okBtn_, &QPushButton::clicked, this, [this] {
        // An insertion that stops shows its message; the dialog stays open then.
        Guarded(this, [&] {
            OkBtnClick();
            accept();
        });
    });
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);  // Esc runs reject too

    // The grids' first rows and the events of the grids, their editors and the check boxes
    // that enable others.
    tagdialog::InitializePanel(*model_);
    tagdialog::installGridHandlers(*model_);
    tagdialog::installEnablingRules(*model_);
    model_->setObserver([this](const Control& c) { syncWidget(c); });

    chooseFile_ = [this](OpenDialogState& state) { return showOpenDialog(this, state); };
    chooseColour_ = [this](std::uint32_t start) -> std::optional<std::uint32_t> {
        const QColor c = QColorDialog::getColor(QColor::fromRgb(static_cast<QRgb>(start) | 0xFF000000u), this);
        if (!c.isValid())
            return std::nullopt;
        return static_cast<std::uint32_t>(c.rgb() & 0xFFFFFF);
    };
}

TTagDialogForm::~TTagDialogForm() = default;

QWidget* TTagDialogForm::createWidget(Control& control, QWidget* parent)
{
    QWidget* w = nullptr;
    const QString caption = qs(control.caption());
    switch (control.kind()) {
    case ControlKind::Panel:
    case ControlKind::NestedPanel: w = new QWidget(parent); break;
    case ControlKind::GroupBox: w = new QGroupBox(caption, parent); break;
    case ControlKind::Label: w = new QLabel(caption, parent); break;
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        connect(box, &QCheckBox::clicked, this, [this, &control](bool on) {
            if (syncing_)
                return;
            control.setChecked(on);
            userChanged(control, ControlEvent::Click);
        });
        w = box;
        break;
    }
    case ControlKind::RadioButton: {
        auto* button = new QRadioButton(caption, parent);
        connect(button, &QRadioButton::clicked, this, [this, &control](bool on) {
            if (syncing_)
                return;
            control.setChecked(on);
            userChanged(control, ControlEvent::Click);
        });
        w = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        connect(edit, &QLineEdit::textChanged, this, [this, &control](const QString& text) {
            if (syncing_)
                return;
            control.setText(text.toStdString());
            userChanged(control, ControlEvent::Change);
        });
        w = edit;
        break;
    }
    case ControlKind::List: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& e : control.entries())
            combo->addItem(qs(e));
        connect(combo, &QComboBox::currentTextChanged, this, [this, &control](const QString& text) {
            if (syncing_)
                return;
            control.setText(text.toStdString());
            userChanged(control, ControlEvent::Change);
        });
        w = combo;
        break;
    }
    case ControlKind::SpinEdit: {
        auto* spin = new QSpinBox(parent);
        if (control.bounded())
            spin->setRange(control.minValue(), std::max(control.minValue(), control.maxValue()));
        else
            spin->setRange(INT_MIN, INT_MAX);
        connect(spin, &QSpinBox::valueChanged, this, [this, &control](int v) {
            if (syncing_)
                return;
            control.setValue(v);
            userChanged(control, ControlEvent::Change);
        });
        w = spin;
        break;
    }
    case ControlKind::RadioGroup: {
        auto* box = new QGroupBox(caption, parent);
        auto* layout = new QGridLayout(box);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setHorizontalSpacing(6);
        layout->setVerticalSpacing(0);
        auto* buttons = new QButtonGroup(box);
        const int cols = std::max(control.columns(), 1);
        const int n = static_cast<int>(control.entries().size());
        const int lines = (n + cols - 1) / cols;
        for (int i = 0; i < n; ++i) {
            auto* rb = new QRadioButton(qs(control.entries()[static_cast<std::size_t>(i)]), box);
            rb->setObjectName(qs(control.name()) + QString::number(i));
            buttons->addButton(rb, i);
            layout->addWidget(rb, i % lines, i / lines);  // entries run down the columns
        }
        connect(buttons, &QButtonGroup::idClicked, this, [this, &control](int id) {
            if (syncing_)
                return;
            control.setItemIndex(id);
            userChanged(control, ControlEvent::Click);
        });
        w = box;
        break;
    }
    case ControlKind::Grid: {
        auto* table = new QTableWidget(parent);
        table->setColumnCount(control.columnCount());
        QStringList headers;
        for (int c = 0; c < control.columnCount(); ++c) {
            headers << qs(control.gridColumns()[static_cast<std::size_t>(c)].header);
            table->setColumnWidth(c, control.gridColumns()[static_cast<std::size_t>(c)].width);
        }
        table->setHorizontalHeaderLabels(headers);
        table->horizontalHeader()->setFixedHeight(20);
        table->horizontalHeader()->setMinimumSectionSize(20);
        table->verticalHeader()->hide();
        table->verticalHeader()->setMinimumSectionSize(20);
        table->verticalHeader()->setDefaultSectionSize(20);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(table, &QTableWidget::currentCellChanged, this, [this, &control](int row, int, int, int) {
            if (syncing_ || row < 0)
                return;
            control.setSelectedRow(row + 1);
            userChanged(control, ControlEvent::Click);
        });
        // A click on the row already selected loads it into the editors again.
        connect(table, &QTableWidget::cellClicked, this, [this, &control](int row, int) {
            if (syncing_ || row < 0 || row + 1 != control.selectedRow())
                return;
            userChanged(control, ControlEvent::Click);
        });
        w = table;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, &control] {
            Guarded(this, [&] {
                if (control.name().rfind("Col", 0) == 0)
                    ColBtnClick(control);
                else
                    RefBtnClick(control);
            });
        });
        w = button;
        break;
    }
    }
    w->setObjectName(qs(control.name()));
    w->setAccessibleName(qs(control.accessibleName()));
    if (!control.hint().empty())
        w->setToolTip(qs(control.hint()));
    if (control.kind() == ControlKind::Panel)
        placeWidget(w, dialogGeometry(control.bounds().w, control.bounds().h).panel);
    else
        placeWidget(w, control.bounds());
    widgets_[&control] = w;
    for (const auto& child : control.children())
        createWidget(*child, w);
    return w;
}

void TTagDialogForm::buildPanel(Control& panel)
{
    createWidget(panel, this);
    std::function<void(const Control&)> sync = [&](const Control& c) {
        syncWidget(c);
        for (const auto& child : c.children())
            sync(*child);
    };
    sync(panel);
    okBtn_->raise();
    cancelBtn_->raise();
}

void TTagDialogForm::syncWidget(const Control& control)
{
    auto it = widgets_.find(&control);
    if (it == widgets_.end())
        return;
    QWidget* w = it->second;
    SyncGuard guard(syncing_);
    w->setEnabled(control.enabled());
    if (control.kind() != ControlKind::Panel)
        w->setVisible(control.visible());
    switch (control.kind()) {
    case ControlKind::Panel: w->setVisible(control.visible()); break;
    case ControlKind::CheckBox: static_cast<QCheckBox*>(w)->setChecked(control.checked()); break;
    case ControlKind::RadioButton: static_cast<QRadioButton*>(w)->setChecked(control.checked()); break;
    case ControlKind::Edit: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text().toStdString() != control.text())
            edit->setText(qs(control.text()));
        break;
    }
    case ControlKind::List: {
        auto* combo = static_cast<QComboBox*>(w);
        const int index = control.itemIndex();
        if (combo->currentIndex() != index)
            combo->setCurrentIndex(index);
        if (combo->currentText().toStdString() != control.text())
            combo->setEditText(qs(control.text()));
        break;
    }
    case ControlKind::SpinEdit: static_cast<QSpinBox*>(w)->setValue(control.value()); break;
    case ControlKind::RadioGroup: {
        const auto buttons = w->findChildren<QRadioButton*>();
        for (QRadioButton* rb : buttons)
            rb->setChecked(rb->objectName() == qs(control.name()) + QString::number(control.itemIndex()));
        break;
    }
    case ControlKind::Grid: {
        auto* table = static_cast<QTableWidget*>(w);
        table->setRowCount(control.rowCount());
        for (int r = 1; r <= control.rowCount(); ++r)
            for (int c = 0; c < control.columnCount(); ++c) {
                const QString text = qs(control.cell(r, c));
                QTableWidgetItem* item = table->item(r - 1, c);
                if (!item)
                    table->setItem(r - 1, c, new QTableWidgetItem(text));
                else if (item->text() != text)
                    item->setText(text);
            }
        if (control.rowCount() > 0 && table->currentRow() != control.selectedRow() - 1)
            table->setCurrentCell(control.selectedRow() - 1, std::max(table->currentColumn(), 0));
        break;
    }
    default: break;
    }
}

void TTagDialogForm::userChanged(Control& control, ControlEvent event)
{
    // The handlers of the widgets' signals end here: the guard of every user edit.
    Guarded(this, [&] { model_->fire(control, event); });
}

QWidget* TTagDialogForm::widgetOf(const std::string& controlName) const
{
    const Control* c = model_->find(controlName);
    if (!c)
        return nullptr;
    auto it = widgets_.find(c);
    return it == widgets_.end() ? nullptr : it->second;
}

bool TTagDialogForm::ShowPanel(const std::string& panelName)
{
    Control* panel = model_->panel(panelName);
    if (!panel)
        return false;
    if (!widgets_.count(panel))
        buildPanel(*panel);
    currentPanel_ = panel;
    setWindowTitle(qs(panel->caption()));
    const DialogGeometry g = dialogGeometry(panel->bounds().w, panel->bounds().h);
    placeWidget(widgets_.at(panel), g.panel);
    placeWidget(okBtn_, g.ok);
    placeWidget(cancelBtn_, g.cancel);
    setFixedSize(g.width, g.height);
    panel->setVisible(true);
    return true;
}

void TTagDialogForm::showEvent(QShowEvent* event)
{
    // Centred on the screen each time it is shown, after ShowPanel has sized it.
    if (QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void TTagDialogForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TTagDialogForm::FormHide()
{
    if (currentPanel_)
        currentPanel_->setVisible(false);
}

void TTagDialogForm::ShowTextToEdit(const std::string& editName, const std::string& text)
{
    Control* edit = model_->findIgnoreCase(editName);
    if (!edit || edit->kind() != ControlKind::Edit)
        return;
    edit->setText(text);
    model_->fire(*edit, ControlEvent::Change);
}

void TTagDialogForm::setButtonTagList(const catalogue::ButtonTagList* list)
{
    buttonTagList_ = list;
}

void TTagDialogForm::showComposeError(const std::string& message)
{
    ShowMessage(message, this);
}

void TTagDialogForm::OkBtnClick()
{
    if (!currentPanel_)
        return;
    std::string text;
    if (compose_) {
        text = compose_(*currentPanel_);
    } else {
        static const catalogue::ButtonTagList empty;
        const tagdialog::Composer composer(buttonTagList_ ? *buttonTagList_ : empty,
                                           [this](const std::string& m) { showComposeError(m); });
        text = composer.composePanel(*currentPanel_);
    }
    if (insert_)
        insert_(text);
}

void TTagDialogForm::RefBtnClick(const Control& button)
{
    openState_->useFilterOfTag(button.tag());
    const std::optional<std::string> file = chooseFile_ ? chooseFile_(*openState_) : std::nullopt;
    if (!file)
        return;
    std::string text;
    if (referenceText_) {
        text = referenceText_(*file);
    } else {
        // No page being edited is known here: the relative-path rule tells the user so and
        // gives the absolute path.
        text = tagdialog::referenceText(*file, {}, insert::nativePathStyle(),
                                        [this](std::string_view m) { ShowMessage(std::string(m), this); });
    }
    ShowTextToEdit(tagdialog::pickerTarget(button.name()), text);
}

void TTagDialogForm::ColBtnClick(const Control& button)
{
    const std::optional<std::uint32_t> colour = chooseColour_ ? chooseColour_(colourState_.last) : std::nullopt;
    if (!colour)
        return;
    ShowTextToEdit(tagdialog::pickerTarget(button.name()), colourState_.choose(*colour));
}

} // namespace orvanel
