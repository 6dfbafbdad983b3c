// The project manager on the fake platform with a small site in a temporary folder.

#include "MessageBoxes.h"
#include "TagListFolder.h"

#include "app/TMainForm.h"
#include "platform/fake/FakePlatform.h"
#include "project/TPrjMngr.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orvanel;

namespace {

class ProjectManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = folderWithTagLists(dir);
        std::filesystem::create_directories(folder + "site/img");
        // Links come first, then the images after the last link.
        write("site/index.html", "<a href=\"b.html\"><a href=\"b.html#x\"><a href=\"https://x.example/p?q\">"
                                 "<IMG SRC=\"img/a.gif\"><img src=\"gone.gif\">");
        write("site/b.html", "<a name=\"x\"><img src=\"img/a.gif\">");
        write("site/img/a.gif", "GIF89a");
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(folder + name) << text; }

    TPrjMngr& open(const std::string& topPage)
    {
        write("Orvanel.ini", "[PrjMngr]\r\nPrjMngr=1\r\nSnap=1\r\nTopPage=" + topPage +
                                 "\r\n[ExtList]\r\nCount=1\r\nList=<html=/opt/ed>\r\n");
        form = std::make_unique<TMainForm>(platform, folder);
        form->show();
        waitFor([&] { return form->projectManager() && form->projectManager()->isVisible(); });
        return *form->projectManager();
    }

    // Runs the event loop until `done` holds (bounded, so that a fault fails instead of hanging).
    template <typename Done> void waitFor(Done done)
    {
        const QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(done());
    }

    static QStringList labels(const QTreeWidgetItem* node)
    {
        QStringList out;
        for (int i = 0; i < node->childCount(); ++i)
            out << node->child(i)->text(0);
        return out;
    }
    const QStringList siteTop{"b.html", "b.html#x", "https://x.example/p?q", "img/a.gif", "gone.gif"};

    QTemporaryDir dir;
    std::string folder;
    FakePlatform platform;
    std::unique_ptr<TMainForm> form;
};

TEST_F(ProjectManagerTest, WithoutTopPageTheTreeIsEmptyAndNothingIsTold)
{
    TPrjMngr& w = open("");
    EXPECT_EQ(w.EditTopPageDir->text(), QString::fromUtf8(kNoTopPageText));
    EXPECT_EQ(w.TreeProject->topLevelItemCount(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The snap buttons: one group in which both may be up; they split the tool bar.
    EXPECT_TRUE(w.BtnSnapLeft->isChecked());
    w.BtnSnapRight->click();
    EXPECT_FALSE(w.BtnSnapLeft->isChecked());
    EXPECT_EQ(form->settings().Snap, 2);
    w.BtnSnapRight->click();
    EXPECT_EQ(form->settings().Snap, 0);
    w.PanelToolBtn->resize(211, 24);
    EXPECT_EQ(w.BtnSnapLeft->geometry(), QRect(0, 0, 105, 24));
    EXPECT_EQ(w.BtnSnapRight->geometry(), QRect(105, 0, 106, 24));
}

TEST_F(ProjectManagerTest, TheSiteIsShownFilteredOpenedRescannedAndInserted)
{
    const std::string top = folder + "site/index.html";
    TPrjMngr& w = open(top);
    waitFor([&] { return w.TreeProject->topLevelItemCount() == 1; });
    QTreeWidgetItem* root = w.TreeProject->topLevelItem(0);
    EXPECT_EQ(w.EditTopPageDir->text().toStdString(), folder + "site/");
    EXPECT_EQ(root->text(0), "index.html");
    ASSERT_EQ(labels(root), siteTop);
    // One level ahead: b.html's references are found when the root expands.
    EXPECT_EQ(root->child(0)->childCount(), 0);
    w.TreeProject->expandItem(root);
    EXPECT_EQ(labels(root->child(0)), QStringList{"img/a.gif"});
    // Files of one extension share their icon; the broken one has the red cross.
    EXPECT_EQ(TPrjMngr::recordOf(root->child(0))->IconIndex, TPrjMngr::recordOf(root->child(1))->IconIndex);
    EXPECT_EQ(TPrjMngr::recordOf(root->child(4))->IconIndex, 0);

    // "img" lists the images only; a reference with a fragment is an "href".
    w.TreeProject->setCurrentItem(root);
    w.LinkFilter->setCurrentIndex(2);
    w.LinkSelect();
    ASSERT_EQ(w.ListViewLink->topLevelItemCount(), 2);
    EXPECT_EQ(w.ListViewLink->topLevelItem(0)->text(1) + w.ListViewLink->topLevelItem(1)->text(1), "imgimg");

    // Double-click opens the page with its program; its window then is the target.
    w.TreeProjectDblClick();
    EXPECT_EQ(platform.started().back(), (std::vector<std::string>{"/opt/ed", top}));
    form->AppActivate();
    EXPECT_EQ(form->target().TargetFile(), top);

    std::vector<std::string> shown, filled;
    form->setPanelHost({[&](const std::string& panel) { return shown.push_back(panel), true; }, [] {},
                        [&](const std::string& edit, const std::string& text) { filled.push_back(edit + "=" + text); }});
    const auto insertFromTree = [&](int child, void (TPrjMngr::*command)()) {
        w.TreeProject->setCurrentItem(root->child(child));
        w.PopupMenuPopup(w.TreeProject);
        (w.*command)();
    };
    insertFromTree(3, &TPrjMngr::PopInsertLinkImgClick);
    insertFromTree(2, &TPrjMngr::PopInsertLinkHrefClick);
    insertFromTree(4, &TPrjMngr::PopInsertLinkImgClick); // broken: nothing opens
    EXPECT_EQ(shown, (std::vector<std::string>{"PanelLINK_IMG", "PanelLINK_HREF"}));
    EXPECT_EQ(filled, (std::vector<std::string>{"OpVal1LINK_IMG_SRC=img/a.gif",
                                                "OpVal1LINK_HREF_HREF=https://x.example/p?q"}));
    EXPECT_TRUE(w.PopUpdateLink->isEnabled());
    w.PopupMenuPopup(w.ListBoxFile);
    EXPECT_FALSE(w.PopUpdateLink->isEnabled());

    // A rescan gives the same tree; only the top page's icon is taken anew.
    const qsizetype images = w.ImageListFile().size();
    w.PopUpdateLinkClick();
    root = w.TreeProject->topLevelItem(0);
    EXPECT_EQ(labels(root), siteTop);
    EXPECT_EQ(w.ImageListFile().size(), images + 1);

    // A top page that cannot be read: the root alone, and the message.
    std::filesystem::remove(top);
    SeenBox seen;
    answerNextBox(seen);
    EXPECT_FALSE(w.StartProject(top));
    EXPECT_EQ(seen.text.toStdString(), "ファイル " + top + " は開けません");
    EXPECT_EQ(w.TreeProject->topLevelItemCount(), 1);
    EXPECT_EQ(w.TreeProject->topLevelItem(0)->childCount(), 0);

    // Closing keeps the size; state 2 lets the palette release the window.
    w.resize(300, 400);
    w.close();
    EXPECT_EQ(form->settings().ProjectManagerState, 2);
    EXPECT_EQ(form->settings().PrjMngrWidth, 300);
}

TEST_F(ProjectManagerTest, ADesktopsPictureOfAFileIsDrawnAndABadOneGivesTheGenericFile)
{
    // Left half red, right half transparent: the picture is drawn as it is, not mirrored.
    FileIconPicture picture{16, 16, std::vector<std::uint32_t>(256, 0)};
    for (int y = 0; y < 16; ++y)
        std::fill_n(picture.argb.begin() + y * 16, 8, 0xFFFF0000u);
    platform.setFileIconPicture(picture);
    TPrjMngr& w = open(folder + "site/index.html");
    waitFor([&] { return w.TreeProject->topLevelItemCount() == 1; });
    const QImage drawn = w.TreeProject->topLevelItem(0)->child(0)->icon(0).pixmap(16, 16).toImage();
    EXPECT_EQ(drawn.pixelColor(3, 12), QColor(Qt::red));
    EXPECT_EQ(drawn.pixelColor(12, 3).alpha(), 0);

    // The top page's icon is taken anew by a rescan: pixels that do not fill the picture.
    picture.argb.pop_back();
    platform.setFileIconPicture(picture);
    w.PopUpdateLinkClick();
    const QImage generic = w.style()->standardIcon(QStyle::SP_FileIcon).pixmap(16, 16).toImage();
    EXPECT_EQ(w.TreeProject->topLevelItem(0)->icon(0).pixmap(16, 16).toImage(), generic);
}

TEST_F(ProjectManagerTest, TheFolderBrowserListsFilesUnderItsMaskAndOpensThem)
{
    TPrjMngr& w = open("");
    w.PageControl->setCurrentWidget(w.TabDirectory);
    w.DirectoryListBox->setCurrentIndex(w.folderModel->index(QString::fromStdString(folder + "site")));
    w.FileFilter->setCurrentIndex(1); // HTML files
    const auto shown = [&] {
        QStringList names;
        for (int i = 0; i < w.fileModel->rowCount(w.ListBoxFile->rootIndex()); ++i)
            names << w.fileModel->index(i, 0, w.ListBoxFile->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    waitFor([&] { return shown() == QStringList{"b.html", "index.html"}; });
    w.ListBoxFile->setCurrentIndex(w.fileModel->index(QString::fromStdString(folder + "site/b.html")));
    w.PopupMenuPopup(w.ListBoxFile);
    w.PopOpenClick();
    EXPECT_EQ(platform.started().back(), (std::vector<std::string>{"/opt/ed", folder + "site/b.html"}));
}

} // namespace
