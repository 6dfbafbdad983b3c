// The tag dialog's window: panels shown and laid out by name, widgets and model kept in step,
// values kept between openings, pickers and OK.

#include "catalogue/ButtonTagList.h"
#include "tagdialog/TTagDialogForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel;

namespace {

template <class W>
W* widget(TTagDialogForm& dialog, const char* name)
{
    W* w = dialog.findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

bool panelVisible(TTagDialogForm& dialog, const char* name)
{
    return !dialog.widgetOf(name)->isHidden();
}

} // namespace

TEST(TagDialog, ShowPanelLaysTheDialogOutAroundTheNamedPanel)
{
    TTagDialogForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾀﾞｲｱﾛｸﾞ"));
    EXPECT_EQ(dialog.CurrentPanel(), nullptr);

    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_HREF"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("リンクの設定"));
    EXPECT_EQ(dialog.widgetOf("PanelLINK_HREF")->geometry(), QRect(10, 10, 300, 95));
    EXPECT_EQ(dialog.okButton()->pos(), QPoint(155, 115));
    EXPECT_EQ(dialog.cancelButton()->pos(), QPoint(235, 115));
    EXPECT_EQ(dialog.size(), QSize(325, 175));
    EXPECT_TRUE(dialog.okButton()->isDefault());
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(dialog.isModal());

    ASSERT_TRUE(dialog.ShowPanel("PanelFRAME_FRAMESET"));
    EXPECT_EQ(dialog.okButton()->pos(), QPoint(345, 405));
    EXPECT_EQ(dialog.cancelButton()->pos(), QPoint(425, 405));
    EXPECT_EQ(dialog.size(), QSize(515, 465));

    // A panel's widgets are made at its first showing, with what the model holds by then.
    EXPECT_EQ(dialog.widgetOf("OpVal1LINK_MAIL_MAIL"), nullptr);
    dialog.model().find("OpVal1LINK_MAIL_MAIL")->setText("info@example.org");
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_MAIL"));
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_MAIL_MAIL")->text(), QStringLiteral("info@example.org"));

    // The radio-button panel has no caption: the dialog's caption is empty while it shows.
    ASSERT_TRUE(dialog.ShowPanel("PanelFORM_RADIOBUTTON"));
    EXPECT_EQ(dialog.windowTitle(), QString());
    EXPECT_EQ(dialog.size(), QSize(295, 185));
}

TEST(TagDialog, UnknownOrMiscasedPanelNamesChangeNothing)
{
    TTagDialogForm dialog;
    ASSERT_TRUE(dialog.ShowPanel("PanelLIST_UL"));
    const QSize size = dialog.size();
    for (const char* name : {"PanelList_UL", "panelLIST_UL", "LIST_UL", "PanelNOPE", "OpVal1LIST_UL_LI", ""}) {
        EXPECT_FALSE(dialog.ShowPanel(name)) << name;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("マーク付きリストの設定"));
        EXPECT_EQ(dialog.size(), size);
        EXPECT_EQ(dialog.CurrentPanel()->name(), "PanelLIST_UL");
    }
    int visible = 0;
    for (const auto& p : dialog.model().panels()) {
        const QWidget* w = dialog.widgetOf(p->name());
        visible += p->visible();
        EXPECT_EQ(w && !w->isHidden(), p->visible()) << p->name();
    }
    EXPECT_EQ(visible, 1);
}

TEST(TagDialog, OnlyFormHideHidesAPanelAndOnlyTheCurrentOne)
{
    TTagDialogForm dialog;
    ASSERT_TRUE(dialog.ShowPanel("PanelLIST_UL"));
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_NAME"));
    EXPECT_TRUE(panelVisible(dialog, "PanelLIST_UL"));
    EXPECT_TRUE(panelVisible(dialog, "PanelLINK_NAME"));
    EXPECT_EQ(dialog.size(), QSize(255, 145));  // the second panel's layout

    dialog.show();
    dialog.hide();  // closing the dialog runs FormHide
    EXPECT_FALSE(panelVisible(dialog, "PanelLINK_NAME"));
    EXPECT_FALSE(dialog.model().panel("PanelLINK_NAME")->visible());
    EXPECT_EQ(dialog.CurrentPanel()->name(), "PanelLINK_NAME");  // still names the last panel
}

TEST(TagDialog, WidgetsAndModelFollowEachOtherAndKeepValuesBetweenOpenings)
{
    TTagDialogForm dialog;
    ControlModel& model = dialog.model();
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_IMG"));
    dialog.show();

    // Initial values reach the widgets.
    EXPECT_EQ(widget<QComboBox>(dialog, "OpVal1LINK_IMG_ALIGN")->currentText(), QStringLiteral("top : テキストを上に"));
    EXPECT_EQ(widget<QLabel>(dialog, "OpTagLINK_IMG_SRC")->text(), QStringLiteral("画像ファイル"));
    EXPECT_EQ(widget<QCheckBox>(dialog, "OpTagLINK_IMG_ALT")->toolTip(), QStringLiteral("代替テキスト (ALT=\"\")"));
    EXPECT_EQ(widget<QCheckBox>(dialog, "OpTagLINK_IMG_ALT")->accessibleName(), QStringLiteral("代替テキスト"));

    // User edits reach the model.
    widget<QLineEdit>(dialog, "OpVal1LINK_IMG_ALT")->setText(QStringLiteral("ロゴ"));
    widget<QCheckBox>(dialog, "OpTagLINK_IMG_ALT")->click();
    widget<QSpinBox>(dialog, "OpVal1LINK_IMG_WIDTH")->setValue(1200);  // above the maximum of 1000
    widget<QComboBox>(dialog, "OpVal1LINK_IMG_ALIGN")->setCurrentIndex(3);
    EXPECT_EQ(model.find("OpVal1LINK_IMG_ALT")->text(), "ロゴ");
    EXPECT_TRUE(model.find("OpTagLINK_IMG_ALT")->checked());
    EXPECT_EQ(model.find("OpVal1LINK_IMG_WIDTH")->value(), 1000);
    EXPECT_EQ(model.find("OpVal1LINK_IMG_ALIGN")->text(), "left : 画像を左に配置");
    widget<QComboBox>(dialog, "OpVal1LINK_IMG_ALIGN")->setEditText(QStringLiteral("texttop"));
    EXPECT_EQ(model.find("OpVal1LINK_IMG_ALIGN")->text(), "texttop");

    // Model changes reach the widgets.
    model.find("OpVal1LINK_IMG_SRC")->setText("logo.gif");
    model.find("OpVal1LINK_IMG_BORDER")->setValue(-2);  // no bounds
    model.find("OpVal1LINK_IMG_ALIGN")->setItemIndex(1);
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_IMG_SRC")->text(), QStringLiteral("logo.gif"));
    EXPECT_EQ(widget<QSpinBox>(dialog, "OpVal1LINK_IMG_BORDER")->value(), -2);
    EXPECT_EQ(widget<QComboBox>(dialog, "OpVal1LINK_IMG_ALIGN")->currentText(), QStringLiteral("middle : テキストを中央に"));

    dialog.hide();
    ASSERT_TRUE(dialog.ShowPanel("PanelLIST_UL"));
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_IMG"));
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_IMG_ALT")->text(), QStringLiteral("ロゴ"));
    EXPECT_TRUE(widget<QCheckBox>(dialog, "OpTagLINK_IMG_ALT")->isChecked());
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_IMG_SRC")->text(), QStringLiteral("logo.gif"));
}

TEST(TagDialog, ClickRulesAndGridEventsRunFromTheWidgets)
{
    TTagDialogForm dialog;
    ASSERT_TRUE(dialog.ShowPanel("PanelTAB_TABLE_TABLE"));
    dialog.show();
    auto* border = widget<QCheckBox>(dialog, "OpTagTAB_TABLE_BORDER");
    EXPECT_TRUE(border->isChecked());
    EXPECT_TRUE(widget<QComboBox>(dialog, "OpVal1TAB_TABLE_FRAME")->isEnabled());
    border->click();
    EXPECT_FALSE(widget<QComboBox>(dialog, "OpVal1TAB_TABLE_FRAME")->isEnabled());
    EXPECT_FALSE(widget<QCheckBox>(dialog, "OpTagTAB_TABLE_FRAME")->isEnabled());
    EXPECT_FALSE(widget<QCheckBox>(dialog, "OoTagTAB_CAPTION_ALIGN")->isEnabled());
    widget<QCheckBox>(dialog, "OoTagTAB_CAPTION_CAPTION")->click();
    EXPECT_TRUE(widget<QCheckBox>(dialog, "OoTagTAB_CAPTION_ALIGN")->isEnabled());
    EXPECT_TRUE(widget<QComboBox>(dialog, "OoVal1TAB_CAPTION_VALIGN")->isEnabled());
    dialog.hide();

    ASSERT_TRUE(dialog.ShowPanel("PanelFRAME_FRAMESET"));
    dialog.show();
    auto* grid = widget<QTableWidget>(dialog, "OpTagFRAME_FRAMESET_FRAME");
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), QStringLiteral("表示ページ"));
    EXPECT_EQ(grid->columnWidth(2), 145);
    widget<QSpinBox>(dialog, "OpVal1FRAME_FRAMESET_FRAME_NUM")->setValue(3);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("3"));
    EXPECT_EQ(grid->item(2, 5)->text(), QStringLiteral("*"));
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1FRAME_FRAMESET_BUNKATSU")->text(), QStringLiteral("50%,50%,*"));

    // Selecting a row loads its cells into the editors; editing writes them back.
    grid->setCurrentCell(1, 1);
    widget<QLineEdit>(dialog, "OpVal1FRAME_FRAMESET_FRAME_NAME")->setText(QStringLiteral("main"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("main"));
    grid->setCurrentCell(0, 1);
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1FRAME_FRAMESET_FRAME_NAME")->text(), QString());
    grid->setCurrentCell(1, 3);
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1FRAME_FRAMESET_FRAME_NAME")->text(), QStringLiteral("main"));
    // The split direction is a radio group.
    auto* rows = widget<QRadioButton>(dialog, "OpTagFRAME_FRAMESET_BUNKATSU1");
    EXPECT_EQ(rows->text(), QStringLiteral("ROWS : 横分割"));
    EXPECT_TRUE(widget<QRadioButton>(dialog, "OpTagFRAME_FRAMESET_BUNKATSU0")->isChecked());
    rows->click();
    EXPECT_EQ(dialog.model().find("OpTagFRAME_FRAMESET_BUNKATSU")->selectedEntry(), "ROWS : 横分割");
}

TEST(TagDialog, OkComposesFromTheWidgetsAndHandsTheTagOn)
{
    TTagDialogForm dialog;
    const catalogue::ButtonTagList list(text::KeyedTextList(std::vector<std::string>{
        "LINK_HREF=[A]\"<A>%SEL%</A>\"",
        "LINK_HREF_HREF=[A]\"HREF=\"%SEL%\"\"",
        "LINK_HREF_TARGET=[A]\"TARGET=\"%SEL%\"\"",
    }));
    dialog.setButtonTagList(&list);
    std::vector<std::string> inserted;
    dialog.setInsert([&](const std::string& text) { inserted.push_back(text); });

    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_HREF"));
    dialog.show();
    widget<QLineEdit>(dialog, "OpVal1LINK_HREF_HREF")->setText(QStringLiteral("a.html"));
    widget<QComboBox>(dialog, "OpVal1LINK_HREF_TARGET")->setCurrentIndex(0);
    dialog.okButton()->click();
    widget<QCheckBox>(dialog, "OpTagLINK_HREF_TARGET")->click();
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_HREF"));
    dialog.show();
    dialog.okButton()->click();
    EXPECT_EQ(inserted, (std::vector<std::string>{"<A HREF=\"a.html\">%SEL%</A>",
                                                  "<A HREF=\"a.html\" TARGET=\"_blank\">%SEL%</A>"}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // Cancel composes nothing.
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_HREF"));
    dialog.show();
    dialog.cancelButton()->click();
    EXPECT_EQ(inserted.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(TagDialog, PickersFillTheirEditsThroughShowTextToEdit)
{
    TTagDialogForm dialog;
    std::vector<int> filters;
    std::optional<std::string> nextFile = "/site/img/logo.gif";
    dialog.setChooseFile([&](OpenDialogState& state) {
        filters.push_back(state.filterIndex);
        return nextFile;
    });
    dialog.setReferenceText([](const std::string& file) { return "rel:" + file; });
    std::optional<std::uint32_t> nextColour = 0x123456;
    std::vector<std::uint32_t> starts;
    dialog.setChooseColour([&](std::uint32_t start) {
        starts.push_back(start);
        return nextColour;
    });

    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_IMG"));
    widget<QPushButton>(dialog, "RefOpVal1LINK_IMG_SRC")->click();  // Tag 2: the image filter
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_IMG_SRC")->text(), QStringLiteral("rel:/site/img/logo.gif"));
    ASSERT_TRUE(dialog.ShowPanel("PanelLINK_HREF"));
    nextFile.reset();  // cancelled: the edit keeps its text
    widget<QLineEdit>(dialog, "OpVal1LINK_HREF_HREF")->setText(QStringLiteral("keep.html"));
    widget<QPushButton>(dialog, "RefOpVal1LINK_HREF_HREF")->click();  // Tag 0 keeps the image filter
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1LINK_HREF_HREF")->text(), QStringLiteral("keep.html"));
    EXPECT_EQ(filters, (std::vector<int>{2, 2}));

    // The new-document panel's text colour fills only its own edit.
    ASSERT_TRUE(dialog.ShowPanel("PanelDOC_KIHON"));
    widget<QPushButton>(dialog, "ColOoVal1DOC_BODY_TEXT")->click();
    EXPECT_EQ(widget<QLineEdit>(dialog, "OoVal1DOC_BODY_TEXT")->text(), QStringLiteral("123456"));
    EXPECT_EQ(dialog.model().find("OpVal1DOC_BODY_TEXT")->text(), "");
    ASSERT_TRUE(dialog.ShowPanel("PanelDOC_BODY_BODY"));  // its widgets are made now, from the model
    EXPECT_EQ(widget<QLineEdit>(dialog, "OpVal1DOC_BODY_TEXT")->text(), QString());
    nextColour = 0xFF0000;
    widget<QPushButton>(dialog, "ColOoVal1DOC_BODY_BGCOLOR")->click();
    EXPECT_EQ(widget<QLineEdit>(dialog, "OoVal1DOC_BODY_BGCOLOR")->text(), QStringLiteral("FF0000"));
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{0x000000, 0x123456}));  // starts on the last colour

    // ShowTextToEdit finds edits whatever the letter case, and only edits.
    dialog.ShowTextToEdit("opval1link_name_name", "top");
    EXPECT_EQ(dialog.model().find("OpVal1LINK_NAME_NAME")->text(), "top");
    dialog.ShowTextToEdit("OpVal1LINK_IMG_ALIGN", "left");
    EXPECT_EQ(dialog.model().find("OpVal1LINK_IMG_ALIGN")->text(), "top : テキストを上に");
    dialog.ShowTextToEdit("NoSuchEdit", "x");
}

// With the dialog's real font, every caption fits its control as laid out.
TEST(TagDialog, CaptionsFitTheirControlsWithTheDialogsFont)
{
    TTagDialogForm dialog;
    for (const auto& panel : dialog.model().panels()) {
        ASSERT_TRUE(dialog.ShowPanel(panel->name()));
        dialog.show();
        QWidget* pw = dialog.widgetOf(panel->name());
        for (QWidget* w : pw->findChildren<QWidget*>()) {
            const bool captioned = qobject_cast<QCheckBox*>(w) || qobject_cast<QLabel*>(w) ||
                                   qobject_cast<QRadioButton*>(w) || qobject_cast<QPushButton*>(w);
            if (!captioned || w->objectName().isEmpty())
                continue;
            // A push button's size hint has a style minimum; its caption is what must fit.
            auto* button = qobject_cast<QPushButton*>(w);
            const int needed = button ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                                      : w->sizeHint().width();
            EXPECT_LE(needed, w->width())
                << panel->name() << " " << w->objectName().toStdString() << " needs " << needed
                << " width " << w->width();
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << panel->name() << " " << w->objectName().toStdString();
        }
        // A list shows its current text whole (its drop-down shows longer entries whole).
        for (QComboBox* combo : pw->findChildren<QComboBox*>()) {
            const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText()) + 26;
            EXPECT_LE(needed, combo->width()) << panel->name() << " " << combo->objectName().toStdString()
                                              << " needs " << needed << " width " << combo->width();
        }
        // Unit lists show both units whole.
        for (const char* unit : {"% : パーセント", " : ピクセル"})
            for (QComboBox* combo : pw->findChildren<QComboBox*>(QRegularExpression(QStringLiteral("^O[po]Val2"))))
                EXPECT_LE(combo->fontMetrics().horizontalAdvance(QString::fromUtf8(unit)) + 26, combo->width())
                    << combo->objectName().toStdString();
        for (QGroupBox* g : pw->findChildren<QGroupBox*>())
            for (QRadioButton* rb : g->findChildren<QRadioButton*>())
                EXPECT_TRUE(g->rect().contains(rb->geometry())) << rb->objectName().toStdString();
        dialog.hide();
    }
}
