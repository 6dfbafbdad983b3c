#pragma once
// The project manager: a small tool window under the palette. Its first page shows the site
// that starts at the user's top page as a tree of pages and their references, filled one
// level ahead of what is expanded, with the references of the selected page listed below
// it; its second page browses folders and files. From every view a file opens with its
// program, the site is scanned again, or a link or image reference (relative to the page
// being edited) goes into the tag dialog. The window keeps itself snapped below the palette.

#include "project/FileIcons.h"
#include "project/LinkList.h"
#include "project/LinkPath.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvanel {

class TMainForm;

class TPrjMngr : public QWidget {
    Q_OBJECT
public:
    // Made by the palette: checks MenuToolPrjMngr, sets LinkFilter to its first item and the
    // snap buttons from the Snap setting. The site is read when the window is first shown.
    explicit TPrjMngr(TMainForm& palette);
    ~TPrjMngr() override;

    // Starts (or restarts) the tree at the top page `topPage`; returns whether the top page
    // could be read. An empty path only shows the placeholder text.
    bool StartProject(const std::string& topPage);
    // Fills a node's children from its page, once (a page without references is read again
    // at every call); false when a page could not be read.
    bool DrawProject(QTreeWidgetItem* node);
    // Places the window under the palette as the Snap setting says.
    void Snap();
    // The image index of the icon of the file at `path`, appended to ImageListFile; 0 when
    // there is none.
    std::int32_t SetIcon(const std::string& path);

    // Handlers, by their names.
    void BtnTopPageClick();
    void TreeProjectExpanding(QTreeWidgetItem* node);
    void LinkSelect();
    void TreeProjectDblClick();
    void ListViewLinkDblClick();
    void ListBoxFileDblClick();
    void PopupMenuPopup(QWidget* source);
    void PopOpenClick();
    void PopUpdateLinkClick();
    void PopInsertLinkHrefClick();
    void PopInsertLinkImgClick();
    void BtnSnapClick();

    // The images shared by the tree and the link list.
    const QList<QIcon>& ImageListFile() const { return images_; }
    // The record a tree node carries, or nullptr.
    static const project::LinkRecord* recordOf(const QTreeWidgetItem* node);
    // The text the insertion commands would put in for the control the pop-up menu was
    // opened from.
    std::string GetLinkPath();
    // The control the pop-up menu acts on (its objectName), as set by PopupMenuPopup.
    QWidget* popupSource() const { return popupSource_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Closing (by its own close box or by the palette): the menu item loses its check, the
    // size is kept in the settings, the state becomes 2, and the records are freed.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Images;
    class TreeSink;

    void buildForm();
    QWidget* buildLinkPage();
    QWidget* buildDirectoryPage();
    // The folder and file models of the second page, made when it is first shown.
    void openDirectoryPage();
    void buildPopupMenu();
    void setFileMask(int index);
    void setFolder(const QString& folder);
    void layoutSnapButtons();
    void showProgress(int found);
    void tellUnreadable(const std::string& path);
    void openPath(const std::string& path);
    void insertLink(const char* panelName, const char* editName);
    std::optional<project::LinkItem> popupItem() const;
    std::string selectedFile() const;

    TMainForm& palette_;
    std::unique_ptr<project::LinkList> links_;
    std::unique_ptr<Images> imageSource_;
    QList<QIcon> images_;
    bool started_ = false;
    QWidget* popupSource_ = nullptr;

public:
    // Components, by their names.
    QWidget* PanelToolBtn = nullptr;
    QToolButton* BtnSnapLeft = nullptr;
    QToolButton* BtnSnapRight = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* TabLink = nullptr;
    QWidget* PanelProject = nullptr;
    QWidget* PanelTopPage = nullptr;
    QLineEdit* EditTopPageDir = nullptr;
    QToolButton* BtnTopPage = nullptr;
    QTreeWidget* TreeProject = nullptr;
    QLabel* LabelScanProgress = nullptr;
    QSplitter* SplitterProLink = nullptr;
    QWidget* PanelLink = nullptr;
    QTreeWidget* ListViewLink = nullptr;
    QComboBox* LinkFilter = nullptr;
    QWidget* TabDirectory = nullptr;
    QComboBox* DriveComboBox = nullptr;
    QTreeView* DirectoryListBox = nullptr;
    QSplitter* SplitterDirFile = nullptr;
    QListView* ListBoxFile = nullptr;
    QComboBox* FileFilter = nullptr;
    QFileSystemModel* folderModel = nullptr;
    QFileSystemModel* fileModel = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* PopOpen = nullptr;
    QAction* PopUpdateLink = nullptr;
    QAction* PopInsertLinkHref = nullptr;
    QAction* PopInsertLinkImg = nullptr;
};

// The placeholder of EditTopPageDir while no top page is set.
inline constexpr const char* kNoTopPageText = "トップページを指定して下さい";

} // namespace orvanel
