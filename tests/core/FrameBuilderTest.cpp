#include "tagdialog/FrameBuilder.h"
#include "tagdialog/FrameBuilderSetup.h"
#include "tagdialog/OptionBuilder.h"

#include <gtest/gtest.h>

using namespace orvanel;
using namespace orvanel::tagdialog;

namespace {

// The dialog's model with its grids set up and their events registered, driven the way the
// widgets drive it: a value is set, then the control's event is fired.
struct Dialog {
    ControlModel model;
    Dialog()
    {
        InitializePanel(model);
        installGridHandlers(model);
    }
    Control& at(std::string_view name) { return *model.find(name); }
    Control& grid() { return at(frame::kGrid); }
    std::string split() { return at(frame::kSplitSizes).text(); }
    void setCount(int n)
    {
        at(frame::kCount).setValue(n);
        model.fire(at(frame::kCount), ControlEvent::Change);
    }
    void select(int row)
    {
        grid().setSelectedRow(row);
        model.fire(grid(), ControlEvent::Click);
    }
    void type(std::string_view name, std::string text)
    {
        at(name).setText(std::move(text));
        model.fire(at(name), ControlEvent::Change);
    }
    void click(std::string_view name, bool on)
    {
        at(name).setChecked(on);
        model.fire(at(name), ControlEvent::Click);
    }
    void spin(std::string_view name, int v)
    {
        at(name).setValue(v);
        model.fire(at(name), ControlEvent::Change);
    }
};

} // namespace

TEST(FrameBuilder, CountChangesKeepTheSplitSizesInStep)
{
    Dialog d;
    EXPECT_EQ(d.grid().rowCount(), 2);
    EXPECT_EQ(d.grid().cell(0, frame::Name), "フレーム名");
    EXPECT_EQ(d.split(), "50%,50%");

    d.setCount(3);
    EXPECT_EQ(d.grid().rowCount(), 3);
    EXPECT_EQ(d.grid().cell(3, frame::Number), "3");
    EXPECT_EQ(d.grid().cell(3, frame::Size), "*");
    EXPECT_EQ(d.split(), "50%,50%,*");

    d.setCount(1);
    EXPECT_EQ(d.split(), "50%");
    EXPECT_EQ(d.grid().rowCount(), 1);
}

TEST(FrameBuilder, SizeEditorsWriteTheSelectedRow)
{
    Dialog d;
    d.select(2);
    d.click(frame::kSizeBox, false);
    EXPECT_EQ(d.grid().cell(2, frame::Size), "*");
    EXPECT_EQ(d.split(), "50%,*");
    EXPECT_FALSE(d.at(frame::kSize).enabled());
    EXPECT_FALSE(d.at(frame::kUnit).enabled());

    d.click(frame::kSizeBox, true);
    EXPECT_TRUE(d.at(frame::kSize).enabled());
    d.spin(frame::kSize, 70);
    EXPECT_EQ(d.split(), "50%,70%");
    d.at(frame::kUnit).setItemIndex(1);
    d.model.fire(d.at(frame::kUnit), ControlEvent::Change);
    EXPECT_EQ(d.split(), "50%,70");
    EXPECT_EQ(d.grid().cell(1, frame::Size), "50%");
}

TEST(FrameBuilder, SelectingARowLoadsTheEditorsAndWritesNothingBack)
{
    Dialog d;
    d.setCount(4);
    d.grid().setCell(1, frame::Size, "120");
    d.grid().setCell(2, frame::Size, "30%");
    d.grid().setCell(2, frame::Scroll, "auto");
    d.grid().setCell(2, frame::NoResize, "noresize");
    d.grid().setCell(3, frame::Scroll, "sometimes");
    d.grid().setCell(4, frame::Size, "5000");

    // Widgets report every value they are given as a change, as the dialog's do.
    d.model.setObserver([&d](const Control& c) {
        if (c.kind() != ControlKind::Grid)
            d.model.fire(*d.model.find(c.name()), ControlEvent::Change);
    });

    d.select(1);
    EXPECT_EQ(d.at(frame::kSize).value(), 120);
    EXPECT_EQ(d.at(frame::kUnit).text(), " : ピクセル");
    EXPECT_EQ(d.at(frame::kScroll).text(), "指定なし");
    EXPECT_EQ(d.grid().cell(1, frame::Size), "120");

    d.select(2);
    EXPECT_EQ(d.at(frame::kSize).value(), 30);
    EXPECT_EQ(d.at(frame::kUnit).text(), "% : パーセント");
    EXPECT_EQ(d.at(frame::kScroll).text(), "auto : 自動");
    EXPECT_TRUE(d.at(frame::kNoResize).checked());

    d.select(3);
    EXPECT_EQ(d.at(frame::kScroll).text(), "no : なし");
    EXPECT_FALSE(d.at(frame::kNoResize).checked());
    EXPECT_FALSE(d.at(frame::kSizeBox).checked());
    EXPECT_FALSE(d.at(frame::kSize).enabled());

    // The spin shows at most its maximum; the cell keeps what it held.
    d.select(4);
    EXPECT_EQ(d.at(frame::kSize).value(), 1000);
    EXPECT_EQ(d.grid().cell(4, frame::Size), "5000");
    EXPECT_EQ(d.grid().cell(3, frame::Scroll), "sometimes");
    // Loading rebuilt nothing either: the split sizes are those of the last count change.
    EXPECT_EQ(d.split(), "50%,50%,*,*");
}

TEST(FrameBuilder, TextEditorsAndScrollAndNoResize)
{
    Dialog d;
    d.select(2);
    d.type(frame::kName, "main");
    d.type(frame::kPage, "b.html");
    d.at(frame::kScroll).setItemIndex(2);
    d.model.fire(d.at(frame::kScroll), ControlEvent::Change);
    EXPECT_EQ(d.grid().cell(2, frame::Scroll), "yes");
    d.at(frame::kScroll).setItemIndex(0);
    d.model.fire(d.at(frame::kScroll), ControlEvent::Change);
    EXPECT_EQ(d.grid().cell(2, frame::Scroll), "");
    d.click(frame::kNoResize, true);
    EXPECT_EQ(d.grid().cell(2, frame::Name), "main");
    EXPECT_EQ(d.grid().cell(2, frame::Page), "b.html");
    EXPECT_EQ(d.grid().cell(2, frame::NoResize), "noresize");
    EXPECT_EQ(d.grid().cell(1, frame::Name), "");
    d.click(frame::kNoResize, false);
    EXPECT_EQ(d.grid().cell(2, frame::NoResize), "");
}

TEST(FrameBuilder, FrameLines)
{
    Dialog d;
    Control& g = d.grid();
    g.setCell(1, frame::Name, "top");
    g.setCell(1, frame::Page, "a.html");
    g.setCell(1, frame::Scroll, "auto");
    g.setCell(1, frame::NoResize, "noresize");
    EXPECT_EQ(GetFRAMEOption(g, "<FRAME NAME =\"\" SRC=\"\">"),
              "%CR%<FRAME NAME=\"top\" SRC=\"a.html\" SCROLLING=\"auto\" noresize>"
              "%CR%<FRAME NAME=\"\" SRC=\"\">");
    // Without the marker with its blank before "=", the name has nowhere to go; markers are
    // found in any letter case.
    g.setRowCount(1);
    EXPECT_EQ(GetFRAMEOption(g, "<frame name=\"\" src=\"\">"),
              "%CR%<frame name=\"\" SRC=\"a.html\" SCROLLING=\"auto\" noresize>");
}

TEST(OptionBuilder, OptionLines)
{
    Dialog d;
    Control& g = d.at("OpTagFORM_COMBOBOX_OPTION");
    g.setCell(1, option::Shown, "A");
    EXPECT_EQ(GetFORMOption(g, "<OPTION>%SEL%"), "%CR%<OPTION>A"); // no VALUE: A is sent
    g.setCell(1, option::Selected, "check");
    g.setCell(1, option::Sent, "a");
    EXPECT_EQ(GetFORMOption(g, "<OPTION>%sel%"), "%CR%<OPTION VALUE=\"a\" SELECTED>A");
}

TEST(OptionBuilder, EditorsWriteTheSelectedRowOfTheirOwnGrid)
{
    Dialog d;
    const std::string combo = "FORM_COMBOBOX_OPTION";
    const std::string list = "FORM_LISTBOX_OPTION";
    d.spin("OpVal1" + combo + "_NUM", 3);
    Control& g = d.at("OpTag" + combo);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.cell(3, option::Number), "3");
    EXPECT_EQ(d.at("OpTag" + list).rowCount(), 1);

    g.setSelectedRow(2);
    d.model.fire(g, ControlEvent::Click);
    d.type("OpVal1" + combo + "_SEL", "Two");
    d.type("OpVal1" + combo + "_VALUE", "2");
    d.click("OpTag" + combo + "_SELECTED", true);
    EXPECT_EQ(g.cell(2, option::Shown), "Two");
    EXPECT_EQ(g.cell(2, option::Sent), "2");
    EXPECT_EQ(g.cell(2, option::Selected), "check");
    EXPECT_EQ(d.at("OpTag" + list).cell(1, option::Shown), "");

    g.setSelectedRow(1);
    d.model.fire(g, ControlEvent::Click);
    EXPECT_EQ(d.at("OpVal1" + combo + "_SEL").text(), "");
    EXPECT_FALSE(d.at("OpTag" + combo + "_SELECTED").checked());
    g.setSelectedRow(2);
    d.model.fire(g, ControlEvent::Click);
    EXPECT_EQ(d.at("OpVal1" + combo + "_SEL").text(), "Two");
    EXPECT_TRUE(d.at("OpTag" + combo + "_SELECTED").checked());
}
