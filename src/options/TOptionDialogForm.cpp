#include "options/TOptionDialogForm.h"

#include "options/HotKeyCapture.h"
#include "options/OptionDialogWidgets.h"
#include "tagdialog/OpenFileDialog.h"
#include "text/UserErrorBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvanel {

using namespace optionwidgets;

namespace {

QLineEdit* edit(QWidget* parent, const char* name, bool readOnly = false)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(readOnly);
    return e;
}

// Checks the button of `index` in an exclusive group, or none when there is no such button.
template <std::size_t N>
void checkOnly(QRadioButton* const (&buttons)[N], int index)
{
    QButtonGroup* group = buttons[0]->group();
    if (group)
        group->setExclusive(false);
    for (std::size_t i = 0; i < N; ++i)
        buttons[i]->setChecked(static_cast<int>(i) == index);
    if (group)
        group->setExclusive(true);
}

// The keys an event itself tells of: its key when it is pressed, and its modifiers.
void addEventKeys(KeyboardState& keys, const QKeyEvent& event, bool pressed)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    keys.ctrl = keys.ctrl || mods.testFlag(Qt::ControlModifier);
    keys.shift = keys.shift || mods.testFlag(Qt::ShiftModifier);
    keys.alt = keys.alt || mods.testFlag(Qt::AltModifier);
    if (!pressed)
        return;
    const int key = event.key();
    keys.ctrl = keys.ctrl || key == Qt::Key_Control;
    keys.shift = keys.shift || key == Qt::Key_Shift;
    keys.alt = keys.alt || key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        keys.keys.insert(static_cast<char>(key));
}

} // namespace

TOptionDialogForm::TOptionDialogForm(Settings& settings, std::string userFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      settings_(settings),
      editor_(std::move(userFolder), [this](std::string_view m) { tell(m); })
{
    setObjectName(QStringLiteral("OptionDialogForm"));
    setWindowTitle(QStringLiteral("設定"));
    setModal(true);
    chooseFile_ = [this](OpenDialogState& state) { return showOpenDialog(this, state); };

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog's border: no resizing
    PageOption = named(new QTabWidget(this), "PageOption", QString());
    layout->addWidget(PageOption);
    buildKihon();
    buildSetExt();
    buildSetTag();
    buildBrowser();
    buildProgram();

    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = button(this, "CancelBtn", "ｷｬﾝｾﾙ");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        Guarded(this, [&] {
            if (OKBtnClick())
                accept();
        });
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject); // Esc runs reject too
}

TOptionDialogForm::~TOptionDialogForm() = default;

void TOptionDialogForm::setHost(OptionDialogHost host)
{
    host_ = std::move(host);
}

void TOptionDialogForm::tell(std::string_view message)
{
    ShowMessage(std::string(message), this);
}

// ---- the pages

void TOptionDialogForm::buildKihon()
{
    TabOpKihon = page(PageOption, "TabOpKihon", "基本設定");
    auto* grid = new QGridLayout(TabOpKihon);

    auto* face = groupBox(TabOpKihon, "タグの挿入方法", "RadioSetTagFace");
    RadioSetTagFace = face;
    auto* faceRow = new QHBoxLayout(face);
    auto* faceGroup = new QButtonGroup(face);
    const char* faces[] = {"大文字", "小文字", "そのまま"};
    for (int i = 0; i < 3; ++i) {
        RadioSetTagFaceItems[i] = new QRadioButton(QString::fromUtf8(faces[i]), face);
        RadioSetTagFaceItems[i]->setAccessibleName(RadioSetTagFaceItems[i]->text());
        faceGroup->addButton(RadioSetTagFaceItems[i], i);
        faceRow->addWidget(RadioSetTagFaceItems[i]);
    }
    grid->addWidget(face, 0, 0, 1, 2);

    auto* method = groupBox(TabOpKihon, "挿入時の処理方法");
    ComboBoxSetInsertMethod = named(new QComboBox(method), "ComboBoxSetInsertMethod", method->title());
    ComboBoxSetInsertMethod->addItems({QStringLiteral("ウィンドウメッセージで処理"), QStringLiteral("キーエミュレーション")});
    (new QVBoxLayout(method))->addWidget(ComboBoxSetInsertMethod);
    grid->addWidget(method, 1, 0, 1, 2);

    SetAutoActive = new QCheckBox(QStringLiteral("オートアクティブ"), TabOpKihon);
    named(SetAutoActive, "SetAutoActive", SetAutoActive->text());
    grid->addWidget(SetAutoActive, 2, 0);

    auto* hotKey = groupBox(TabOpKihon, "ホットキー");
    EditSetHotKey = named(edit(hotKey, "EditSetHotKey", true), nullptr, hotKey->title());
    EditSetHotKey->setText(qs(options::kNoHotKeyText));
    EditSetHotKey->installEventFilter(this);
    (new QVBoxLayout(hotKey))->addWidget(EditSetHotKey);
    grid->addWidget(hotKey, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
}

void TOptionDialogForm::buildSetExt()
{
    TabOpSetExt = page(PageOption, "TabOpSetExt", "関連づけ");
    auto* layout = new QVBoxLayout(TabOpSetExt);

    auto* row = groupBox(TabOpSetExt, "プログラム関連づけ設定");
    auto* grid = new QGridLayout(row);
    EditExt = edit(row, "EditExt");
    EditExt->setMaxLength(4);
    EditExe = edit(row, "EditExe");
    grid->addWidget(labelFor(EditExt, "拡張子         *."), 0, 0);
    grid->addWidget(EditExt, 0, 1);
    grid->addWidget(labelFor(EditExe, "起動プログラム"), 1, 0);
    grid->addWidget(EditExe, 1, 1, 1, 2);
    grid->addWidget(refButton(row, "RefExe", ""), 1, 3);
    grid->setColumnStretch(2, 1);
    layout->addWidget(row);

    ListViewExt = named(new QTableWidget(0, 2, TabOpSetExt), "ListViewExt", QStringLiteral("関連づけ"));
    ListViewExt->setHorizontalHeaderLabels({QStringLiteral("拡張子"), QStringLiteral("起動プログラム")});
    ListViewExt->verticalHeader()->hide();
    ListViewExt->horizontalHeader()->setStretchLastSection(true);
    ListViewExt->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewExt->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewExt->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewExt->setShowGrid(true);
    // The selection shows as clearly when the list has not the focus.
    QPalette palette = ListViewExt->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    ListViewExt->setPalette(palette);
    connect(ListViewExt, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!syncing_)
            Guarded(this, [&] { ListViewExtClick(); });
    });
    layout->addWidget(ListViewExt, 1);

    auto* buttons = new QHBoxLayout;
    const std::pair<QPushButton*, void (TOptionDialogForm::*)()> handlers[] = {
        {button(TabOpSetExt, "BtnAddExt", "追加"), &TOptionDialogForm::BtnAddExtClick},
        {button(TabOpSetExt, "BtnChangeExt", "変更"), &TOptionDialogForm::BtnChangeExtClick},
        {button(TabOpSetExt, "BtnDelExt", "削除"), &TOptionDialogForm::BtnDelExtClick},
    };
    buttons->addStretch();
    for (const auto& [b, handler] : handlers) {
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    LabelReference = named(new QLabel(TabOpSetExt), "LabelReference", QString());
    layout->addWidget(LabelReference);
}

void TOptionDialogForm::buildBrowser()
{
    TabOpBrowser = page(PageOption, "TabOpBrowser", "ブラウザ");
    auto* layout = new QVBoxLayout(TabOpBrowser);
    auto* box = groupBox(TabOpBrowser, "ブラウザの設定");
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    struct Row {
        QRadioButton*& radio;
        QLineEdit*& edit;
        const char *radioName, *caption, *editName, *refName, *hint;
    };
    const Row rows[] = {
        {RadioBtnBrowserIE, EditBrowserIE, "RadioBtnBrowserIE", "Internet Exploler", "EditBrowserIE", "RefBrowserIE",
         "IEのパス"},
        {RadioBtnBrowserNN, EditBrowserNN, "RadioBtnBrowserNN", "Netscape Navigater", "EditBrowserNN", "RefBrowserNN",
         "NNのパス"},
        {RadioBtnBrowserETC, EditBrowserETC, "RadioBtnBrowserETC", "その他のブラウザ", "EditBrowserETC",
         "RefBrowserETC", "その他のブラウザのパス"},
    };
    int line = 0;
    for (const Row& row : rows) {
        row.radio = new QRadioButton(QString::fromUtf8(row.caption), box);
        named(row.radio, row.radioName, row.radio->text());
        group->addButton(row.radio);
        // The path field has no caption of its own: its accessible name is its reference button's hint.
        row.edit = named(edit(box, row.editName, true), nullptr, QString::fromUtf8(row.hint));
        grid->addWidget(row.radio, line, 0, 1, 2);
        grid->addWidget(row.edit, line + 1, 1);
        grid->addWidget(refButton(box, row.refName, row.hint), line + 1, 2);
        line += 2;
    }
    grid->setColumnMinimumWidth(0, 16);
    layout->addWidget(box);
    layout->addStretch();
}

void TOptionDialogForm::buildProgram()
{
    TabOpProgram = page(PageOption, "TabOpProgram", "外部プログラム");
    auto* layout = new QVBoxLayout(TabOpProgram);
    const char* boxes[] = {"その１", "その２", "その３"};
    for (int n = 0; n < 3; ++n) {
        const std::string number = std::to_string(n + 1);
        auto* box = groupBox(TabOpProgram, boxes[n]);
        auto* grid = new QGridLayout(box);
        EditProName[n] = edit(box, ("EditProName" + number).c_str());
        EditProPath[n] = edit(box, ("EditProPath" + number).c_str(), true);
        grid->addWidget(labelFor(EditProName[n], "メニュー表示名"), 0, 0);
        grid->addWidget(EditProName[n], 0, 1);
        grid->addWidget(labelFor(EditProPath[n], "実行ファイルパス"), 1, 0);
        grid->addWidget(EditProPath[n], 1, 1);
        grid->addWidget(refButton(box, ("RefProPath" + number).c_str(), ("外部ﾌﾟﾛｸﾞﾗﾑ " + number).c_str()), 1, 2);
        layout->addWidget(box);
    }
    layout->addStretch();
}

QPushButton* TOptionDialogForm::refButton(QWidget* parent, const char* name, const char* hint)
{
    QPushButton* ref = button(parent, name, "参照");
    ref->setToolTip(QString::fromUtf8(hint));
    ref->setAccessibleDescription(ref->toolTip());
    ref->setProperty("tag", 3); // the file type filter of executables
    connect(ref, &QPushButton::clicked, this, [this, ref] { Guarded(this, [&] { RefBtnClick(ref); }); });
    return ref;
}

// ---- showing and OK

void TOptionDialogForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Guarded(this, [&] { FormShow(); });
}

void TOptionDialogForm::FormShow()
{
    // The browser radio buttons stay as they were unless CurBrowser names one of the paths.
    readValues();
    options::FormShow(settings_, values_, editor_);
    showValues();
    showGroups();
    showTags();
}

bool TOptionDialogForm::OKBtnClick()
{
    readValues();
    const options::OptionDialogHooks hooks{host_.SetHotKey, host_.LoadUserTag, host_.UpdateMenu};
    return options::OKBtnClick(values_, settings_, editor_, hooks, [this](std::string_view m) { tell(m); });
}

void TOptionDialogForm::showValues()
{
    SyncGuard guard(syncing_);
    checkOnly(RadioSetTagFaceItems, values_.RadioSetTagFace);
    ComboBoxSetInsertMethod->setCurrentIndex(values_.ComboBoxSetInsertMethod);
    SetAutoActive->setChecked(values_.SetAutoActive);
    EditSetHotKey->setText(qs(values_.EditSetHotKey));
    LabelReference->setText(qs(values_.LabelReference));
    LabelReference->setAccessibleName(LabelReference->text());
    showExtList();
    EditBrowserIE->setText(qs(values_.EditBrowserIE));
    EditBrowserNN->setText(qs(values_.EditBrowserNN));
    EditBrowserETC->setText(qs(values_.EditBrowserETC));
    QRadioButton* const browsers[] = {RadioBtnBrowserIE, RadioBtnBrowserNN, RadioBtnBrowserETC};
    if (values_.browserRadio != options::BrowserRadio::None)
        checkOnly(browsers, static_cast<int>(values_.browserRadio) - 1);
    for (int n = 0; n < 3; ++n) {
        EditProName[n]->setText(qs(values_.EditProName[static_cast<std::size_t>(n)]));
        EditProPath[n]->setText(qs(values_.EditProPath[static_cast<std::size_t>(n)]));
    }
}

void TOptionDialogForm::readValues()
{
    values_.RadioSetTagFace = -1;
    for (int i = 0; i < 3; ++i)
        if (RadioSetTagFaceItems[i]->isChecked())
            values_.RadioSetTagFace = i;
    values_.ComboBoxSetInsertMethod = ComboBoxSetInsertMethod->currentIndex();
    values_.SetAutoActive = SetAutoActive->isChecked();
    values_.EditSetHotKey = EditSetHotKey->text().toStdString();
    values_.EditExt = EditExt->text().toStdString();
    values_.EditExe = EditExe->text().toStdString();
    values_.ListViewExtIndex = ListViewExt->selectionModel()->hasSelection() ? ListViewExt->currentRow() : -1;
    values_.EditBrowserIE = EditBrowserIE->text().toStdString();
    values_.EditBrowserNN = EditBrowserNN->text().toStdString();
    values_.EditBrowserETC = EditBrowserETC->text().toStdString();
    values_.browserRadio = RadioBtnBrowserIE->isChecked()    ? options::BrowserRadio::IE
                           : RadioBtnBrowserNN->isChecked()  ? options::BrowserRadio::NN
                           : RadioBtnBrowserETC->isChecked() ? options::BrowserRadio::ETC
                                                             : options::BrowserRadio::None;
    for (std::size_t n = 0; n < 3; ++n) {
        values_.EditProName[n] = EditProName[n]->text().toStdString();
        values_.EditProPath[n] = EditProPath[n]->text().toStdString();
    }
}

// ---- the reference buttons

void TOptionDialogForm::RefBtnClick(QObject* sender)
{
    auto* control = qobject_cast<QWidget*>(sender);
    if (!control)
        return;
    OpenDialogState& state = host_.OpenDialog ? *host_.OpenDialog : ownOpenState_;
    if (const int tag = control->property("tag").toInt())
        state.useFilterOfTag(tag);
    state.title = control->toolTip().toStdString();
    const std::optional<std::string> file = chooseFile_ ? chooseFile_(state) : std::nullopt;
    if (file)
        ShowTextToEdit(QStringLiteral("Edit") + control->objectName().mid(3), qs(*file));
}

void TOptionDialogForm::ShowTextToEdit(const QString& name, const QString& text)
{
    if (auto* target = findChild<QLineEdit*>(name))
        target->setText(text);
}

// ---- the hot-key capture: the text follows the whole keyboard, not the key of the event

bool TOptionDialogForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditSetHotKey && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        Guarded(this, [&] {
            if (event->type() == QEvent::KeyPress)
                EditSetHotKeyKeyDown(key);
            else
                EditSetHotKeyKeyUp(key);
        });
    }
    return QDialog::eventFilter(watched, event);
}

void TOptionDialogForm::EditSetHotKeyKeyDown(const QKeyEvent& event)
{
    std::optional<KeyboardState> keys = host_.keyboard ? host_.keyboard->keysDownNow() : std::nullopt;
    KeyboardState down = keys.value_or(KeyboardState{});
    // The pressed key is down even when the keyboard was read a moment too late.
    addEventKeys(down, event, true);
    EditSetHotKey->setText(qs(options::EditSetHotKeyKeyDown(down)));
}

void TOptionDialogForm::EditSetHotKeyKeyUp(const QKeyEvent& event)
{
    // The server's key map is current when it is read: there is nothing pending to wait for.
    std::optional<KeyboardState> keys = host_.keyboard ? host_.keyboard->keysDownNow() : std::nullopt;
    if (!keys) {
        keys = KeyboardState{};
        addEventKeys(*keys, event, false);
    }
    EditSetHotKey->setText(qs(options::EditSetHotKeyKeyUp(*keys, EditSetHotKey->text().toStdString())));
}

// ---- the extension list

void TOptionDialogForm::showExtList()
{
    SyncGuard guard(syncing_);
    ListViewExt->clearContents();
    ListViewExt->setRowCount(static_cast<int>(values_.ListViewExt.size()));
    for (int row = 0; row < ListViewExt->rowCount(); ++row) {
        const options::ExtRow& ext = values_.ListViewExt[static_cast<std::size_t>(row)];
        ListViewExt->setItem(row, 0, new QTableWidgetItem(qs(ext.extension)));
        ListViewExt->setItem(row, 1, new QTableWidgetItem(qs(ext.program)));
    }
    ListViewExt->clearSelection();
    if (values_.ListViewExtIndex >= 0 && values_.ListViewExtIndex < ListViewExt->rowCount())
        ListViewExt->selectRow(values_.ListViewExtIndex);
}

void TOptionDialogForm::ListViewExtClick()
{
    readValues();
    options::ListViewExtClick(values_);
    SyncGuard guard(syncing_);
    EditExt->setText(qs(values_.EditExt));
    EditExe->setText(qs(values_.EditExe));
}

void TOptionDialogForm::BtnAddExtClick()
{
    readValues();
    options::BtnAddExtClick(values_, [this](std::string_view m) { tell(m); });
    showExtList();
}

void TOptionDialogForm::BtnChangeExtClick()
{
    readValues();
    options::BtnChangeExtClick(values_, [this](std::string_view m) { tell(m); });
    showExtList();
}

void TOptionDialogForm::BtnDelExtClick()
{
    readValues();
    options::BtnDelExtClick(values_);
    showExtList();
}

} // namespace orvanel
