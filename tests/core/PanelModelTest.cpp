// The live control model: lookups, visiting order, state changes and their notifications.

#include "tagdialog/PanelModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel;

TEST(PanelModel, LookupIsExactForPanelsAndOptionallyCaseBlindForControls)
{
    ControlModel model;
    ASSERT_EQ(model.panels().size(), 24u);
    EXPECT_NE(model.panel("PanelLINK_HREF"), nullptr);
    EXPECT_EQ(model.panel("PanelLink_Href"), nullptr);
    EXPECT_EQ(model.panel("OpVal1LINK_HREF_HREF"), nullptr);  // a control, not a panel
    Control* edit = model.find("OpVal1LINK_HREF_HREF");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(model.find("opval1link_href_href"), nullptr);
    EXPECT_EQ(model.findIgnoreCase("opval1link_href_href"), edit);
    EXPECT_EQ(edit->panel(), model.panel("PanelLINK_HREF"));
    EXPECT_EQ(edit->parent()->child("OpTagLINK_HREF_TARGET"), model.find("OpTagLINK_HREF_TARGET"));
    EXPECT_EQ(edit->parent()->child("OpTagLINK_IMG_ALT"), nullptr);
    // Controls deep inside nested panels and group boxes are found too.
    Control* inner = model.find("OoTagTAB_CAPTION_VALIGN");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->parent()->name(), "OpPnlTAB_CAPTION_START");
    EXPECT_EQ(inner->parent()->parent()->name(), "GroupTAB_CAPTION");
    EXPECT_EQ(inner->panel()->name(), "PanelTAB_TABLE_TABLE");
    for (const auto& p : model.panels())
        EXPECT_FALSE(p->visible()) << p->name();
}

TEST(PanelModel, VisitingOrderPutsLabelsFirstThenTheRestInDefinitionOrder)
{
    ControlModel model;
    auto names = [](const Control& c) {
        std::vector<std::string> out;
        for (const Control* ch : c.visitingOrder())
            out.push_back(ch->name());
        return out;
    };
    // The frame editors are defined below the grid, but their labels are visited first.
    EXPECT_EQ(names(*model.find("OpPnlFRAME_FRAMESET_FRAME")),
              (std::vector<std::string>{"OpTagFRAME_FRAMESET_FRAME_NAME", "OpTagFRAME_FRAMESET_FRAME_SRC",
                                        "OpTagFRAME_FRAMESET_FRAME_SCROLL", "OpTagFRAME_FRAMESET_FRAME",
                                        "OpVal1FRAME_FRAMESET_FRAME_NAME", "OpVal1FRAME_FRAMESET_FRAME_SRC",
                                        "RefOpVal1FRAME_FRAMESET_FRAME_SRC", "OpVal1FRAME_FRAMESET_FRAME_SCROLL",
                                        "OpTagFRAME_FRAMESET_FRAME_SIZE", "OpVal1FRAME_FRAMESET_FRAME_SIZE",
                                        "OpVal2FRAME_FRAMESET_FRAME_SIZE", "OpTagFRAME_FRAMESET_FRAME_SIZECHANGE"}));
    const auto ol = names(*model.panel("PanelLIST_OL"));
    EXPECT_EQ(std::vector<std::string>(ol.begin(), ol.begin() + 2),
              (std::vector<std::string>{"OpTagLIST_OL_TYPE", "OpTagLIST_OL_LI"}));
    EXPECT_EQ(ol[2], "OpVal1LIST_OL_TYPE");
}

TEST(PanelModel, SettersNotifyOnlyRealChangesAndKeepValuesValid)
{
    ControlModel model;
    std::vector<std::string> changed;
    model.setObserver([&](const Control& c) { changed.push_back(c.name()); });

    Control& spin = *model.find("OpVal1LIST_UL_LI");  // 1..100
    spin.setValue(500);
    EXPECT_EQ(spin.value(), 100);
    spin.setValue(-3);
    EXPECT_EQ(spin.value(), 1);
    spin.setValue(1);  // no change, no notification
    Control& free = *model.find("OpVal1LINK_IMG_BORDER");  // 0..0: no bounds
    free.setValue(-40);
    EXPECT_EQ(free.value(), -40);
    free.setValue(123456);
    EXPECT_EQ(free.value(), 123456);
    EXPECT_EQ(changed, (std::vector<std::string>{"OpVal1LIST_UL_LI", "OpVal1LIST_UL_LI", "OpVal1LINK_IMG_BORDER",
                                                 "OpVal1LINK_IMG_BORDER"}));

    // A list's index follows its shown text; typed text is no entry.
    Control& list = *model.find("OpVal1LAYOUT_HR_ALIGN");
    EXPECT_EQ(list.itemIndex(), 1);
    list.setItemIndex(2);
    EXPECT_EQ(list.text(), "right : 右");
    list.setText("justify");
    EXPECT_EQ(list.itemIndex(), -1);
    list.setItemIndex(9);
    EXPECT_EQ(list.text(), "");

    Control& radio = *model.find("OpTagMOJI_FONT_SIZE");
    radio.setItemIndex(8);
    EXPECT_EQ(radio.selectedEntry(), "+3");
    radio.setItemIndex(99);
    EXPECT_EQ(radio.itemIndex(), -1);
    EXPECT_EQ(radio.selectedEntry(), "");

    changed.clear();
    Control& box = *model.find("OpTagTAB_TABLE_BORDER");
    box.setChecked(true);  // already checked
    box.setEnabled(true);
    EXPECT_TRUE(changed.empty());
    box.setChecked(false);
    EXPECT_EQ(changed, std::vector<std::string>{"OpTagTAB_TABLE_BORDER"});
}

TEST(PanelModel, GridRowsComeBackWithTheirCellsAndSelectionStaysOnADataRow)
{
    ControlModel model;
    Control& grid = *model.find("OpTagFRAME_FRAMESET_FRAME");
    grid.setRowCount(3);
    grid.setCell(3, 1, "main");
    grid.setSelectedRow(3);
    EXPECT_EQ(grid.selectedRow(), 3);
    grid.setRowCount(1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.selectedRow(), 1);
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(3, 1), "main");
    EXPECT_EQ(grid.cell(0, 5), "size");
    EXPECT_EQ(grid.cell(7, 1), "");   // outside: empty
    EXPECT_EQ(grid.cell(1, 40), "");
    grid.setSelectedRow(0);           // the header row cannot be selected
    EXPECT_EQ(grid.selectedRow(), 1);
    grid.setCell(1, 6, "x");          // no seventh column
    EXPECT_EQ(grid.cell(1, 6), "");
}

TEST(PanelModel, EventsRunTheHandlerTheControlNames)
{
    ControlModel model;
    std::vector<std::string> ran;
    model.setHandler("OpTagTAB_TABLE_BORDERCOLORClick", [&](Control& sender) { ran.push_back(sender.name()); });
    EXPECT_TRUE(model.fire(*model.find("OpTagTAB_TABLE_BORDERCOLORDARK"), ControlEvent::Click));
    EXPECT_FALSE(model.fire(*model.find("OpTagTAB_TABLE_BORDERCOLORDARK"), ControlEvent::Change));
    EXPECT_FALSE(model.fire(*model.find("OpTagTAB_TABLE_BORDER"), ControlEvent::Click));  // none registered
    EXPECT_FALSE(model.fire(*model.find("OpTagLINK_IMG_ALT"), ControlEvent::Click));      // names none
    EXPECT_EQ(ran, std::vector<std::string>{"OpTagTAB_TABLE_BORDERCOLORDARK"});
    EXPECT_EQ(model.find("OpVal1FRAME_FRAMESET_FRAME_NUM")->onChange(), "OpVal1FRAME_FRAMESET_FRAME_NUMChange");
    EXPECT_EQ(model.find("OpTagFORM_LISTBOX_OPTION")->onClick(), "OpTagFORM_LISTBOX_OPTIONClick");
}

TEST(PanelModel, AccessibleNameFallsBackFromCaptionToHintToName)
{
    ControlModel model;
    EXPECT_EQ(model.find("OpTagLINK_IMG_ALT")->accessibleName(), "代替テキスト");
    EXPECT_EQ(model.find("OpPnlDOC_BODY_BODY")->accessibleName(), "ボディーの設定");
    EXPECT_EQ(model.find("OpVal1LINK_IMG_ALT")->accessibleName(), "OpVal1LINK_IMG_ALT");
}
