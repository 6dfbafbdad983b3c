#include "app/TMainForm.h"
#include "app/ToolkitPictures.h"
#include "text/UiFont.h"

#include "app/HotKeyText.h"
#include "options/SettingsFile.h"
#include "catalogue/CompactTabs.h"
#include "catalogue/ShippedGroups.h"
#include "catalogue/TagButtons.h"
#include "catalogue/TagMenuModel.h"
#include "catalogue/TagMenuWidgets.h"
#include "catalogue/TagPages.h"
#include "platform/Backend.h"
#include "platform/Diagnostics.h"
#include "project/TPrjMngr.h"
#include "tagdialog/OpenFileDialog.h"
#include "text/UserErrorBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QTabBar>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace orvanel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The palette's font: the Japanese UI gothic (resolved by the font system when first used,
// without listing every installed font).
QFont paletteFont()
{
    QFont font;
    font.setFamilies(japaneseUiFamilies());
    font.setPointSize(9);
    return font;
}

// A button of one of the small toolbars: its hint is also its caption and accessible name.
QToolButton* addToolButton(QToolBar* bar, const char* name, const QString& hint, const QIcon& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(hint);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

QToolBar* newToolBar(QWidget* parent, const char* name)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

QAction* addMenuItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
}

// Whether `widget` lies in the top-level window `window`.
bool inWindow(const QObject* object, const QWidget* window)
{
    auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->window() == window;
}

} // namespace

TMainForm::TMainForm(Backend& backend, std::string exeFolder, std::string userFolder, QWidget* parent)
    : QMainWindow(parent),
      backend_(backend),
      exeFolder_(std::move(exeFolder)),
      userFolder_(userFolder.empty() ? exeFolder_ : std::move(userFolder)),
      target_(backend.desktop(), backend.eventLoop()),
      inserter_(backend.eventLoop(), backend.desktop(), backend.clipboard(), backend.keyDelivery(), settings_, target_),
      appBar_(backend.dockStrip()),
      launcher_(backend.programStarter(), settings_.ExtList, target_.LaunchedFiles(),
                [this](std::string_view message) { tell(message); }),
      chooseFile_([this](OpenDialogState& state) { return showOpenDialog(this, state); })
{
    // 1. The window and its components.
    buildForm();
    // 2./3. The text lists start empty; ExeFolder was given by start-up.
    // 4. The first idle moment reopens the project manager.
    idleHooked_ = true;
    QTimer::singleShot(0, this, [this] { Guarded(this, [&] { AppIdleHandler(); }); });
    // 5. Target lock: following, no locked process (the target state starts so).
    target_.setChangedHandler([this] {
        EditTargetWindow->setText(qs(target_.EditTargetWindow()));
        BtnLockTargetWindow->setChecked(target_.BtnLockTargetWindowDown());
    });
    // 6. The fixed height.
    paletteHeight_ = computePaletteHeight();
    setUndockedSize();
    // 7. The docking strip: the screen's width, the palette's height.
    appBar_.InitAppBar(0, 0, QGuiApplication::primaryScreen()->geometry().width(), paletteHeight_);
    // 8. DropDownButton starts with no button: the pop-up knows its opener (see
    // OpPopMenuPopup), so no placeholder button is needed.
    // 9. The menu tag list and the tag menus.
    menuTagList_ = text::KeyedTextList::load(exeFolder_ + "TagMList.lst");
    LoadTagMenu();
    // 10. The button tag list, then the user tag groups (a first start gets the shipped ones).
    buttonTagList_ = catalogue::ButtonTagList::load(exeFolder_ + "TagBList.lst");
    installShippedGroups();
    LoadUserTag();
    // 11. Settings: window position, size and shown page are applied here.
    loadSettings();
    // 12. Form style.
    setStayOnTop(settings_.StayOnTop);
    // 13. Docked again when it was docked at the last close, where the settings have placed
    // it, once its window shows: the window manager takes a window as a bar when it maps it,
    // and the toolkit makes the window anew when it first shows it.
    dockWhenShown_ = settings_.AppBar;
    // 14./15.
    SetHotKey();
    UpdateMenu();

    inserter_.setLog(insertLog());
    backend_.hotKey().setHotKeyHandler([this] { Guarded(this, [&] { hotKeyPressed(); }); });
    // A press anywhere on the palette makes the program the active application (the
    // palette never takes the focus, so no activation event comes for it).
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && !closed_)
            Guarded(this, [&] { AppActivate(); });
    });
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    inserter_.setLog(insertLog());
    backend_.hotKey().setHotKeyHandler({});
}

std::string TMainForm::settingsPath() const
{
    return userFolder_ + SettingsFileName;
}

// ---- building the form

void TMainForm::buildForm()
{
    setObjectName("MainForm");
    setWindowTitle(QString::fromUtf8("Orvanel Ver.1.30"));
    setFont(paletteFont());
    // System menu and minimize box; the palette never takes the keyboard focus, so the
    // editor stays active and focused while the user clicks tags.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    PanelBase = new QWidget(this);
    PanelBase->setObjectName("PanelBase");
    setCentralWidget(PanelBase);
    auto* baseLayout = new QVBoxLayout(PanelBase);
    baseLayout->setContentsMargins(2, 1, 2, 1);
    baseLayout->setSpacing(1);

    // The target line.
    PanelTarget = new QWidget(PanelBase);
    PanelTarget->setObjectName("PanelTarget");
    auto* targetLayout = new QHBoxLayout(PanelTarget);
    targetLayout->setContentsMargins(2, 0, 0, 0);
    targetLayout->setSpacing(4);
    LabelTargetWindow = new QLabel(QString::fromUtf8("ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳ"), PanelTarget);
    LabelTargetWindow->setObjectName("LabelTargetWindow");
    EditTargetWindow = new QLineEdit(PanelTarget);
    EditTargetWindow->setObjectName("EditTargetWindow");
    EditTargetWindow->setReadOnly(true);
    EditTargetWindow->setEnabled(false);
    EditTargetWindow->setAccessibleName(LabelTargetWindow->text());
    LabelTargetWindow->setBuddy(EditTargetWindow);
    BarFixTargetWindow = newToolBar(PanelTarget, "BarFixTargetWindow");
    BtnLockTargetWindow = addToolButton(BarFixTargetWindow, "BtnLockTargetWindow",
                                        QString::fromUtf8("ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳをﾛｯｸ"), toolkitPicture("standardbutton-no", {16, 32, 128}));
    BtnLockTargetWindow->setCheckable(true);
    connect(BtnLockTargetWindow, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { BtnLockTargetWindowClick(); });
    });
    targetLayout->addWidget(LabelTargetWindow);
    targetLayout->addWidget(EditTargetWindow);
    targetLayout->addStretch(1);
    targetLayout->addWidget(BarFixTargetWindow);
    PanelTarget->installEventFilter(this); // PanelTargetResize
    PanelTarget->setFixedHeight(22);
    EditTargetWindow->setFixedHeight(20);
    BarFixTargetWindow->setIconSize(QSize(14, 14));
    BtnLockTargetWindow->setFixedSize(20, 20);
    baseLayout->addWidget(PanelTarget);

    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    baseLayout->addLayout(row, 1);

    // The two small toolbars.
    PanelMainBtn = new QWidget(PanelBase);
    PanelMainBtn->setObjectName("PanelMainBtn");
    auto* mainBtnLayout = new QVBoxLayout(PanelMainBtn);
    mainBtnLayout->setContentsMargins(0, 0, 0, 0);
    mainBtnLayout->setSpacing(0);
    BtnBar1 = newToolBar(PanelMainBtn, "BtnBar1");
    BtnNew = addToolButton(BtnBar1, "BtnNew", QString::fromUtf8("新規作成"), toolkitPicture("file", {16, 32, 128}));
    BtnOpen = addToolButton(BtnBar1, "BtnOpen", QString::fromUtf8("開く"), toolkitPicture("diropen", {16, 32, 128}));
    BtnBar1->addSeparator();
    BtnPreview = addToolButton(BtnBar1, "BtnPreview", QString::fromUtf8("ブラウザで確認"), toolkitPicture("filecontents", {16, 32, 128}));
    BtnPreview->setEnabled(false);
    BtnBar2 = newToolBar(PanelMainBtn, "BtnBar2");
    BtnOption = addToolButton(BtnBar2, "BtnOption", QString::fromUtf8("ｵﾌﾟｼｮﾝ設定"), toolkitPicture("viewdetailed", {16, 32, 128}));
    BtnBar2->addSeparator();
    BtnAppBar = addToolButton(BtnBar2, "BtnAppBar", QString::fromUtf8("ｱﾌﾟﾘｹｰｼｮﾝﾊﾞｰ形式で表示"), toolkitPicture("titlebar-shade", {16, 32, 48}));
    BtnStayOnTop = addToolButton(BtnBar2, "BtnStayOnTop", QString::fromUtf8("常に手前に表示"), style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    BtnAppBar->setCheckable(true);
    BtnStayOnTop->setCheckable(true);
    mainBtnLayout->addWidget(BtnBar1);
    mainBtnLayout->addWidget(BtnBar2);
    mainBtnLayout->addStretch(1);
    row->addWidget(PanelMainBtn, 0, Qt::AlignTop);

    // The tag pages.
    PanelTagBtn = new QWidget(PanelBase);
    PanelTagBtn->setObjectName("PanelTagBtn");
    auto* tagLayout = new QHBoxLayout(PanelTagBtn);
    tagLayout->setContentsMargins(0, 0, 0, 0);
    PageTag = new QTabWidget(PanelTagBtn);
    PageTag->setObjectName("PageTag");
    PageTag->setFocusPolicy(Qt::NoFocus);
    PageTag->setUsesScrollButtons(true);
    PageTag->setDocumentMode(false);
    // All tabs side by side in the palette's smallest width.
    catalogue::makeTabsCompact(PageTag->tabBar());
    tagLayout->addWidget(PageTag);
    row->addWidget(PanelTagBtn, 1);

    buildMainMenu();
    buildTagPages();

    connect(BtnNew, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { MenuFileNewClick(); });
    });
    connect(BtnOpen, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { MenuFileOpenClick(); });
    });
    connect(BtnPreview, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { PreviewInBrowser(settings_.CurBrowser); });
    });
    connect(BtnOption, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { if (onOption) onOption(); });
    });
    connect(BtnAppBar, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { MenuToolAppBarClick(); });
    });
    connect(BtnStayOnTop, &QToolButton::clicked, this, [this] {
        Guarded(this, [&] { MenuToolStayOnTopClick(); });
    });
}

void TMainForm::buildMainMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    bar->setNativeMenuBar(false);

    MenuItemFile = bar->addMenu(QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    MenuItemFile->setObjectName("MenuItemFile");
    MenuFileNew = addMenuItem(MenuItemFile, "MenuFileNew", "新規作成(&N)");
    MenuFileOpen = addMenuItem(MenuItemFile, "MenuFileOpen", "開く(&O)");
    MenuItemFile->addSeparator();
    MenuFileClose = addMenuItem(MenuItemFile, "MenuFileClose", "終了(&X)");

    MenuItemTag = bar->addMenu(QString::fromUtf8("ﾀｸﾞ挿入(&I)"));
    MenuItemTag->setObjectName("MenuItemTag");

    MenuItemTool = bar->addMenu(QString::fromUtf8("ﾂｰﾙ(&T)"));
    MenuItemTool->setObjectName("MenuItemTool");
    MenuToolOption = addMenuItem(MenuItemTool, "MenuToolOption", "ｵﾌﾟｼｮﾝ設定(&O)");
    MenuToolAppBar = addMenuItem(MenuItemTool, "MenuToolAppBar", "ｱﾌﾟﾘｹｰｼｮﾝﾊﾞｰ形式(&A)");
    MenuToolStayOnTop = addMenuItem(MenuItemTool, "MenuToolStayOnTop", "常に手前に表示(&S)");
    MenuItemTool->addSeparator();
    MenuToolPrjMngr = addMenuItem(MenuItemTool, "MenuToolPrjMngr", "ﾌﾟﾛｼﾞｪｸﾄﾏﾈｰｼﾞｬｰ");
    MenuItemTool->addSeparator();
    MenuToolPreviewIE = addMenuItem(MenuItemTool, "MenuToolPreviewIE", "IEで表示(&I)");
    MenuToolPreviewNN = addMenuItem(MenuItemTool, "MenuToolPreviewNN", "NNで表示(&N)");
    MenuToolPreviewETC = addMenuItem(MenuItemTool, "MenuToolPreviewETC", "その他のﾌﾞﾗｳｻﾞで表示(&E)");
    MenuItemTool->addSeparator();
    MenuToolProgram[0] = addMenuItem(MenuItemTool, "MenuToolProgram1", "外部ﾌﾟﾛｸﾞﾗﾑ 1(&1)");
    MenuToolProgram[1] = addMenuItem(MenuItemTool, "MenuToolProgram2", "外部ﾌﾟﾛｸﾞﾗﾑ 2(&2)");
    MenuToolProgram[2] = addMenuItem(MenuItemTool, "MenuToolProgram3", "外部ﾌﾟﾛｸﾞﾗﾑ 3(&3)");
    for (QAction* a : {MenuToolAppBar, MenuToolStayOnTop, MenuToolPrjMngr})
        a->setCheckable(true);
    for (QAction* a : {MenuToolPreviewIE, MenuToolPreviewNN, MenuToolPreviewETC, MenuToolProgram[0],
                       MenuToolProgram[1], MenuToolProgram[2]})
        a->setEnabled(false);

    MenuItemHelp = bar->addMenu(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    MenuItemHelp->setObjectName("MenuItemHelp");
    MenuHelpHelp = addMenuItem(MenuItemHelp, "MenuHelpHelp", "ﾍﾙﾌﾟ(&H)");
    MenuHelpHelp->setEnabled(false);
    MenuHelpVerInfo = addMenuItem(MenuItemHelp, "MenuHelpVerInfo", "ﾊﾞｰｼﾞｮﾝ情報(&A)");

    for (QMenu* m : {MenuItemFile, MenuItemTag, MenuItemTool, MenuItemHelp})
        m->menuAction()->setObjectName(m->objectName());

    PopAlignLCR = new QMenu(this);
    PopAlignLCR->setObjectName("PopAlignLCR");
    for (const catalogue::AlignOption& option : catalogue::alignOptions()) {
        QAction* item = PopAlignLCR->addAction(QString::fromUtf8(option.caption.data(), option.caption.size()));
        item->setObjectName(QStringLiteral("Pop") + QString::fromUtf8(option.key.data(), option.key.size()));
    }
    connect(PopAlignLCR, &QMenu::aboutToShow, this, [this] {
        Guarded(this, [&] { OpPopMenuPopup(PopAlignLCR); });
    });

    PopTag = new QMenu(this);
    PopTag->setObjectName("PopTag");

    connect(MenuFileNew, &QAction::triggered, this, [this] {
        Guarded(this, [&] { MenuFileNewClick(); });
    });
    connect(MenuFileOpen, &QAction::triggered, this, [this] {
        Guarded(this, [&] { MenuFileOpenClick(); });
    });
    connect(MenuFileClose, &QAction::triggered, this, [this] {
        Guarded(this, [&] { MenuFileCloseClick(); });
    });
    connect(MenuToolOption, &QAction::triggered, this, [this] {
        Guarded(this, [&] { if (onOption) onOption(); });
    });
    connect(MenuToolAppBar, &QAction::triggered, this, [this] {
        Guarded(this, [&] { MenuToolAppBarClick(); });
    });
    connect(MenuToolStayOnTop, &QAction::triggered, this, [this] {
        Guarded(this, [&] { MenuToolStayOnTopClick(); });
    });
    connect(MenuToolPrjMngr, &QAction::triggered, this, [this](bool checked) {
        // The handler decides by the check mark as it was before the click.
        MenuToolPrjMngr->setChecked(!checked);
        Guarded(this, [&] { MenuToolPrjMngrClick(); });
    });
    const std::pair<QAction*, const std::string*> previews[] = {
        {MenuToolPreviewIE, &settings_.IE}, {MenuToolPreviewNN, &settings_.NN}, {MenuToolPreviewETC, &settings_.ETC}};
    for (const auto& [item, browser] : previews)
        connect(item, &QAction::triggered, this, [this, browser] {
            Guarded(this, [&] { PreviewInBrowser(*browser); });
        });
    const std::string* paths[3] = {&settings_.ProPath1, &settings_.ProPath2, &settings_.ProPath3};
    for (int n = 0; n < 3; ++n) {
        const std::string* path = paths[n];
        connect(MenuToolProgram[n], &QAction::triggered, this, [this, path] {
            Guarded(this, [&] { RunExternalProgram(*path); });
        });
    }
    connect(MenuHelpVerInfo, &QAction::triggered, this, [this] {
        Guarded(this, [&] { if (onVerInfo) onVerInfo(); });
    });
}

void TMainForm::buildTagPages()
{
    catalogue::TagPageHandlers handlers;
    handlers.tagButton = [this](QToolButton* b) { Guarded(this, [&] { TagBtnClick(b); }); };
    handlers.groupButton = [this](QToolButton* b) { Guarded(this, [&] { TagGroupBtnClick(b); }); };
    handlers.alignPick = [this](QToolButton* b, QAction* item) {
        // The drop-down button that opened the pop-up knows itself: it is the one.
        dropDownButton_ = b;
        Guarded(this, [&] { TagOpPopClick(item); });
    };
    catalogue::buildTagPages(PageTag, PopAlignLCR, handlers);
}

int TMainForm::computePaletteHeight()
{
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const int menu = menuBar()->sizeHint().height();
    if (caption <= 0 || menu <= 0)
        return 36 + 95;
    return caption + menu + 95;
}

// ---- tag menus

void TMainForm::LoadTagMenu()
{
    catalogue::TagMenuHandlers handlers;
    handlers.templateLeaf = [this](QAction* a) { Guarded(this, [&] { TagMenuItemClick(a); }); };
    handlers.dialogLeaf = [this](QAction* a) { Guarded(this, [&] { TagGroupMenuItemClick(a); }); };
    handlers.image = [](int index) { return catalogue::tagButtonImage(index); };
    catalogue::buildTagMenus(catalogue::LoadTagMenu(menuTagList_), MenuItemTag, PopTag, handlers);
}

// ---- user tag groups

void TMainForm::installShippedGroups()
{
    const catalogue::ShippedGroupsResult result = catalogue::installShippedGroups(exeFolder_ + "html5/", userFolder_);
    if (result.outcome == catalogue::ShippedGroupsOutcome::Failed)
        tell(result.message);
}

void TMainForm::LoadUserTag()
{
    userTagList_ = catalogue::LoadUserTag(userFolder_, [this](std::string_view message) { tell(message); });
    // Without a group list the list is empty, and so are the menus and pages: a removed list
    // leaves no groups behind whose tags would insert nothing.
    LoadUserTagMnBtn();
}

void TMainForm::LoadUserTagMnBtn()
{
    userTagWidgets_.rebuild(catalogue::LoadUserTagMnBtn(userTagList_), MenuItemTag, PopTag, PageTag,
                            [this](QObject* sender) { Guarded(this, [&] { TagUserMnBtnClick(sender); }); });
}

void TMainForm::TagUserMnBtnClick(QObject* sender)
{
    if (!qobject_cast<QAction*>(sender) && !qobject_cast<QToolButton*>(sender))
        return;
    if (const auto tmpl = catalogue::TagUserMnBtnClick(userTagList_, sender->objectName().toStdString()))
        insertTemplate(*tmpl);
}

// ---- file commands

void TMainForm::tell(std::string_view message)
{
    ShowMessage(std::string(message), isVisible() ? this : nullptr);
}

void TMainForm::MenuFileNewClick()
{
    launcher_.OpenFileWithProgram({});
}

void TMainForm::MenuFileOpenClick()
{
    openDialog_.filterIndex = 1;
    openDialog_.title = "開く";
    const std::optional<std::string> file = chooseFile_ ? chooseFile_(openDialog_) : std::nullopt;
    if (!file)
        return;
    launcher_.OpenFileWithProgram(*file);
    // The next start of the dialog, also after the program's next start, is in that folder.
    openDialog_.folder = launch::initialDirAfterOpen(*file, insert::nativePathStyle());
}

void TMainForm::PreviewInBrowser(const std::string& browser)
{
    launcher_.PreviewInBrowser(browser, target_.TargetFile());
}

void TMainForm::RunExternalProgram(const std::string& commandLine)
{
    launcher_.RunExternalProgram(commandLine);
}

// ---- settings

void TMainForm::loadSettings()
{
    LoadedSettings loaded = LoadSettings(settingsPath(), paletteHeight_, exeFolder_);
    settings_ = std::move(loaded.settings);
    windowState_ = std::move(loaded.window);
    openDialog_.folder = windowState_.InitialDir;
    // Position and size at once; the height is fixed whatever the file says.
    move(windowState_.Left, windowState_.Top);
    resize(std::max(windowState_.Width, PaletteWidth), height());
    // The shown page: a page whose name matches, letter case aside; else as designed.
    if (!windowState_.ActivePage.empty()) {
        const QString wanted = qs(windowState_.ActivePage);
        for (int i = 0; i < PageTag->count(); ++i) {
            QWidget* page = PageTag->widget(i);
            if (!page->objectName().isEmpty() && page->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
                PageTag->setCurrentIndex(i);
                break;
            }
        }
    }
}

void TMainForm::saveSettings()
{
    windowState_.Left = x();
    windowState_.Top = y();
    windowState_.Height = paletteHeight_;
    windowState_.Width = width();
    // A user tag page has no component name: it saves empty.
    QWidget* page = PageTag->currentWidget();
    windowState_.ActivePage = page ? page->objectName().toStdString() : std::string();
    windowState_.InitialDir = openDialog_.folder;
    SaveSettings(settingsPath(), settings_, windowState_);
}

// ---- window life

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    // The settings could not be written: the message, and the palette stays open, so that
    // nothing is lost and the user can close it again once the file is writable.
    if (Guarded(this, [&] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

void TMainForm::FormClose()
{
    // 1. Close the project manager and keep the state it had, for saving (a second
    // attempt after a failed save keeps what the first one found).
    const int state = PrjMngrSwitch(false);
    if (!closeAttempted_ || prjMngrStateAtClose_ == 0)
        prjMngrStateAtClose_ = state;
    closeAttempted_ = true;
    settings_.ProjectManagerState = prjMngrStateAtClose_;
    // 2.
    backend_.eventLoop().pump();
    // 3. A failed save throws: the steps after it are not run.
    saveSettings();
    closed_ = true;
    // 4.
    UndockAppBar();
    // 5./6. The drop-down button and the lists are plain members and go with the window.
    dropDownButton_ = nullptr;
    backend_.hotKey().unregisterHotKey();
}

void TMainForm::AppIdleHandler()
{
    if (!idleHooked_)
        return;
    idleHooked_ = false;
    if (settings_.ProjectManagerState == 1)
        PrjMngrSwitch(true);
}

void TMainForm::AppActivate()
{
    target_.AppActivate();
}

void TMainForm::UpdateMenu()
{
    MenuToolAppBar->setChecked(settings_.AppBar);
    BtnAppBar->setChecked(settings_.AppBar);
    MenuToolStayOnTop->setChecked(settings_.StayOnTop);
    BtnStayOnTop->setChecked(settings_.StayOnTop);
    MenuToolPreviewIE->setEnabled(!settings_.IE.empty());
    MenuToolPreviewNN->setEnabled(!settings_.NN.empty());
    MenuToolPreviewETC->setEnabled(!settings_.ETC.empty());
    BtnPreview->setEnabled(!settings_.CurBrowser.empty());
    const std::string* names[3] = {&settings_.ProName1, &settings_.ProName2, &settings_.ProName3};
    const std::string* paths[3] = {&settings_.ProPath1, &settings_.ProPath2, &settings_.ProPath3};
    for (int n = 0; n < 3; ++n) {
        MenuToolProgram[n]->setText(names[n]->empty() ? QString::fromUtf8("外部ﾌﾟﾛｸﾞﾗﾑ %1").arg(n + 1)
                                                      : qs(*names[n]));
        MenuToolProgram[n]->setEnabled(!paths[n]->empty());
    }
}

void TMainForm::SetHotKey()
{
    const HotKeySpec hotKey = parseHotKey(settings_.HotKey);
    backend_.hotKey().unregisterHotKey();
    if (!hotKey.registers())
        return;
    unsigned modifiers = 0;
    if (hotKey.modifiers & HotKeySpec::Alt)
        modifiers |= HotKeyAlt;
    if (hotKey.modifiers & HotKeySpec::Ctrl)
        modifiers |= HotKeyControl;
    if (hotKey.modifiers & HotKeySpec::Shift)
        modifiers |= HotKeyShift;
    // Refused (taken by another program, or no such key here): the message, and the palette
    // goes on without a hot key, also at start-up.
    if (backend_.hotKey().registerHotKey(modifiers, hotKey.keyCode) != HotKeyRegistration::Registered)
        ShowMessage(QString::fromUtf8("ホットキーの登録に失敗しました。"), isVisible() ? this : nullptr);
}

void TMainForm::hotKeyPressed()
{
    // The pop-up takes the pointer and the keyboard while it is open, so the palette
    // need not be activated: the editor stays active and remains the target.
    AppActivate();
    PopTag->popup(QCursor::pos());
    // The hot key's own key grab lasts while its keys are down, so the pop-up's keyboard
    // grab may fail at first: try again until it holds, so the menu takes the arrow keys.
    auto* retry = new QTimer(PopTag);
    auto tries = std::make_shared<int>(0);
    connect(retry, &QTimer::timeout, PopTag, [this, retry, tries] {
        QWindow* window = PopTag->windowHandle();
        if (!PopTag->isVisible() || !window || window->setKeyboardGrabEnabled(true) || ++*tries > 100)
            retry->deleteLater();
    });
    retry->start(20);
}

void TMainForm::MenuFileCloseClick()
{
    close();
}

void TMainForm::MenuToolAppBarClick()
{
    if (appBar_.docked()) {
        UndockAppBar();
        backend_.eventLoop().pump();
        // The window's own area (not its frame) goes back where it was: the frame that the
        // window manager gives back may not be known yet.
        const WindowGeometry& before = appBar_.savedGeometry();
        setGeometry(before.left, before.top, before.width, height()); // the height is fixed
    } else {
        DockAppBar();
    }
    showDocked();
    SetHotKey();
}

void TMainForm::showDocked()
{
    MenuToolAppBar->setChecked(appBar_.docked());
    BtnAppBar->setChecked(appBar_.docked());
}

void TMainForm::DockAppBar()
{
    const QRect area = geometry();
    if (appBar_.DockAppBar(winId(), {area.x(), area.y(), area.height(), area.width()}) != DockOutcome::Docked) {
        // Refused, not answered, or the window was gone: nothing changed, and the palette
        // goes on undocked.
        settings_.AppBar = false;
        ShowMessage(QString::fromUtf8("アプリケーションバーの登録に失敗しました。"), isVisible() ? this : nullptr);
        return;
    }
    // No frame to size it by: the window takes the strip's size and keeps it.
    const StripRect& strip = appBar_.rect();
    setFixedSize(strip.width(), strip.height());
    settings_.AppBar = true;
    backend_.eventLoop().pump();
    holdAtStrip();
}

void TMainForm::UndockAppBar()
{
    if (!appBar_.docked())
        return;
    switch (appBar_.UndockAppBar(winId())) {
    case UndockOutcome::Undocked:
    case UndockOutcome::NoAnswer: // the strip is free; the window manager shows the window when it gets to it
    case UndockOutcome::WindowGone: // the window is going (closing): its strip went with it
        break;
    }
    setUndockedSize();
    backend_.eventLoop().pump();
    settings_.AppBar = false;
}

void TMainForm::setUndockedSize()
{
    setMinimumWidth(PaletteWidth);
    setMaximumWidth(QWIDGETSIZE_MAX);
    setFixedHeight(paletteHeight_ - style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
}

void TMainForm::holdAtStrip()
{
    if (!appBar_.docked())
        return;
    const QRect now = geometry();
    const WindowGeometry asked{now.x(), now.y(), now.height(), now.width()};
    const WindowGeometry held = appBar_.constrain(asked);
    if (held != asked)
        setGeometry(held.left, held.top, held.width, held.height);
}

void TMainForm::MenuToolStayOnTopClick()
{
    settings_.StayOnTop = !settings_.StayOnTop;
    setStayOnTop(settings_.StayOnTop);
    MenuToolStayOnTop->setChecked(settings_.StayOnTop);
    BtnStayOnTop->setChecked(settings_.StayOnTop);
    SetHotKey();
}

void TMainForm::setStayOnTop(bool onTop)
{
    const Qt::WindowFlags flags = onTop ? (windowFlags() | Qt::WindowStaysOnTopHint)
                                        : (windowFlags() & ~Qt::WindowStaysOnTopHint);
    if (flags == windowFlags())
        return;
    if (QWindow* window = windowHandle()) {
        // Told to the existing native window (the window manager's "above" state), so the
        // window is neither re-created nor hidden.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

// ---- project manager

int TMainForm::PrjMngrSwitch(bool open)
{
    int& state = settings_.ProjectManagerState;
    if (open) {
        if (state == 2 && prjMngr_)
            delete prjMngr_.data();
        prjMngr_ = new TPrjMngr(*this);
        prjMngr_->show();
        snapProjectManager();
        // The window manager frames both windows a moment later; snap again then.
        QTimer::singleShot(300, this, [this] { Guarded(this, [&] { snapProjectManager(); }); });
        state = 1;
        return 0;
    }
    int result = 0;
    if (state == 1) {
        if (prjMngr_) {
            prjMngr_->close();
            delete prjMngr_.data();
        }
        result = 1;
    } else if (state == 2) {
        if (prjMngr_)
            delete prjMngr_.data();
        result = 2;
    }
    prjMngr_ = nullptr;
    state = 0;
    return result;
}

void TMainForm::MenuToolPrjMngrClick()
{
    PrjMngrSwitch(!MenuToolPrjMngr->isChecked());
    MenuToolPrjMngr->setChecked(settings_.ProjectManagerState == 1);
}

void TMainForm::snapProjectManager()
{
    if (settings_.ProjectManagerState == 1 && prjMngr_)
        prjMngr_->Snap();
}

void TMainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    holdAtStrip();
    snapProjectManager();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    holdAtStrip();
    snapProjectManager();
}

// ---- target window

void TMainForm::PanelTargetResize()
{
    EditTargetWindow->setFixedWidth(std::max(0, PanelTarget->width() - 130));
}

void TMainForm::BtnLockTargetWindowClick()
{
    BtnLockTargetWindow->setChecked(target_.BtnLockTargetWindowClick());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PanelTarget && event->type() == QEvent::Resize)
        PanelTargetResize();
    const QEvent::Type type = event->type();
    if (type == QEvent::Expose && dockWhenShown_ && watched == windowHandle() && windowHandle()->isExposed()) {
        dockWhenShown_ = false;
        QTimer::singleShot(0, this, [this] {
            Guarded(this, [&] {
                DockAppBar();
                showDocked();
            });
        });
    }
    if (activating_ && inWindow(watched, this)
        && (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove)) {
        // AppActivate runs the event loop while the press waits to be delivered: a release
        // arriving then would reach the button before its press and the click would be
        // lost. Hold it back until the press has been handled.
        deferredMouse_.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }
    if (type == QEvent::MouseButtonPress && !closed_ && !activating_ && inWindow(watched, this)) {
        // A press that no widget takes is passed on to the parents as the same event:
        // activate once per press.
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press != lastPress_ || press->timestamp() != lastPressTime_) {
            lastPress_ = press;
            lastPressTime_ = press->timestamp();
            activating_ = true;
            Guarded(this, [&] { AppActivate(); });
            activating_ = false;
            // Posted, so they come after the press.
            for (auto& [receiver, held] : deferredMouse_)
                if (receiver)
                    QCoreApplication::postEvent(receiver, held.release());
            deferredMouse_.clear();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- tag commands

void TMainForm::insertTemplate(const std::string& tmpl)
{
    inserter_.InsertTemplate(inserter_.ApplyTagFace(tmpl));
}

void TMainForm::TagBtnClick(QObject* sender)
{
    auto* button = qobject_cast<QToolButton*>(sender);
    if (!button)
        return;
    const std::string key = button->objectName().toStdString().substr(3);
    insertTemplate(buttonTagList_.templateOf(key));
}

void TMainForm::TagMenuItemClick(QObject* sender)
{
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        return;
    const std::string key = item->objectName().toStdString().substr(2);
    insertTemplate(catalogue::menuTemplate(menuTagList_, key));
}

void TMainForm::TagGroupBtnClick(QObject* sender)
{
    FollowSuspension suspended(target_);
    if (auto* button = qobject_cast<QToolButton*>(sender))
        panelRequested("Panel" + button->objectName().toStdString().substr(3));
}

void TMainForm::TagGroupMenuItemClick(QObject* sender)
{
    FollowSuspension suspended(target_);
    if (auto* item = qobject_cast<QAction*>(sender))
        panelRequested(catalogue::menuPanelName(menuTagList_, item->objectName().toStdString().substr(2)));
}

void TMainForm::panelRequested(const std::string& panelName)
{
    if (panelHost_.ShowPanel && panelHost_.ShowPanel(panelName) && panelHost_.execModal)
        panelHost_.execModal();
}

void TMainForm::OpPopMenuPopup(QObject* sender)
{
    if (!qobject_cast<QMenu*>(sender))
        return;
    // The drop-down button whose arrow is under the pointer: its arrow lies from 25 to 40
    // pixels right of its left edge. (A pick from the pop-up also names the button that
    // opened it, see buildTagPages, which settles it whatever the pointer did.)
    const QPoint cursor = QCursor::pos();
    for (QToolButton* button : PageTag->findChildren<QToolButton*>()) {
        if (button->menu() != PopAlignLCR || !button->isVisible())
            continue;
        // Only x is compared; the shown page is the tool bar the pop-up opened from.
        const int x0 = button->mapToGlobal(QPoint(0, 0)).x();
        if (x0 + 25 < cursor.x() && cursor.x() < x0 + 40)
            dropDownButton_ = button;
    }
}

void TMainForm::TagOpPopClick(QObject* sender)
{
    if (auto* item = qobject_cast<QAction*>(sender); item && dropDownButton_) {
        const std::string optionKey = item->objectName().toStdString().substr(3);
        const std::string buttonKey = dropDownButton_->objectName().toStdString().substr(3);
        const std::string tmpl = buttonTagList_.alignedTemplate(buttonKey, optionKey);
        dropDownButton_ = nullptr;
        insertTemplate(tmpl);
    }
    dropDownButton_ = nullptr;
}

} // namespace orvanel
