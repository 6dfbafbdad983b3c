#include "project/TPrjMngr.h"

#include "app/TMainForm.h"
#include "platform/Backend.h"
#include "project/ScanPage.h"
#include "project/SnapRules.h"
#include "tagdialog/OpenDialogState.h"
#include "text/UserError.h"
#include "text/UserErrorBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstring>

namespace orvanel {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kRecordRole = Qt::UserRole + 1;

// The first three images: a broken reference, a document, a web address.
QIcon paintedIcon(bool url)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (url) {
        p.setPen(QColor(0, 0, 128));
        p.setBrush(QColor(255, 255, 224));
        p.drawRect(0, 3, 15, 9);
        QFont font = p.font();
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(0, 3, 16, 10), Qt::AlignCenter, QStringLiteral("URL"));
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(220, 0, 0), 3));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
    }
    return QIcon(pixmap);
}

// The masks of FileFilter, in order.
struct FileMask {
    const char* text;
    const char* mask;
};
constexpr FileMask kFileMasks[] = {
    {"すべてのファイル (*.*)", "*.*"},
    {"htmlファイル (*.html;*.htm)", "*.html;*.htm"},
    {"画像ファイル (*.gif;*.jpg;*.jpeg)", "*.gif;*.jpg;*.jpeg"},
    {"gifファイル (*.gif)", "*.gif"},
    {"jpgファイル (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
    {"perlスクリプト (*.cgi;*.pl)", "*.cgi;*.pl"},
};

// "*.*" means every file, with or without an extension.
QStringList nameFilters(const char* mask)
{
    QStringList filters = QString::fromUtf8(mask).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& f : filters)
        if (f == QStringLiteral("*.*"))
            f = QStringLiteral("*");
    return filters;
}

QToolButton* captionedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(caption));
    button->setAccessibleName(button->text());
    return button;
}

template <typename W>
W* named(W* widget, const char* name, const QString& accessible = {})
{
    widget->setObjectName(QString::fromLatin1(name));
    if (!accessible.isEmpty())
        widget->setAccessibleName(accessible);
    return widget;
}

// A tab page filled by one vertical splitter.
QSplitter* splitPage(QWidget* page, const char* splitterName)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = named(new QSplitter(Qt::Vertical, page), splitterName);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter);
    return splitter;
}

// One part of a splitter, no smaller than `minHeight`, with its controls stacked.
QVBoxLayout* stacked(QWidget* part, int minHeight)
{
    part->setMinimumHeight(minHeight);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    return layout;
}

void setRecord(QTreeWidgetItem* node, const project::LinkRecord& record, const QList<QIcon>& images)
{
    node->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(&record)));
    if (record.IconIndex >= 0 && record.IconIndex < images.size())
        node->setIcon(0, images[record.IconIndex]);
}

// The desktop's picture of a file icon; the generic file picture when its size does not
// match its pixels.
QIcon iconOf(const FileIconPicture& picture, const QStyle& style)
{
    const auto pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.width <= 0 || picture.height <= 0 || picture.argb.size() != pixels)
        return style.standardIcon(QStyle::SP_FileIcon);
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.argb.data() + static_cast<std::size_t>(y) * picture.width,
                    static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t));
    return QIcon(QPixmap::fromImage(std::move(image)));
}

} // namespace

// ImageListFile as the scanner sees it: each icon found for a file is appended.
class TPrjMngr::Images final : public project::FileIconSource {
public:
    Images(FileIcons& icons, QList<QIcon>& images, const QStyle& style) : icons_(icons), images_(images), style_(style) {}

    Lookup appendIconOf(std::string_view path) override
    {
        const FileIconLookup found = icons_.iconOf(std::string(path));
        switch (found.outcome) {
        case FileIconLookup::Outcome::Found: {
            if (found.picture) {
                images_.append(iconOf(*found.picture, style_));
                return Lookup::Appended;
            }
            const QIcon generic = QIcon::fromTheme(qs(found.genericName), style_.standardIcon(QStyle::SP_FileIcon));
            images_.append(QIcon::fromTheme(qs(found.themeName), generic));
            return Lookup::Appended;
        }
        case FileIconLookup::Outcome::NoIcon:
            break;
        }
        return Lookup::NoIcon;
    }
    std::int32_t imageCount() const override { return static_cast<std::int32_t>(images_.size()); }

private:
    FileIcons& icons_;
    QList<QIcon>& images_;
    const QStyle& style_;
};

// The children of one node, made as the scan delivers them and added to the tree in batches
// (one insertion into the view per batch), the progress shown after each.
class TPrjMngr::TreeSink final : public project::ScanSink {
public:
    TreeSink(TPrjMngr& window, QTreeWidgetItem* node) : window_(window), node_(node) {}
    ~TreeSink() override { flush(); }
    void entry(const project::ScanEntry& entry) override
    {
        auto* child = new QTreeWidgetItem({qs(entry.displayText)});
        setRecord(child, entry.record, window_.images_);
        batch_.append(child);
        if (batch_.size() == 256) {
            found_ += static_cast<int>(batch_.size());
            flush();
            window_.showProgress(found_);
        }
    }
    void flush()
    {
        node_->addChildren(batch_);
        batch_.clear();
    }

private:
    TPrjMngr& window_;
    QTreeWidgetItem* node_;
    QList<QTreeWidgetItem*> batch_;
    int found_ = 0;
};

TPrjMngr::TPrjMngr(TMainForm& palette)
    : QWidget(&palette, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint), palette_(palette),
      links_(std::make_unique<project::LinkList>())
{
    setObjectName("PrjMngr");
    setWindowTitle(QStringLiteral("ProjectManager"));
    setAccessibleName(windowTitle());
    setFont(palette.font());
    setMinimumSize(project::kPrjMngrMinWidth, project::kPrjMngrMinHeight);
    resize(220, 350);
    images_ = {paintedIcon(false), style()->standardIcon(QStyle::SP_FileIcon), paintedIcon(true)};
    imageSource_ = std::make_unique<Images>(palette.backend().fileIcons(), images_, *style());
    buildForm();
    if (QAction* item = palette_.menuToolPrjMngr())
        item->setChecked(true);
    LinkFilter->setCurrentIndex(0);
    BtnSnapLeft->setChecked(palette_.settings().Snap == 1);
    BtnSnapRight->setChecked(palette_.settings().Snap == 2);
}

TPrjMngr::~TPrjMngr() = default;

void TPrjMngr::buildForm()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    PanelToolBtn = named(new QWidget(this), "PanelToolBtn");
    PanelToolBtn->setFixedHeight(24);
    PanelToolBtn->installEventFilter(this);
    BtnSnapLeft = captionedButton(PanelToolBtn, "BtnSnapLeft", "左にスナップ");
    BtnSnapRight = captionedButton(PanelToolBtn, "BtnSnapRight", "右にスナップ");
    for (QToolButton* button : {BtnSnapLeft, BtnSnapRight}) {
        button->setCheckable(true);
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
        // One group in which at most one is down and both may be up.
        connect(button, &QToolButton::clicked, this, [this, button](bool down) {
            if (down)
                (button == BtnSnapLeft ? BtnSnapRight : BtnSnapLeft)->setChecked(false);
            Guarded(this, [&] { BtnSnapClick(); });
        });
    }
    root->addWidget(PanelToolBtn);

    PageControl = named(new QTabWidget(this), "PageControl");
    PageControl->setTabPosition(QTabWidget::South);
    TabLink = buildLinkPage();
    TabDirectory = buildDirectoryPage();
    PageControl->addTab(TabLink, QString::fromUtf8("リンク"));
    PageControl->addTab(TabDirectory, QString::fromUtf8("ディレクトリ"));
    // The file system is watched only once the user looks at it.
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl->widget(index) == TabDirectory)
            Guarded(this, [&] { openDirectoryPage(); });
    });
    TabLink->setAccessibleName(QString::fromUtf8("リンク"));
    TabDirectory->setAccessibleName(QString::fromUtf8("ディレクトリ"));
    root->addWidget(PageControl);
    buildPopupMenu();
}

QWidget* TPrjMngr::buildLinkPage()
{
    auto* page = named(new QWidget, "TabLink");
    SplitterProLink = splitPage(page, "SplitterProLink");
    PanelProject = named(new QWidget, "PanelProject");
    QVBoxLayout* project = stacked(PanelProject, 70);
    PanelTopPage = named(new QWidget(PanelProject), "PanelTopPage");
    auto* top = new QHBoxLayout(PanelTopPage);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(1);
    EditTopPageDir = named(new QLineEdit(PanelTopPage), "EditTopPageDir", QString::fromUtf8("トップページ"));
    EditTopPageDir->setReadOnly(true);
    EditTopPageDir->setText(QString::fromUtf8(kNoTopPageText));
    BtnTopPage = captionedButton(PanelTopPage, "BtnTopPage", "参照");
    connect(BtnTopPage, &QToolButton::clicked, this, [this] { Guarded(this, [&] { BtnTopPageClick(); }); });
    top->addWidget(EditTopPageDir, 1);
    top->addWidget(BtnTopPage);
    project->addWidget(PanelTopPage);

    TreeProject = named(new QTreeWidget(PanelProject), "TreeProject", QString::fromUtf8("サイト"));
    TreeProject->setHeaderHidden(true);
    TreeProject->setIndentation(19);
    TreeProject->setIconSize(QSize(16, 16));
    TreeProject->setMouseTracking(true); // hot tracking
    TreeProject->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeProject->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeProject->viewport()->installEventFilter(this);
    connect(TreeProject, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { Guarded(this, [&] { TreeProjectExpanding(node); }); });
    connect(TreeProject, &QTreeWidget::itemClicked, this, [this] { Guarded(this, [&] { LinkSelect(); }); });
    connect(TreeProject, &QTreeWidget::itemDoubleClicked, this,
            [this] { Guarded(this, [&] { TreeProjectDblClick(); }); });
    project->addWidget(TreeProject, 1);
    LabelScanProgress = named(new QLabel(PanelProject), "LabelScanProgress");
    LabelScanProgress->hide();
    project->addWidget(LabelScanProgress);
    SplitterProLink->addWidget(PanelProject);

    PanelLink = named(new QWidget, "PanelLink");
    QVBoxLayout* links = stacked(PanelLink, 70);
    ListViewLink = named(new QTreeWidget(PanelLink), "ListViewLink", QString::fromUtf8("リンク一覧"));
    ListViewLink->setRootIsDecorated(false);
    ListViewLink->setIconSize(QSize(16, 16));
    ListViewLink->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewLink->setHeaderLabels({QString::fromUtf8("リンク先"), QString::fromUtf8("種類"), QString::fromUtf8("パス")});
    ListViewLink->header()->setStretchLastSection(false);
    ListViewLink->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListViewLink->header()->resizeSection(1, 40);
    ListViewLink->header()->resizeSection(2, 40);
    ListViewLink->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListViewLink, &QTreeWidget::itemDoubleClicked, this,
            [this] { Guarded(this, [&] { ListViewLinkDblClick(); }); });
    links->addWidget(ListViewLink, 1);
    LinkFilter = named(new QComboBox(PanelLink), "LinkFilter", QString::fromUtf8("リンクの種類"));
    LinkFilter->addItems({QString::fromUtf8("全てのリンク"), QStringLiteral("href"), QStringLiteral("img"),
                          QStringLiteral("frame")});
    connect(LinkFilter, &QComboBox::activated, this, [this] { Guarded(this, [&] { LinkSelect(); }); });
    links->addWidget(LinkFilter);
    SplitterProLink->addWidget(PanelLink);
    SplitterProLink->setSizes({160, 190});
    return page;
}

QWidget* TPrjMngr::buildDirectoryPage()
{
    auto* page = named(new QWidget, "TabDirectory");
    SplitterDirFile = splitPage(page, "SplitterDirFile");
    auto* folders = new QWidget;
    QVBoxLayout* folderLayout = stacked(folders, 50);
    DriveComboBox = named(new QComboBox(folders), "DriveComboBox", QString::fromUtf8("ドライブ"));
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()));
    DriveComboBox->addItem(QDir::homePath());
    folderLayout->addWidget(DriveComboBox);
    DirectoryListBox = named(new QTreeView(folders), "DirectoryListBox", QString::fromUtf8("フォルダ"));
    DirectoryListBox->setHeaderHidden(true);
    folderLayout->addWidget(DirectoryListBox, 1);
    SplitterDirFile->addWidget(folders);

    auto* files = new QWidget;
    QVBoxLayout* fileLayout = stacked(files, 50);
    ListBoxFile = named(new QListView(files), "ListBoxFile", QString::fromUtf8("ファイル"));
    ListBoxFile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBoxFile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBoxFile, &QListView::doubleClicked, this, [this] { Guarded(this, [&] { ListBoxFileDblClick(); }); });
    fileLayout->addWidget(ListBoxFile, 1);
    FileFilter = named(new QComboBox(files), "FileFilter", QString::fromUtf8("ファイルの種類"));
    for (const FileMask& mask : kFileMasks)
        FileFilter->addItem(QString::fromUtf8(mask.text));
    fileLayout->addWidget(FileFilter);
    SplitterDirFile->addWidget(files);
    SplitterDirFile->setSizes({150, 200});

    return page;
}

void TPrjMngr::openDirectoryPage()
{
    if (folderModel)
        return;
    folderModel = new QFileSystemModel(this);
    folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox->setModel(folderModel);
    for (int column = 1; column < folderModel->columnCount(); ++column)
        DirectoryListBox->hideColumn(column);
    fileModel = new QFileSystemModel(this);
    fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    fileModel->setNameFilterDisables(false);
    ListBoxFile->setModel(fileModel);
    // The drive selector drives the folder list, the folder list the file list, and the
    // file type selector the file list's mask.
    connect(DriveComboBox, &QComboBox::currentTextChanged, this, [this](const QString& drive) {
        DirectoryListBox->setRootIndex(folderModel->setRootPath(drive));
        setFolder(drive);
    });
    connect(DirectoryListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { setFolder(folderModel->filePath(current)); });
    connect(FileFilter, &QComboBox::currentIndexChanged, this, [this](int index) { setFileMask(index); });
    // Folders are not files: while the model still reads an earlier root, it may drop the
    // folders above the new one, and the list then loses its root. Put it back.
    const auto keepRoot = [this] {
        const QModelIndex root = fileModel->index(fileModel->rootPath());
        if (ListBoxFile->rootIndex() != root)
            ListBoxFile->setRootIndex(root);
    };
    connect(fileModel, &QFileSystemModel::directoryLoaded, this, keepRoot, Qt::QueuedConnection);
    connect(fileModel, &QAbstractItemModel::rowsRemoved, this, keepRoot, Qt::QueuedConnection);
    setFileMask(FileFilter->currentIndex());
    DirectoryListBox->setRootIndex(folderModel->setRootPath(DriveComboBox->currentText()));
    setFolder(DriveComboBox->currentText());
}

void TPrjMngr::buildPopupMenu()
{
    PopupMenu = named(new QMenu(this), "PopupMenu");
    const auto item = [this](const char* name, const char* caption, void (TPrjMngr::*handler)()) {
        QAction* action = PopupMenu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
        return action;
    };
    PopOpen = item("PopOpen", "開く", &TPrjMngr::PopOpenClick);
    PopupMenu->addSeparator();
    PopUpdateLink = item("PopUpdateLink", "リンク情報の更新", &TPrjMngr::PopUpdateLinkClick);
    PopInsertLinkHref = item("PopInsertLinkHref", "リンクの挿入 <href>", &TPrjMngr::PopInsertLinkHrefClick);
    PopInsertLinkImg = item("PopInsertLinkImg", "リンクの挿入 <img>", &TPrjMngr::PopInsertLinkImgClick);
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{TreeProject, ListViewLink, ListBoxFile})
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            Guarded(this, [&] { PopupMenuPopup(view); });
            PopupMenu->popup(view->viewport()->mapToGlobal(at));
        });
}

void TPrjMngr::setFileMask(int index)
{
    if (!fileModel || index < 0 || index >= static_cast<int>(std::size(kFileMasks)))
        return;
    fileModel->setNameFilters(nameFilters(kFileMasks[index].mask));
}

void TPrjMngr::setFolder(const QString& folder)
{
    ListBoxFile->setRootIndex(fileModel->setRootPath(folder));
}

// ---- the site tree

const project::LinkRecord* TPrjMngr::recordOf(const QTreeWidgetItem* node)
{
    if (!node)
        return nullptr;
    return reinterpret_cast<const project::LinkRecord*>(node->data(0, kRecordRole).value<quintptr>());
}

std::int32_t TPrjMngr::SetIcon(const std::string& path)
{
    return project::SetIcon(*imageSource_, path);
}


bool TPrjMngr::StartProject(const std::string& topPage)
{
    ListViewLink->clear();
    if (topPage.empty()) {
        EditTopPageDir->setText(QString::fromUtf8(kNoTopPageText));
        return false;
    }
    const insert::PathStyle style = insert::nativePathStyle();
    EditTopPageDir->setText(qs(insert::folderOf(topPage, style)));
    TreeProject->clear();
    const std::int32_t icon = SetIcon(topPage);
    const project::LinkRecord& record = links_->Add(topPage, "TopPage", icon);
    const std::size_t name = topPage.find_last_of(style == insert::PathStyle::Windows ? "\\" : "/");
    auto* root = new QTreeWidgetItem(TreeProject, {qs(name == std::string::npos ? topPage : topPage.substr(name + 1))});
    setRecord(root, record, images_);
    return DrawProject(root);
}

bool TPrjMngr::DrawProject(QTreeWidgetItem* node)
{
    const project::LinkRecord* record = recordOf(node);
    if (!node || node->childCount() > 0 || !record)
        return true;
    // Scans run inside the event that started them; until the scan is over the window is
    // drawn with its progress but does not take the user's input.
    auto files = project::systemSiteFiles();
    project::ScanSession session(*files);
    project::ScanResult result;
    {
        TreeSink sink(*this, node);
        result = project::ScanPage(*record, *links_, *imageSource_, sink, session);
    }
    LabelScanProgress->hide();
    if (result.outcome == project::ScanResult::Outcome::Unreadable) {
        tellUnreadable(result.unreadablePath);
        return false;
    }
    return true;
}

void TPrjMngr::showProgress(int found)
{
    LabelScanProgress->setText(QString::fromUtf8("リンクを読み込んでいます: %1 件").arg(found));
    LabelScanProgress->show();
    LabelScanProgress->repaint();
    TreeProject->viewport()->repaint();
}

void TPrjMngr::tellUnreadable(const std::string& path)
{
    ShowMessage(std::string(fileOpenError(path).what()), this);
}

void TPrjMngr::TreeProjectExpanding(QTreeWidgetItem* node)
{
    if (!node)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        if (!DrawProject(node->child(i)))
            break;
}

void TPrjMngr::LinkSelect()
{
    QTreeWidgetItem* node = TreeProject->currentItem();
    if (!node)
        return;
    ListViewLink->clear();
    const bool all = LinkFilter->currentIndex() == 0;
    const QString kind = LinkFilter->currentText();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem* child = node->child(i);
        const project::LinkRecord* record = recordOf(child);
        if (!record || (!all && kind != qs(record->Kind)))
            continue;
        auto* row = new QTreeWidgetItem({child->text(0), qs(record->Kind), qs(record->Path)});
        if (record->IconIndex >= 0 && record->IconIndex < images_.size())
            row->setIcon(0, images_[record->IconIndex]);
        rows.append(row);
    }
    ListViewLink->addTopLevelItems(rows);
}

// ---- opening

void TPrjMngr::openPath(const std::string& path)
{
    if (path.empty() || path == project::kUrlPath)
        return;
    palette_.launcher().OpenFileWithProgram(path);
}

void TPrjMngr::TreeProjectDblClick()
{
    if (const project::LinkRecord* record = recordOf(TreeProject->currentItem()))
        openPath(std::string(record->Path));
}

void TPrjMngr::ListViewLinkDblClick()
{
    const QTreeWidgetItem* row = ListViewLink->currentItem();
    if (row && row->columnCount() == 3)
        openPath(row->text(2).toStdString());
}

std::string TPrjMngr::selectedFile() const
{
    const QModelIndex current = ListBoxFile->currentIndex();
    if (!fileModel || !current.isValid() || !ListBoxFile->selectionModel()->isSelected(current))
        return {};
    return fileModel->filePath(current).toStdString();
}

void TPrjMngr::ListBoxFileDblClick()
{
    openPath(selectedFile());
}

bool TPrjMngr::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PanelToolBtn && event->type() == QEvent::Resize)
        layoutSnapButtons();
    // A right press over a node's label or icon selects that node; over empty space the
    // selection stays where it was.
    if (TreeProject && watched == TreeProject->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            if (QTreeWidgetItem* node = TreeProject->itemAt(press->position().toPoint()))
                TreeProject->setCurrentItem(node);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPrjMngr::PopupMenuPopup(QWidget* source)
{
    popupSource_ = source;
    PopUpdateLink->setEnabled(source == TreeProject || source == ListViewLink);
}

void TPrjMngr::PopOpenClick()
{
    if (popupSource_ == TreeProject)
        TreeProjectDblClick();
    else if (popupSource_ == ListViewLink)
        ListViewLinkDblClick();
    else if (popupSource_ == ListBoxFile)
        ListBoxFileDblClick();
}

void TPrjMngr::PopUpdateLinkClick()
{
    StartProject(palette_.settings().TopPage);
}

void TPrjMngr::BtnTopPageClick()
{
    OpenDialogState& dialog = palette_.OpenDialog();
    if (EditTopPageDir->text() != QString::fromUtf8(kNoTopPageText))
        dialog.folder = EditTopPageDir->text().toStdString();
    dialog.filterIndex = 1;
    const ChooseFile& choose = palette_.chooseFile();
    const std::optional<std::string> file = choose ? choose(dialog) : std::nullopt;
    if (!file || file->empty())
        return;
    if (StartProject(*file))
        palette_.settings().TopPage = *file;
}

// ---- insertion

std::optional<project::LinkItem> TPrjMngr::popupItem() const
{
    if (popupSource_ == TreeProject) {
        const QTreeWidgetItem* node = TreeProject->currentItem();
        if (const project::LinkRecord* record = recordOf(node); record && !record->Path.empty())
            return project::LinkItem{node->text(0).toStdString(), std::string(record->Path)};
    } else if (popupSource_ == ListViewLink) {
        const QTreeWidgetItem* row = ListViewLink->currentItem();
        if (row && row->columnCount() == 3 && !row->text(2).isEmpty())
            return project::LinkItem{row->text(0).toStdString(), row->text(2).toStdString()};
    } else if (popupSource_ == ListBoxFile) {
        return project::LinkItem{{}, selectedFile()};
    }
    return std::nullopt;
}

std::string TPrjMngr::GetLinkPath()
{
    return project::GetLinkPath(popupItem(), palette_.target().TargetFile(), insert::nativePathStyle(),
                                [this](std::string_view message) { ShowMessage(std::string(message), this); });
}

void TPrjMngr::insertLink(const char* panelName, const char* editName)
{
    const std::string text = GetLinkPath();
    if (text.empty())
        return;
    // The tag dialog's activations must not make it the target.
    FollowSuspension suspended(palette_.target());
    const PanelHost& host = palette_.panelHost();
    if (!host.ShowPanel || !host.ShowPanel(panelName))
        return;
    if (host.ShowTextToEdit)
        host.ShowTextToEdit(editName, text);
    if (host.execModal)
        host.execModal();
}

void TPrjMngr::PopInsertLinkHrefClick()
{
    insertLink("PanelLINK_HREF", "OpVal1LINK_HREF_HREF");
}

void TPrjMngr::PopInsertLinkImgClick()
{
    insertLink("PanelLINK_IMG", "OpVal1LINK_IMG_SRC");
}

// ---- snapping and size

void TPrjMngr::BtnSnapClick()
{
    palette_.settings().Snap = project::snapSettingOf(BtnSnapLeft->isChecked(), BtnSnapRight->isChecked());
    Snap();
}

void TPrjMngr::Snap()
{
    const QRect m = palette_.frameGeometry();
    const std::optional<project::FramePosition> at = project::snapPosition(
        palette_.settings().Snap, {m.left(), m.top(), m.width(), m.height()}, frameGeometry().width());
    if (at)
        move(at->left, at->top);
}

void TPrjMngr::layoutSnapButtons()
{
    const project::SnapButtonSplit split = project::splitSnapButtons(PanelToolBtn->width());
    const int height = PanelToolBtn->height();
    BtnSnapLeft->setGeometry(0, 0, split.leftWidth, height);
    BtnSnapRight->setGeometry(split.rightLeft, 0, split.rightWidth, height);
}

void TPrjMngr::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSnapButtons();
}

// ---- life

void TPrjMngr::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (started_)
        return;
    started_ = true;
    const Settings& settings = palette_.settings();
    if (settings.PrjMngrWidth > 0 && settings.PrjMngrHeight > 0)
        resize(settings.PrjMngrWidth, settings.PrjMngrHeight);
    // The site is read once the window is on the screen, so that the palette's start does
    // not wait for it.
    QMetaObject::invokeMethod(
        this, [this] { Guarded(this, [&] { StartProject(palette_.settings().TopPage); }); }, Qt::QueuedConnection);
}

void TPrjMngr::closeEvent(QCloseEvent* event)
{
    if (QAction* item = palette_.menuToolPrjMngr())
        item->setChecked(false);
    Settings& settings = palette_.settings();
    settings.PrjMngrHeight = height();
    settings.PrjMngrWidth = width();
    settings.ProjectManagerState = 2;
    TreeProject->clear();
    ListViewLink->clear();
    links_->Clear();
    event->accept();
}

} // namespace orvanel
