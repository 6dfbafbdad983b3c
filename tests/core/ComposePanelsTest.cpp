// Every attribute panel, composed with the shipped button tag list, gives HTML 4.01 that
// tidy accepts: with the initial values and with every switch on.

#include "catalogue/ButtonTagList.h"
#include "tagdialog/Compose.h"
#include "tagdialog/ComposeValues.h"
#include "tagdialog/FrameBuilder.h"
#include "tagdialog/FrameBuilderSetup.h"
#include "tagdialog/OptionBuilder.h"
#include "tagdialog/Pickers.h"
#include "text/TextOps.h"

#include "TestFiles.h"
#include "Tidy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

using namespace orvanel;
using namespace orvanel::tagdialog;

namespace {

const catalogue::ButtonTagList& shippedList()
{
    static const catalogue::ButtonTagList list =
        catalogue::ButtonTagList::load(ORVANEL_SOURCE_DIR "/data/TagBList.lst");
    return list;
}

// The composed template as the editor would receive it around the selection "abc".
std::string expand(const std::string& templ)
{
    return text::replaceAllIgnoreCase(text::replaceAllIgnoreCase(templ, "%CR%", "\n"), "%SEL%", "abc");
}

const char* const kTransitional =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n";
const char* const kFrameset = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">\n";
const char* const kHead = "<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n</HEAD>\n";

// A minimal document that holds the panel's HTML where such HTML stands.
std::string document(const std::string& panel, const std::string& html)
{
    if (panel == "PanelDOC_KIHON")
        return html;
    if (panel == "PanelDOC_BODY_BODY")
        return kTransitional + std::string(kHead) + html + "</HTML>\n";
    if (panel == "PanelFRAME_FRAMESET")
        return kFrameset + std::string(kHead) + html + "</HTML>\n";
    std::string body = html;
    if (panel == "PanelTAB_TR_TR")
        body = "<TABLE SUMMARY=\"s\">\n" + html + "</TABLE>\n";
    else if (panel == "PanelTAB_TD_TD" || panel == "PanelTAB_TH_TH")
        body = "<TABLE SUMMARY=\"s\">\n<TR>\n" + html + "</TR>\n</TABLE>\n";
    else if (panel.starts_with("PanelFORM_") && panel != "PanelFORM_FORM")
        body = "<FORM ACTION=\"f.cgi\">\n" + html + "\n</FORM>\n";
    return kTransitional + std::string(kHead) + "<BODY>\n" + body + "\n</BODY>\n</HTML>\n";
}

// Attributes of the day that HTML 4.01 left out but the panels offer by name (their hints
// name them; also the centred caption): tidy warns about them, which is expected.
const std::regex kPresentational(
    R"re(proprietary attribute "(bgproperties|color|height|background|bordercolor|bordercolorlight|bordercolordark|border|frameborder|wrap|valign)"|<caption> attribute "align" has invalid value "center")re");
// Advice of tidy, not rules of HTML 4.01.
const std::regex kAdvice(R"re(<table> lacks "summary" attribute)re");
// What a user's empty or unset field leaves (only with the initial values): the empty
// attribute values and the attributes the panel leaves switched off at first.
const std::regex kUnfilled(R"re(attribute "[a-z]+" lacks value|<img> lacks "alt" attribute|<textarea> lacks "(rows|cols)" attribute|trimming empty <(option|select)>|cannot copy name attribute to id)re");

struct Panel {
    ControlModel model;
    Control* panel;
    explicit Panel(const Control& p) : panel(nullptr)
    {
        InitializePanel(model);
        installGridHandlers(model);
        installEnablingRules(model);
        panel = model.panel(p.name());
    }
};

std::string compose(const Control& panel, std::vector<std::string>* errors)
{
    Composer composer(shippedList(), [errors](const std::string& m) { errors->push_back(m); });
    return composer.composePanel(panel);
}

// Every switch on, every field filled with a plain value, a value chosen in every list that
// shows none, two frames and two options filled in.
void switchEverythingOn(ControlModel& model, Control& panel)
{
    std::vector<Control*> all;
    std::function<void(Control&)> walk = [&](Control& c) {
        all.push_back(&c);
        for (const auto& ch : c.children())
            walk(*ch);
    };
    walk(panel);
    for (Control* c : all) {
        switch (c->kind()) {
        case ControlKind::CheckBox:
            if (c->tag() != 3 && c->name() != frame::kNoResize)
                c->setChecked(true);
            break;
        case ControlKind::Edit:
            if (c->name() == frame::kSplitSizes || c->name().find("_OPTION_") != std::string::npos
                || c->name().find("FRAMESET_FRAME_") != std::string::npos)
                break;
            if (c->text().empty() || c->text() == "mailto:") {
                const std::string& n = c->name();
                const bool colour = n.find("COLOR") != std::string::npos || n.ends_with("_TEXT")
                    || n.ends_with("LINK");
                c->setText(colour ? "336699" : n.find("MAIL") != std::string::npos ? "a@example.org" : "v1");
            }
            break;
        case ControlKind::List:
            if (c->text().empty() || c->text() == kUnspecified)
                for (const std::string& e : c->entries())
                    if (e != kUnspecified) {
                        c->setText(e);
                        break;
                    }
            break;
        case ControlKind::RadioGroup:
            if (c->selectedEntry() == kUnspecified)
                c->setItemIndex(0);
            break;
        default:
            break;
        }
    }
    applyAllEnablingRules(model);

    if (Control* grid = model.find(frame::kGrid); grid && grid->panel() == &panel) {
        const char* names[] = {"top", "main"};
        for (int r = 1; r <= 2; ++r) {
            grid->setSelectedRow(r);
            model.find(frame::kName)->setText(names[r - 1]);
            model.fire(*model.find(frame::kName), ControlEvent::Change);
            model.find(frame::kPage)->setText(std::string(names[r - 1]) + ".html");
            model.fire(*model.find(frame::kPage), ControlEvent::Change);
            model.find(frame::kScroll)->setItemIndex(r);
            model.fire(*model.find(frame::kScroll), ControlEvent::Change);
            model.find(frame::kNoResize)->setChecked(true);
            model.fire(*model.find(frame::kNoResize), ControlEvent::Click);
        }
    }
    for (std::string_view prefix : {kComboOptions, kListOptions}) {
        const std::string p(prefix);
        Control* grid = model.find("OpTag" + p);
        if (!grid || grid->panel() != &panel)
            continue;
        Control* count = model.find("OpVal1" + p + "_NUM");
        count->setValue(2);
        model.fire(*count, ControlEvent::Change);
        for (int r = 1; r <= 2; ++r) {
            grid->setSelectedRow(r);
            Control* shown = model.find("OpVal1" + p + "_SEL");
            shown->setText("Item " + std::to_string(r));
            model.fire(*shown, ControlEvent::Change);
            Control* sent = model.find("OpVal1" + p + "_VALUE");
            sent->setText("i" + std::to_string(r));
            model.fire(*sent, ControlEvent::Change);
        }
        Control* selected = model.find("OpTag" + p + "_SELECTED");
        selected->setChecked(true);
        model.fire(*selected, ControlEvent::Click);
    }
}

void expectTidyAccepts(const std::string& panel, const std::string& html, bool initial)
{
    const test::TidyRun r = test::runTidy(document(panel, html));
    ASSERT_GE(r.status, 0) << "tidy could not be run";
    EXPECT_LT(r.status, 2) << panel << (initial ? " (initial)" : " (all on)") << "\n" << html;
    for (const std::string& m : r.messages) {
        const bool allowed = std::regex_search(m, kPresentational) || std::regex_search(m, kAdvice)
            || (initial && std::regex_search(m, kUnfilled));
        EXPECT_TRUE(allowed) << panel << (initial ? " (initial): " : " (all on): ") << m << "\n"
                             << html;
    }
}

} // namespace

TEST(ComposePanels, EveryPanelGivesHtmlThatTidyAccepts)
{
    if (test::kOnWindows)
        GTEST_SKIP() << test::kNoTidyOnWindows;
    ASSERT_TRUE(test::tidyAvailable()) << "tidy (Debian package tidy) is needed";
    const ControlModel reference;
    ASSERT_EQ(reference.panels().size(), 24u);
    for (const auto& p : reference.panels()) {
        SCOPED_TRACE(p->name());
        {
            Panel fresh(*p);
            std::vector<std::string> errors;
            const std::string html = expand(compose(*fresh.panel, &errors));
            EXPECT_TRUE(errors.empty());
            EXPECT_NE(html.find("abc"), std::string::npos) << html;
            expectTidyAccepts(p->name(), html, true);
            if (std::getenv("ORVANEL_SHOW_COMPOSED"))
                std::printf("== %s initial\n%s\n", p->name().c_str(), html.c_str());
        }
        {
            Panel fresh(*p);
            switchEverythingOn(fresh.model, *fresh.panel);
            std::vector<std::string> errors;
            const std::string html = expand(compose(*fresh.panel, &errors));
            EXPECT_TRUE(errors.empty());
            expectTidyAccepts(p->name(), html, false);
            if (std::getenv("ORVANEL_SHOW_COMPOSED"))
                std::printf("== %s all on\n%s\n", p->name().c_str(), html.c_str());
        }
    }
}

TEST(ComposePanels, TheListHoldsEveryKeyTheDialogLooksUp)
{
    // One entry per panel key, per switch key that is not Tag 3, per nested panel and grid.
    const ControlModel model;
    std::vector<std::string> missing;
    for (const Control* c : model.all()) {
        const std::string& n = c->name();
        std::string key;
        if (c->kind() == ControlKind::Panel)
            key = n.substr(5);
        else if (n.starts_with("OpPnl") || ((n.starts_with("OpTag") || n.starts_with("OoTag")) && c->tag() != 3
                                             && c->kind() != ControlKind::Button))
            key = c->key();
        if (!key.empty() && !shippedList().list().contains(key))
            missing.push_back(key);
    }
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}
