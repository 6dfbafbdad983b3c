// Checks of the shipped tag lists "TagMList.lst" and "TagBList.lst" and of the shipped user
// tag group "HTML5": their encoding, what the program requires of them, and that every
// template gives valid HTML around a selection (checked by the real HTML checker tidy).

#include "catalogue/ButtonTagList.h"
#include "catalogue/TagButtons.h"
#include "catalogue/TagMenuModel.h"
#include "text/Encoding.h"
#include "text/TextOps.h"

#include "TestFiles.h"
#include "Tidy.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

using namespace orvanel::catalogue;
using orvanel::text::KeyedTextList;

namespace {

const std::string kDataDir = std::string(ORVANEL_SOURCE_DIR) + "/data/";

KeyedTextList menuList() { return KeyedTextList::load(kDataDir + "TagMList.lst"); }
ButtonTagList buttonList() { return ButtonTagList::load(kDataDir + "TagBList.lst"); }

std::set<std::string> panelKeys()
{
    std::set<std::string> keys;
    for (const TagButton& b : tagButtons())
        if (b.kind == TagButtonKind::Group)
            keys.emplace(b.key);
    return keys;
}

// Keys of nested panels and grids, and the (panel's or caption's) template they compose into.
const std::map<std::string, std::string> kNestedIn = {
    {"TAB_CAPTION_START", "TAB_CAPTION_CAPTION"},
    {"DOC_TITLE", "DOC_KIHON"},
    {"DOC_BODY_BODY", "DOC_KIHON"},
    {"DOC_META", "DOC_KIHON"},
    {"FRAME_FRAMESET_FRAME", "FRAME_FRAMESET"},
    {"FORM_COMBOBOX_OPTION", "FORM_COMBOBOX"},
    {"FORM_LISTBOX_OPTION", "FORM_LISTBOX"},
};

void forEachItem(const TagMenu& items, const std::function<void(const TagMenuItem&)>& visit)
{
    for (const TagMenuItem& item : items) {
        visit(item);
        forEachItem(item.children, visit);
    }
}

// ---- tidy

struct TidyResult {
    bool ran = false;
    std::vector<std::string> problems; // errors and warnings that are not allowed
};

const char* kTransitional = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n";
const char* kFrameset = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">\n";

// The first tag name of a template, upper case ("" when it does not start with a tag).
std::string firstTag(std::string_view t)
{
    if (t.empty() || t[0] != '<')
        return {};
    std::size_t end = 1;
    while (end < t.size() && t[end] != '>' && t[end] != ' ' && t[end] != '%')
        ++end;
    return orvanel::text::toAsciiUpper(t.substr(1, end - 1));
}

// A minimal document around an expanded template, chosen by where its first tag belongs,
// with a selection that makes sense there.
std::string document(const std::string& tmpl, const std::string& sampleText)
{
    const std::string tag = firstTag(tmpl);
    const std::string head = "<HTML><HEAD><TITLE>t</TITLE></HEAD>\n";
    const std::string body = std::string(kTransitional) + head + "<BODY>\n";
    const std::string bodyEnd = "\n</BODY></HTML>\n";
    std::string before, after, selection = sampleText;
    if (tag == "!DOCTYPE") {
        // A whole document: it takes the head and body as selection unless it has its own.
        if (tmpl.find("<BODY") == std::string::npos)
            selection = "<HEAD><TITLE>t</TITLE></HEAD><BODY><P>" + sampleText + "</P></BODY>";
    } else if (tag == "HEAD") {
        before = std::string(kTransitional) + "<HTML>\n";
        after = "<BODY><P>x</P></BODY></HTML>\n";
        selection = "<TITLE>" + sampleText + "</TITLE>";
    } else if (tag == "TITLE" || tag == "BASE" || tag == "META") {
        before = std::string(kTransitional) + "<HTML><HEAD>\n" + (tag == "TITLE" ? "" : "<TITLE>t</TITLE>\n");
        after = "</HEAD><BODY><P>x</P></BODY></HTML>\n";
    } else if (tag == "BODY") {
        before = std::string(kTransitional) + head;
        after = "</HTML>\n";
    } else if (tag == "FRAMESET") {
        before = std::string(kFrameset) + head;
        after = "</HTML>\n";
    } else if (tag == "FRAME") {
        before = std::string(kFrameset) + head + "<FRAMESET COLS=\"*\">\n";
        after = "</FRAMESET></HTML>\n";
    } else if (tag == "TR" || tag == "CAPTION") {
        before = body + "<TABLE SUMMARY=\"s\">\n";
        after = (tag == "CAPTION" ? "<TR><TD>x</TD></TR>" : "") + std::string("</TABLE>") + bodyEnd;
    } else if (tag == "TD" || tag == "TH") {
        before = body + "<TABLE SUMMARY=\"s\"><TR>\n";
        after = "</TR></TABLE>" + bodyEnd;
    } else if (tag == "LI") {
        before = body + "<UL>\n";
        after = "</UL>" + bodyEnd;
    } else if (tag == "DT" || tag == "DD") {
        before = body + "<DL>\n";
        after = "</DL>" + bodyEnd;
    } else if (tag == "OPTION") {
        before = body + "<FORM ACTION=\"x\"><P><SELECT NAME=\"s\">\n";
        after = "</SELECT></P></FORM>" + bodyEnd;
    } else if (tag == "INPUT" || tag == "SELECT" || tag == "TEXTAREA") {
        before = body + "<FORM ACTION=\"x\"><P>\n";
        after = "</P></FORM>" + bodyEnd;
    } else {
        before = body;
        after = bodyEnd;
    }
    // Expanded as the insertion does: "%CR%" first, then "%SEL%", letter case ignored.
    std::string text = orvanel::text::replaceAllIgnoreCase(tmpl, "%CR%", "\n");
    text = orvanel::text::replaceAllIgnoreCase(text, "%SEL%", selection);
    return before + text + after;
}

// A minimal HTML5 document around an expanded template: a whole one, a head or a body.
std::string html5Document(const std::string& tmpl, const std::string& sampleText)
{
    const std::string head = "<head><meta charset=\"utf-8\"><title>t</title>";
    std::string before = "<!DOCTYPE html>\n<html lang=\"ja\">" + head + "</head>\n<body>\n";
    std::string after = "\n</body></html>\n", selection = sampleText;
    if (firstTag(tmpl) == "!DOCTYPE") {
        before = after = "";
        selection = head + "</head><body><p>" + sampleText + "</p></body>";
    } else if (firstTag(tmpl) == "META") { // with a head line as selection
        before = "<!DOCTYPE html>\n<html lang=\"ja\"><head>\n";
        selection = "<title>" + sampleText + "</title>";
        after = "</head><body><p>x</p></body></html>\n";
    }
    std::string text = orvanel::text::replaceAllIgnoreCase(tmpl, "%CR%", "\n");
    return before + orvanel::text::replaceAllIgnoreCase(text, "%SEL%", selection) + after;
}

// Runs tidy on the document; every error fails, and every warning except those about
// presentational or proprietary markup of the day (and `extraAllowed`).
TidyResult runTidy(const std::string& html, const std::vector<std::string>& extraAllowed = {})
{
    const orvanel::test::TidyRun run = orvanel::test::runTidy(html, "-utf8");
    TidyResult result;
    result.ran = run.ran && run.status <= 2;
    std::vector<std::string> allowed = {"is not approved by W3C", "lacks \"summary\"",
                                        "lacks \"alt\"", "trimming empty", "proprietary attribute"};
    allowed.insert(allowed.end(), extraAllowed.begin(), extraAllowed.end());
    for (const std::string& line : run.messages) {
        if (line.find(" - Error: ") == std::string::npos && line.find(" - Warning: ") == std::string::npos)
            continue;
        bool ok = line.find(" - Warning: ") != std::string::npos;
        if (ok) {
            ok = false;
            for (const auto& a : allowed)
                ok = ok || line.find(a) != std::string::npos;
        }
        if (!ok)
            result.problems.push_back(line);
    }
    return result;
}

void expectValidHtml(const std::string& what, const std::string& tmpl, const std::vector<std::string>& extraAllowed = {},
                     const std::function<std::string(const std::string&, const std::string&)>& build = document)
{
    SCOPED_TRACE(what + ": " + tmpl);
    EXPECT_FALSE(tmpl.empty());
    // A selection that fills an attribute value is an address or a name.
    const bool inAttribute = orvanel::text::findMarker(tmpl, "=\"%SEL%", 0, true) != orvanel::text::npos;
    for (const std::string& sample : {std::string(inAttribute ? "abc.html" : "abc 日本語"), std::string()}) {
        std::vector<std::string> allowed = extraAllowed;
        if (sample.empty())
            allowed.push_back("lacks value"); // the user types the value in after the insertion
        const std::string html = build(tmpl, sample);
        // A misspelt macro would reach the editor as text.
        EXPECT_EQ(orvanel::text::findMarker(html, "%SEL", 0, true), orvanel::text::npos);
        EXPECT_EQ(orvanel::text::findMarker(html, "%CR", 0, true), orvanel::text::npos);
        const TidyResult r = runTidy(html, allowed);
        ASSERT_TRUE(r.ran) << "tidy did not run";
        std::string all;
        for (const auto& p : r.problems)
            all += p;
        EXPECT_TRUE(r.problems.empty()) << "selection \"" << sample << "\":\n" << html << "\n" << all;
    }
}

} // namespace

TEST(DataFileTagLists, FilesAreShiftJisWithCrLf)
{
    for (const char* name : {"TagMList.lst", "TagBList.lst", "html5/usertag.lst", "html5/HTML5.tag"}) {
        SCOPED_TRACE(name);
        const std::string bytes = orvanel::test::readAll(kDataDir + name);
        ASSERT_FALSE(bytes.empty());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
            }
            if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        // Every character is Shift-JIS: decoding loses nothing and encodes back to the same bytes.
        const std::string utf8 = orvanel::text::cp932ToUtf8(bytes);
        EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << "a byte sequence with no CP932 meaning";
        EXPECT_EQ(orvanel::text::utf8ToCp932(utf8), bytes);
    }
    // The menu list holds Japanese captions, so it must not read as UTF-8.
    orvanel::text::FileEncoding found{};
    orvanel::text::decodeDataFile(orvanel::test::readAll(kDataDir + "TagMList.lst"), &found);
    EXPECT_EQ(found, orvanel::text::FileEncoding::Cp932);
}

TEST(DataFileTagLists, MenuHasEightTopLevelItemsAndUniqueKeys)
{
    const KeyedTextList list = menuList();
    const TagMenu menu = LoadTagMenu(list);
    ASSERT_EQ(menu.size(), 9u);
    EXPECT_EQ(menu.back().kind, TagMenuKind::Separator);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(menu[i].kind, TagMenuKind::Submenu) << menu[i].caption;
        EXPECT_FALSE(menu[i].children.empty()) << menu[i].caption;
    }
    std::set<std::string> keys;
    int leaves = 0;
    forEachItem(menu, [&](const TagMenuItem& item) {
        if (!item.isLeaf()) {
            EXPECT_NE(item.caption, "") << "an empty caption";
            return;
        }
        ++leaves;
        EXPECT_FALSE(item.entryKey.empty()) << item.caption;
        EXPECT_TRUE(keys.insert(orvanel::text::toAsciiUpper(item.entryKey)).second)
            << "repeated entry key " << item.entryKey;
        EXPECT_TRUE(item.children.empty()) << item.caption;
    });
    EXPECT_EQ(leaves, 67); // one leaf per tag button and per panel
}

TEST(DataFileTagLists, MenuLeavesCoverEveryButtonAndPanel)
{
    const KeyedTextList list = menuList();
    const ButtonTagList buttons = buttonList();
    const auto panels = panelKeys();
    ASSERT_EQ(panels.size(), 24u);

    std::set<std::string> panelsReached, tagsReached;
    forEachItem(LoadTagMenu(list), [&](const TagMenuItem& item) {
        if (item.kind == TagMenuKind::DialogLeaf) {
            const std::string panel = list.value(item.entryKey);
            SCOPED_TRACE(item.entryKey + " -> " + panel);
            ASSERT_TRUE(panels.count(panel)) << "not a panel key";
            EXPECT_EQ(menuPanelName(list, item.entryKey), "Panel" + panel);
            // The leaf shows the image of the panel's group button.
            EXPECT_EQ(item.imageIndex, findTagButton(panel)->imageIndex);
            panelsReached.insert(panel);
        } else if (item.kind == TagMenuKind::TemplateLeaf) {
            SCOPED_TRACE(item.entryKey);
            const TagButton* b = findTagButton(item.entryKey);
            ASSERT_NE(b, nullptr) << "a template leaf that no tag button has";
            EXPECT_EQ(b->kind, TagButtonKind::Tag);
            // The leaf inserts what the button inserts.
            EXPECT_EQ(menuTemplate(list, item.entryKey), buttons.templateOf(item.entryKey));
            tagsReached.insert(item.entryKey);
        }
    });
    EXPECT_EQ(panelsReached, panels);
    EXPECT_EQ(tagsReached.size(), 43u);
}

TEST(DataFileTagLists, ButtonListHasEveryKeyTheProgramLooksUp)
{
    const ButtonTagList list = buttonList();
    auto expectEntry = [&](std::string_view key) {
        SCOPED_TRACE(std::string(key));
        const std::string value = list.value(key);
        ASSERT_FALSE(value.empty()) << "no entry";
        EXPECT_EQ(value.front(), '[');
        EXPECT_NE(value.find(']'), std::string::npos);
        EXPECT_FALSE(list.templateOf(key).empty());
    };
    for (const TagButton& b : tagButtons())
        expectEntry(b.key);
    for (const auto& [nested, panel] : kNestedIn)
        expectEntry(nested);
    const char* attributes[3] = {"ALIGN=\"left\"", "ALIGN=\"center\"", "ALIGN=\"right\""};
    for (std::size_t i = 0; i < alignOptions().size(); ++i) {
        expectEntry(alignOptions()[i].key);
        // The program puts the blank in front of it itself.
        EXPECT_EQ(list.alignAttributeOf(alignOptions()[i].key), attributes[i]);
    }
}

TEST(DataFileTagLists, SubTagTemplatesSitInTheirPanelsTemplates)
{
    const ButtonTagList list = buttonList();
    for (const auto& [nested, panel] : kNestedIn) {
        SCOPED_TRACE(nested + " in " + panel);
        EXPECT_NE(list.templateOf(panel).find(list.templateOf(nested)), std::string::npos);
    }
    // The frame builder fills the name after `NAME ="` and the page after `SRC="`, each
    // followed by the closing quote.
    const std::string frame = list.templateOf("FRAME_FRAMESET_FRAME");
    EXPECT_NE(frame.find("NAME =\"\""), std::string::npos);
    EXPECT_NE(frame.find("SRC=\"\""), std::string::npos);
    // The option builder puts the text at "%SEL%" and VALUE before the first ">", which must
    // close the OPTION tag.
    for (const char* key : {"FORM_COMBOBOX_OPTION", "FORM_LISTBOX_OPTION"}) {
        const std::string option = list.templateOf(key);
        EXPECT_EQ(option.rfind("<OPTION", 0), 0u) << key;
        EXPECT_LT(option.find('>'), option.find("%SEL%")) << key;
    }
}

TEST(DataFileTagLists, TemplatesGiveValidHtmlAroundASelection)
{
    if (orvanel::test::kOnWindows)
        GTEST_SKIP() << orvanel::test::kNoTidyOnWindows;
    ASSERT_TRUE(orvanel::test::tidyAvailable()) << "the HTML checker tidy (Debian package tidy) is needed";
    const ButtonTagList list = buttonList();

    for (const TagButton& b : tagButtons()) {
        if (b.kind == TagButtonKind::Tag)
            expectValidHtml(std::string(b.key), list.templateOf(b.key));
        if (b.dropDown)
            for (const AlignOption& o : alignOptions())
                expectValidHtml(std::string(b.key) + "+" + std::string(o.key), list.alignedTemplate(b.key, o.key));
    }
    // A panel's own template, before the dialog adds its attributes (the image's SRC
    // always) and the frame builder fills the frame lines.
    for (const std::string& panel : panelKeys())
        expectValidHtml("Panel" + panel, list.templateOf(panel),
                        {"lacks \"src\"", "lacks value", "cannot copy name attribute to id"});
    expectValidHtml("DOC_META", list.templateOf("DOC_META"));
    for (const char* key : {"FORM_COMBOBOX_OPTION", "FORM_LISTBOX_OPTION"})
        expectValidHtml(key, list.templateOf(key));
    // The frame line as the frame builder fills it.
    std::string frame = list.templateOf("FRAME_FRAMESET_FRAME");
    frame = orvanel::text::replaceAllIgnoreCase(frame, "NAME =\"", "NAME=\"top");
    frame = orvanel::text::replaceAllIgnoreCase(frame, "SRC=\"", "SRC=\"a.html");
    expectValidHtml("FRAME_FRAMESET_FRAME", frame);
}

TEST(DataFileTagLists, Html5GroupHoldsTheNewElementsAsValidHtml5)
{
    if (orvanel::test::kOnWindows)
        GTEST_SKIP() << orvanel::test::kNoTidyOnWindows;
    ASSERT_TRUE(orvanel::test::tidyAvailable());
    EXPECT_EQ(KeyedTextList::load(kDataDir + "html5/usertag.lst").lines(), std::vector<std::string>{"HTML5"});
    const KeyedTextList group = KeyedTextList::load(kDataDir + "html5/HTML5.tag");
    ASSERT_EQ(group.size(), 38u); // 19 tags
    for (std::size_t i = 0; i + 1 < group.size(); i += 2) {
        // A tag's name (a tag only without "=" and "]"), then its data line.
        EXPECT_EQ(group.lines()[i].find_first_of("=]"), std::string::npos) << group.lines()[i];
        ASSERT_EQ(KeyedTextList::entryKey(group.lines()[i + 1]), "User" + std::to_string(i / 2));
        const std::string value(KeyedTextList::entryValue(group.lines()[i + 1]));
        ASSERT_TRUE(value.size() > 2 && value.front() == '[' && value.back() == ']') << value;
        // The image's size is left for the user to fill in.
        expectValidHtml(group.lines()[i], value.substr(1, value.size() - 2),
                        {"attribute \"width\" lacks value", "attribute \"height\" lacks value"}, html5Document);
    }
    // An HTML5 element where it cannot stand is caught.
    EXPECT_FALSE(runTidy(html5Document("<p><section>%SEL%</section></p>", "abc")).problems.empty());
}

TEST(DataFileTagLists, CheckerRejectsBrokenMarkup)
{
    // The checks above mean something only if tidy's verdict reaches them.
    if (orvanel::test::kOnWindows)
        GTEST_SKIP() << orvanel::test::kNoTidyOnWindows;
    ASSERT_TRUE(orvanel::test::tidyAvailable());
    EXPECT_FALSE(runTidy(document("<B>%SEL%</I>", "abc")).problems.empty());
    EXPECT_FALSE(runTidy(document("<BLINKY>%SEL%</BLINKY>", "abc")).problems.empty());
    EXPECT_FALSE(runTidy(document("<DL>%SEL%</DL>", "abc")).problems.empty());
    EXPECT_TRUE(runTidy(document("<B>%SEL%</B>", "abc")).problems.empty());
}
