// The 24 attribute panels as described: names, sizes, the naming rules composition relies on,
// initial states, and a layout in which nothing overlaps or is cut.

#include "catalogue/TagButtons.h"
#include "tagdialog/PanelLayout.h"
#include "tagdialog/PanelModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>

using namespace orvanel;

namespace {

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

void walk(const ControlDef& c, const std::function<void(const ControlDef&, const ControlDef&)>& f)
{
    for (const ControlDef& ch : c.children) {
        f(c, ch);
        walk(ch, f);
    }
}

std::vector<const ControlDef*> allControls()
{
    std::vector<const ControlDef*> out;
    for (const ControlDef& p : panelDefinitions()) {
        out.push_back(&p);
        walk(p, [&](const ControlDef&, const ControlDef& c) { out.push_back(&c); });
    }
    return out;
}

} // namespace

TEST(PanelDefinitions, TheTwentyFourPanelsWithTheirCaptionsAndSizes)
{
    const std::vector<std::tuple<std::string, std::string, int, int>> expected{
        {"PanelDOC_KIHON", "新規ドキュメント", 360, 380},
        {"PanelDOC_BODY_BODY", "ボディーの設定", 360, 270},
        {"PanelLAYOUT_HR_HR", "水平線（詳細）", 240, 160},
        {"PanelMOJI_FONT_FONT", "フォントの設定", 275, 250},
        {"PanelTAB_TABLE_TABLE", "表の作成", 470, 370},
        {"PanelTAB_TR_TR", "行の設定", 250, 225},
        {"PanelTAB_TD_TD", "データセルの設定", 450, 225},
        {"PanelTAB_TH_TH", "ヘッダセルの設定", 450, 225},
        {"PanelLINK_HREF", "リンクの設定", 300, 95},
        {"PanelLINK_NAME", "アンカーの設定", 230, 65},
        {"PanelLINK_MAIL", "メールの送信先", 230, 65},
        {"PanelLINK_IMG", "画像の設定", 300, 245},
        {"PanelLIST_UL", "マーク付きリストの設定", 190, 75},
        {"PanelLIST_OL", "番号付きリストの設定", 280, 75},
        {"PanelFRAME_FRAMESET", "フレーム定義", 490, 385},
        {"PanelFORM_FORM", "フォーム領域", 250, 75},
        {"PanelFORM_TEXTAREA", "複数行入力フィールド", 275, 140},
        {"PanelFORM_INPUT", "１行入力フィールド", 290, 155},
        {"PanelFORM_BUTTON", "ボタン", 270, 105},
        {"PanelFORM_RADIOBUTTON", "", 270, 105},
        {"PanelFORM_CHECKBOX", "チェックボックス", 270, 105},
        {"PanelFORM_COMBOBOX", "コンボボックス", 445, 245},
        {"PanelFORM_LISTBOX", "リストボックス", 445, 280},
        {"PanelFORM_HIDDEN", "隠しフィールド", 270, 75},
    };
    const auto& panels = panelDefinitions();
    ASSERT_EQ(panels.size(), expected.size());
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const auto& [name, caption, w, h] = expected[i];
        SCOPED_TRACE(name);
        EXPECT_EQ(panels[i].kind, ControlKind::Panel);
        EXPECT_EQ(panels[i].name, name);
        EXPECT_EQ(panels[i].caption, caption);
        EXPECT_EQ(panels[i].bounds, (Bounds{0, 0, w, h}));
    }
}

// Every group button of the palette opens a panel, and every panel has its group button.
TEST(PanelDefinitions, PanelsAndGroupButtonsCorrespondOneToOne)
{
    std::set<std::string> fromButtons, panels;
    for (const catalogue::TagButton& b : catalogue::tagButtons())
        if (b.kind == catalogue::TagButtonKind::Group)
            fromButtons.insert(b.panelName());
    for (const ControlDef& p : panelDefinitions())
        panels.insert(p.name);
    EXPECT_EQ(fromButtons, panels);
}

TEST(PanelDefinitions, NamesAreUniqueAndFollowTheNamingScheme)
{
    std::set<std::string> seen;
    for (const ControlDef* c : allControls()) {
        EXPECT_FALSE(c->name.empty()) << controlKindName(c->kind) << " " << c->caption;
        EXPECT_TRUE(seen.insert(c->name).second) << "duplicate " << c->name;
        const std::string& n = c->name;
        switch (c->kind) {
        case ControlKind::Panel: EXPECT_TRUE(startsWith(n, "Panel")) << n; break;
        case ControlKind::NestedPanel: EXPECT_TRUE(startsWith(n, "OpPnl")) << n; break;
        case ControlKind::GroupBox: EXPECT_TRUE(startsWith(n, "Group")) << n; break;
        case ControlKind::Label:
        case ControlKind::CheckBox:
            EXPECT_TRUE(startsWith(n, "OpTag") || startsWith(n, "OoTag")) << n;
            EXPECT_FALSE(c->caption.empty()) << n;
            break;
        case ControlKind::RadioGroup:
        case ControlKind::Grid: EXPECT_TRUE(startsWith(n, "OpTag")) << n; break;
        case ControlKind::Edit:
        case ControlKind::List:
        case ControlKind::SpinEdit:
            EXPECT_TRUE(startsWith(n, "OpVal1") || startsWith(n, "OpVal2") || startsWith(n, "OoVal1") ||
                        startsWith(n, "OoVal2"))
                << n;
            break;
        case ControlKind::Button:
            EXPECT_TRUE(startsWith(n, "Ref") || startsWith(n, "Col")) << n;
            EXPECT_EQ(c->caption, "参照") << n;
            break;
        case ControlKind::RadioButton: break;
        }
    }
    EXPECT_GT(seen.size(), 300u);
}

// Composition searches the value controls of a switch among its siblings only, and a picker
// fills the edit named after it; both must therefore stand in the same container.
TEST(PanelDefinitions, ValueControlsAndPickersAreSiblingsOfTheirSwitch)
{
    int colourButtons = 0;
    std::map<std::string, int> fileButtons;
    for (const ControlDef& p : panelDefinitions()) {
        walk(p, [&](const ControlDef& parent, const ControlDef& c) {
            auto sibling = [&](const std::string& name) -> const ControlDef* {
                for (const ControlDef& s : parent.children)
                    if (s.name == name)
                        return &s;
                return nullptr;
            };
            if (c.kind == ControlKind::Edit || c.kind == ControlKind::List || c.kind == ControlKind::SpinEdit) {
                const std::string family = c.name.substr(0, 2);  // "Op" or "Oo"
                const std::string key = c.name.substr(6);
                const ControlDef* sw = sibling(family + "Tag" + key);
                ASSERT_NE(sw, nullptr) << c.name << " has no switch beside it in " << parent.name;
                if (c.name[5] == '2') {
                    const ControlDef* first = sibling(family + "Val1" + key);
                    ASSERT_NE(first, nullptr) << c.name;
                    // A second value is appended only when the first carries Tag 1; the frame
                    // size editors use their pair directly.
                    if (key != "FRAME_FRAMESET_FRAME_SIZE") {
                        EXPECT_EQ(first->tag, 1) << c.name;
                    }
                }
            }
            if (c.kind == ControlKind::Button) {
                const ControlDef* target = sibling(c.name.substr(3));
                ASSERT_NE(target, nullptr) << c.name << " fills nothing in " << parent.name;
                EXPECT_EQ(target->kind, ControlKind::Edit) << c.name;
                if (startsWith(c.name, "Col")) {
                    ++colourButtons;
                    EXPECT_EQ(c.onClick, "ColBtnClick");
                } else {
                    fileButtons[c.name] = c.tag;
                    EXPECT_EQ(c.onClick, "RefBtnClick");
                }
            }
        });
    }
    EXPECT_EQ(colourButtons, 20);
    const std::map<std::string, int> expectedFiles{
        {"RefOoVal1DOC_BODY_BACKGROUND", 2},  {"RefOpVal1DOC_BODY_BACKGROUND", 0},
        {"RefOpVal1TAB_TABLE_BACKGROUND", 2}, {"RefOpVal1TAB_TR_BACKGROUND", 0},
        {"RefOpVal1TAB_TD_BACKGROUND", 0},    {"RefOpVal1TAB_TH_BACKGROUND", 0},
        {"RefOpVal1LINK_HREF_HREF", 0},       {"RefOpVal1LINK_IMG_SRC", 2},
        {"RefOpVal1FRAME_FRAMESET_FRAME_SRC", 0},
    };
    EXPECT_EQ(fileButtons, expectedFiles);
}

TEST(PanelDefinitions, InitialStatesTagsAndHandlers)
{
    std::set<std::string> disabled, checkedBoxes;
    std::map<std::string, int> tags;
    std::map<std::string, std::string> clickHandlers;
    for (const ControlDef* c : allControls()) {
        if (!c->enabled)
            disabled.insert(c->name);
        if (c->checked)
            checkedBoxes.insert(c->name);
        if (c->tag != 0 && c->kind != ControlKind::Button)
            tags[c->name] = c->tag;
        if (!c->onClick.empty() && c->kind == ControlKind::CheckBox)
            clickHandlers[c->name] = c->onClick;
        if (c->kind == ControlKind::SpinEdit && (c->minValue || c->maxValue)) {
            EXPECT_GE(c->value, c->minValue) << c->name;
            EXPECT_LE(c->value, c->maxValue) << c->name;
        }
        // A list shows one of its entries, except the two that start on a typed or empty text.
        if (c->kind == ControlKind::List && c->name != "OpVal1TAB_TD_ALIGN" && c->name != "OpVal1TAB_TH_ALIGN" &&
            c->name != "OpVal1LINK_HREF_TARGET") {
            EXPECT_NE(std::find(c->entries.begin(), c->entries.end(), c->text), c->entries.end()) << c->name;
        }
    }
    EXPECT_EQ(disabled, (std::set<std::string>{"OoTagDOC_BODY_BGFIXED", "OpTagDOC_BODY_BGFIXED",
                                               "OoTagTAB_CAPTION_ALIGN", "OoVal1TAB_CAPTION_ALIGN",
                                               "OoTagTAB_CAPTION_VALIGN", "OoVal1TAB_CAPTION_VALIGN"}));
    EXPECT_EQ(checkedBoxes, (std::set<std::string>{"OoTagDOC_META_EDITOR", "OpTagTAB_TABLE_BORDER",
                                                   "OpTagFRAME_FRAMESET_FRAME_SIZE"}));
    // Tag 1: second values and the split direction; Tag 2: repeat counts; Tag 3: captions only.
    for (const char* n : {"OpVal1LAYOUT_HR_WIDTH", "OpVal1TAB_TABLE_WIDTH", "OpVal1TAB_TABLE_HEIGHT",
                          "OpVal1TAB_TD_WIDTH", "OpVal1TAB_TD_HEIGHT", "OpVal1TAB_TH_WIDTH", "OpVal1TAB_TH_HEIGHT",
                          "OpTagFRAME_FRAMESET_BUNKATSU"})
        EXPECT_EQ(tags[n], 1) << n;
    EXPECT_EQ(tags["OpVal1LIST_UL_LI"], 2);
    EXPECT_EQ(tags["OpVal1LIST_OL_LI"], 2);
    for (const auto& [name, t] : tags) {
        if (t == 3) {
            EXPECT_TRUE(startsWith(name, "OpTagFRAME_FRAMESET") || startsWith(name, "OpTagFORM_COMBOBOX_OPTION_") ||
                        startsWith(name, "OpTagFORM_LISTBOX_OPTION_"))
                << name;
        }
    }
    EXPECT_EQ(tags.count("OpTagFRAME_FRAMESET_FRAME_SIZECHANGE"), 0u);
    EXPECT_EQ(tags["OpTagFRAME_FRAMESET_FRAME_SIZE"], 3);
    EXPECT_EQ(tags["OpTagFORM_LISTBOX_OPTION_SELECTED"], 3);
    EXPECT_EQ(tags.size(), 8u + 2u + 14u);

    EXPECT_EQ(clickHandlers["OpTagDOC_BODY_BACKGROUND"], "OpTagDOC_BODY_BACKGROUNDClick");
    EXPECT_EQ(clickHandlers["OoTagDOC_BODY_BACKGROUND"], "OpTagDOC_BODY_BACKGROUNDClick");
    EXPECT_EQ(clickHandlers["OoTagTAB_CAPTION_CAPTION"], "OoTagTAB_CAPTION_CAPTIONClick");
    EXPECT_EQ(clickHandlers["OpTagTAB_TABLE_BORDER"], "OpTagTAB_TABLE_BORDERClick");
    for (const char* n : {"OpTagTAB_TABLE_BORDERCOLOR", "OpTagTAB_TABLE_BORDERCOLORLIGHT", "OpTagTAB_TABLE_BORDERCOLORDARK"})
        EXPECT_EQ(clickHandlers[n], "OpTagTAB_TABLE_BORDERCOLORClick") << n;
}

TEST(PanelDefinitions, GridsStartAsTheBuildersExpect)
{
    ControlModel model;
    const Control* frames = model.find("OpTagFRAME_FRAMESET_FRAME");
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(frames->kind(), ControlKind::Grid);
    EXPECT_EQ(frames->parent()->name(), "OpPnlFRAME_FRAMESET_FRAME");
    ASSERT_EQ(frames->columnCount(), 6);
    EXPECT_EQ(frames->rowCount(), 2);
    EXPECT_EQ(frames->gridColumns()[2].header, "表示ページ");
    EXPECT_EQ(frames->gridColumns()[2].width, 145);
    EXPECT_EQ(frames->cell(2, 0), "2");
    EXPECT_EQ(frames->cell(1, 5), "50%");
    EXPECT_EQ(frames->cell(2, 1), "");
    EXPECT_EQ(model.find("OpVal1FRAME_FRAMESET_BUNKATSU")->text(), "50%,50%");
    EXPECT_EQ(model.find("OpTagFRAME_FRAMESET_BUNKATSU")->selectedEntry(), "COLS : 縦分割");
    for (const char* g : {"OpTagFORM_COMBOBOX_OPTION", "OpTagFORM_LISTBOX_OPTION"}) {
        const Control* options = model.find(g);
        ASSERT_NE(options, nullptr) << g;
        EXPECT_EQ(options->columnCount(), 4);
        EXPECT_EQ(options->rowCount(), 1);
        EXPECT_EQ(options->cell(1, 0), "1");
        EXPECT_EQ(options->gridColumns()[3].header, "初期選択");
        EXPECT_EQ(options->parent()->kind(), ControlKind::NestedPanel);
    }
    EXPECT_EQ(model.find("OpTagMOJI_FONT_SIZE")->selectedEntry(), "指定なし");
}

TEST(PanelLayout, NothingOverlapsOrIsCutOnAnyPanel)
{
    for (const ControlDef& p : panelDefinitions()) {
        for (const LayoutProblem& problem : checkLayout(p))
            ADD_FAILURE() << p.name << ": " << problem.control << " " << problem.what;
    }
}

TEST(PanelLayout, CheckFindsOverlapsCutsAndCaptionsThatDoNotFit)
{
    ControlDef panel;
    panel.kind = ControlKind::Panel;
    panel.name = "PanelX";
    panel.bounds = {0, 0, 100, 50};
    ControlDef a;
    a.kind = ControlKind::CheckBox;
    a.name = "OpTagA";
    a.caption = "長い長い長い長い長い";
    a.bounds = {0, 0, 60, 20};
    ControlDef b = a;
    b.name = "OpTagB";
    b.caption = "b";
    b.bounds = {50, 10, 60, 20};
    panel.children = {a, b};
    std::set<std::string> found;
    for (const LayoutProblem& pr : checkLayout(panel))
        found.insert(pr.control + " " + pr.what);
    EXPECT_EQ(found, (std::set<std::string>{"OpTagA caption does not fit", "OpTagB is cut by PanelX",
                                            "OpTagA overlaps OpTagB"}));
}

TEST(PanelLayout, RowsKeepSwitchValuesAndPickersTogether)
{
    ControlModel model;
    const Control* sw = model.find("OpTagTAB_TABLE_BGCOLOR");
    const Control* value = model.find("OpVal1TAB_TABLE_BGCOLOR");
    const Control* picker = model.find("ColOpVal1TAB_TABLE_BGCOLOR");
    EXPECT_EQ(sw->bounds().y, value->bounds().y);
    EXPECT_EQ(sw->bounds().y, picker->bounds().y);
    EXPECT_LT(sw->bounds().right(), value->bounds().x);
    EXPECT_LT(value->bounds().right(), picker->bounds().x);
    // The panel's bottom is reached by the grid, which takes the height left over.
    const Control* frameGroup = model.find("GroupFramesetFrame");
    EXPECT_GE(frameGroup->bounds().bottom(), 385 - 6 - 4);
    EXPECT_GT(model.find("OpTagFRAME_FRAMESET_FRAME")->bounds().h, 100);
}

TEST(PanelLayout, DialogAroundThePanel)
{
    const DialogGeometry g = dialogGeometry(300, 95);
    EXPECT_EQ(g.panel, (Bounds{10, 10, 300, 95}));
    EXPECT_EQ(g.ok.x, 155);
    EXPECT_EQ(g.ok.y, 115);
    EXPECT_EQ(g.cancel.x, 235);
    EXPECT_EQ(g.cancel.y, 115);
    EXPECT_EQ(g.width, 325);
    EXPECT_EQ(g.height, 175);
    // The buttons stay inside the dialog for every panel.
    for (const ControlDef& p : panelDefinitions()) {
        const DialogGeometry d = dialogGeometry(p.bounds.w, p.bounds.h);
        EXPECT_LE(d.cancel.right(), d.width) << p.name;
        EXPECT_LE(d.ok.bottom(), d.height) << p.name;
        EXPECT_LT(d.ok.right(), d.cancel.x) << p.name;
    }
}

TEST(PanelLayout, TextWidthCountsFullWidthCharactersWider)
{
    EXPECT_EQ(estimateTextWidth("abc"), 21);
    EXPECT_EQ(estimateTextWidth("表示"), 24);
    EXPECT_EQ(estimateTextWidth("ﾀﾞｲｱﾛｸﾞ"), 49);  // half-width katakana are narrow
    EXPECT_EQ(estimateTextWidth(""), 0);
}

TEST(PanelDefinitions, TextAreaSizeCaptionsSayWhatTheyCount)
{
    // COLS is the width in characters (桁数), ROWS the height in lines (行数); each hint names the
    // attribute its switch writes.
    std::map<std::string, const ControlDef*> byName;
    for (const ControlDef* c : allControls())
        byName[c->name] = c;
    ASSERT_TRUE(byName.count("OpTagFORM_TEXTAREA_COLS") && byName.count("OpTagFORM_TEXTAREA_ROWS"));
    EXPECT_EQ(byName["OpTagFORM_TEXTAREA_COLS"]->caption, "桁数");
    EXPECT_EQ(byName["OpTagFORM_TEXTAREA_ROWS"]->caption, "行数");
    for (const char* n : {"OpTagFORM_TEXTAREA_COLS", "OpTagFORM_TEXTAREA_ROWS"}) {
        const std::string& hint = byName[n]->hint;
        const std::string attribute = std::string(n).substr(std::string("OpTagFORM_TEXTAREA_").size());
        EXPECT_EQ(hint, byName[n]->caption + " (" + attribute + "=\"\")") << n;
    }
}
