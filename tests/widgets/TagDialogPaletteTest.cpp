// The road of a group button through the tag dialog to the (fake) editor: the palette opens
// the panel, the user fills it in, OK inserts the composed tag around the selection.

#include "options/SettingsFile.h"
#include "TagListFolder.h"
#include "app/TMainForm.h"
#include "platform/fake/FakePlatform.h"
#include "tagdialog/TTagDialogForm.h"
#include "app/TagDialogHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

using namespace orvanel;

namespace {

// A real press and release, as the palette sees a user's click (the press finds the target).
void press(QWidget* w)
{
    const QPoint at = w->rect().center();
    const QPoint global = w->mapToGlobal(at);
    QMouseEvent down(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

class TagDialogPalette : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = folderWithTagLists(dir);
        editor = platform.addWindow(77, "notes.html - editor");
        platform.setActive(editor);
        palette = std::make_unique<TMainForm>(platform, folder);
        platform.addOwnWindow("Orvanel Ver.1.30");
        dialog = std::make_unique<TTagDialogForm>();
        connectTagDialog(*dialog, *palette);
        palette->show();
        QApplication::processEvents();
    }

    // Runs `fill` on the dialog once it is shown modally, then presses `button`.
    void whenShown(std::function<void(TTagDialogForm&)> fill, bool ok = true, int triesLeft = 100)
    {
        QTimer::singleShot(10, [this, fill, ok, triesLeft] {
            if (!dialog || !dialog->isVisible()) {
                if (triesLeft > 0)
                    whenShown(fill, ok, triesLeft - 1);
                else
                    ADD_FAILURE() << "the dialog did not open";
                return;
            }
            fill(*dialog);
            (ok ? dialog->okButton() : dialog->cancelButton())->click();
        });
    }

    template <class W> W* in(TTagDialogForm& d, const char* name)
    {
        W* w = d.findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QToolButton* button(const char* name) { return palette->findChild<QToolButton*>(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    std::string folder;
    FakePlatform platform;
    WindowHandle editor{};
    std::unique_ptr<TMainForm> palette;
    std::unique_ptr<TTagDialogForm> dialog;
};

} // namespace

TEST_F(TagDialogPalette, GroupButtonOpensThePanelAndOkInsertsTheLinkAroundTheSelection)
{
    // As at start-up: the dialog is made at the first opening, and kept for the next ones.
    dialog.reset();
    connectTagDialogWhenNeeded(dialog, *palette);
    ASSERT_EQ(dialog, nullptr);
    platform.setText(editor, "see abc here");
    platform.select(editor, 4, 3);
    whenShown([this](TTagDialogForm& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("リンクの設定"));
        in<QLineEdit>(d, "OpVal1LINK_HREF_HREF")->setText(QStringLiteral("a.html"));
        in<QCheckBox>(d, "OpTagLINK_HREF_TARGET")->click();
        in<QComboBox>(d, "OpVal1LINK_HREF_TARGET")->setCurrentIndex(0);
    });
    QToolButton* link = button("BtnLINK_HREF");
    ASSERT_NE(link, nullptr);
    press(link);
    EXPECT_EQ(platform.text(editor), "see <A HREF=\"a.html\" TARGET=\"_blank\">abc</A> here");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->model().panel("PanelLINK_HREF")->visible());

    // Cancel inserts nothing; the values typed last time are still there at the next opening.
    platform.select(editor, 0, 3);
    whenShown(
        [this](TTagDialogForm& d) {
            EXPECT_EQ(in<QLineEdit>(d, "OpVal1LINK_HREF_HREF")->text(), QStringLiteral("a.html"));
        },
        false);
    press(link);
    EXPECT_EQ(platform.text(editor), "see <A HREF=\"a.html\" TARGET=\"_blank\">abc</A> here");
}

TEST_F(TagDialogPalette, LetterCaseSettingAppliesToTheComposedTag)
{
    palette->settings().TagFace = 1;
    platform.setText(editor, "abc");
    platform.select(editor, 0, 3);
    bool filled = false;
    whenShown([&](TTagDialogForm& d) {
        in<QCheckBox>(d, "OpTagMOJI_B")->click();
        filled = true;
    });
    QToolButton* font = button("BtnMOJI_FONT_FONT");
    ASSERT_NE(font, nullptr);
    press(font);
    EXPECT_TRUE(filled);
    EXPECT_EQ(platform.text(editor), "<font><b>abc</b></font>");
}

// Reference buttons share the palette's open-file dialog: it starts in InitialDir, saves where it ended.
TEST_F(TagDialogPalette, ReferenceButtonsUseThePalettesOpenDialog)
{
    const std::string img = folder + "img";
    dialog->setReferenceText([](const std::string& file) { return file; });
    std::vector<std::pair<std::string, int>> opened; // folder and filter of each opening
    dialog->setChooseFile([&](OpenDialogState& state) -> std::optional<std::string> {
        opened.emplace_back(state.folder, state.filterIndex);
        state.closedWith(state.filterIndex, img);
        return img + "/Logo.gif";
    });
    ASSERT_TRUE(dialog->ShowPanel("PanelLINK_IMG"));
    in<QPushButton>(*dialog, "RefOpVal1LINK_IMG_SRC")->click(); // Tag 2: images
    ASSERT_TRUE(dialog->ShowPanel("PanelTAB_TD_TD"));
    in<QPushButton>(*dialog, "RefOpVal1TAB_TD_BACKGROUND")->click(); // Tag 0: as last time
    EXPECT_EQ(opened, (std::vector<std::pair<std::string, int>>{{folder, 2}, {img, 2}}));
    palette->close();
    EXPECT_EQ(LoadSettings(folder + "Orvanel.ini", 0, folder).window.InitialDir, img);
}
