// Insertion into an editor, on the fake platform whose editors answer after a delay, so
// that the waits of the insertion are really exercised.

#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "platform/fake/FakePlatform.h"
#include "text/UserError.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <string>

using namespace orvanel;

namespace {

constexpr const char* ClipboardError = "クリップボードを開くことができません";

// One scene: the palette on top, an editor below it holding "hello world" with "world"
// selected, the editor active (the palette does not take the focus), the target found.
class InsertTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        fake.setResponseDelay(GetParam());
        other = fake.addWindow(300, "other program");
        editor = fake.addWindow(100, "index.html - Mousepad");
        palette = fake.addOwnWindow();
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        fake.setActive(editor);
        target.AppActivate();
        ASSERT_EQ(target.TargetWindow(), editor);
    }

    // Inserts, then types "|" where the caret stands, as the user would.
    std::string insertAndType(const std::string& tmpl)
    {
        inserter.InsertTemplate(tmpl);
        fake.type(editor, "|");
        return fake.text(editor);
    }

    FakePlatform fake;
    Settings settings;
    TargetState target{fake, fake};
    TagInserter inserter{fake, fake, fake, fake, settings, target, "\n"};
    WindowHandle other = 0, editor = 0, palette = 0;
};

} // namespace

TEST_P(InsertTest, BoldAroundTheSelectionWithEitherMethod)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
        // The clipboard holds exactly the expanded text, and it is ours.
        EXPECT_EQ(fake.clipboardText(), "<B>world</B>");
        EXPECT_EQ(fake.clipboardOwner(), FakePlatform::OwnPid);
        EXPECT_FALSE(inserter.busy());
    }
}

TEST_P(InsertTest, NothingSelectedPutsTheCaretBetweenTheTags)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        fake.setText(editor, "hello world");
        fake.select(editor, 5, 0);
        // The clipboard held something else before: it is not taken for the selection.
        fake.setClipboardText("stale");
        EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello<B>|</B> world");
        EXPECT_EQ(fake.clipboardText(), "<B></B>");
    }
}

TEST_P(InsertTest, LineBreaksCaretAndTemplatesWithoutSelection)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;

        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        EXPECT_EQ(insertAndType("<P>%SEL%</P>%CR%"), "hello <P>world|</P>\n");

        // Without "%SEL%" the caret stays after the inserted text; the selection is
        // replaced as typing over it would.
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        EXPECT_EQ(insertAndType("<BR>%CR%"), "hello <BR>\n|");

        // Japanese text around and after the selection: the caret moves by characters.
        fake.setText(editor, "これは日本語です");
        fake.select(editor, 3, 3);
        EXPECT_EQ(insertAndType("<B>%SEL%（太字）</B>"), "これは<B>日本語|（太字）</B>です");

        // Literal "%" after the selection do not shift the caret.
        fake.setText(editor, "x.png");
        fake.select(editor, 0, 5);
        EXPECT_EQ(insertAndType("<IMG SRC=\"%SEL%\" WIDTH=\"50%\" HEIGHT=\"50%\">"),
                  "<IMG SRC=\"x.png|\" WIDTH=\"50%\" HEIGHT=\"50%\">");

        // Macros in the selected text are kept as they are.
        fake.setText(editor, "a%CR%b%SEL%c");
        fake.select(editor, 0, 12);
        EXPECT_EQ(insertAndType("<I>%sel%</I>"), "<I>a%CR%b%SEL%c|</I>");
    }
}

TEST_P(InsertTest, LongSelectionIsKeptWhole)
{
    std::string big;
    while (big.size() < 100 * 1024)
        big += "長い選択範囲 with ASCII too.\n";
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        fake.setText(editor, big);
        fake.select(editor, 0, fake.caret(editor));
        inserter.InsertTemplate("<PRE>%SEL%</PRE>");
        EXPECT_EQ(fake.text(editor), "<PRE>" + big + "</PRE>");
        EXPECT_EQ(fake.clipboardText(), "<PRE>" + big + "</PRE>");
        fake.type(editor, "|");
        EXPECT_EQ(fake.text(editor), "<PRE>" + big + "|</PRE>");
    }
}

TEST_P(InsertTest, OtherMethodLeavesTheTextOnTheClipboardOnly)
{
    settings.InsertMethod = 2;
    settings.AutoActive = true;
    fake.clearActivations();
    inserter.InsertTemplate("<B>%SEL%</B>%CR%");
    EXPECT_EQ(fake.text(editor), "hello world");
    EXPECT_EQ(fake.selectedText(editor), "world");
    EXPECT_EQ(fake.clipboardText(), "<B></B>\n");
    EXPECT_TRUE(fake.activations().empty());
    EXPECT_EQ(fake.caretStepsSent(), 0);
}

TEST_P(InsertTest, MessagesReachAnInactiveEditorAndAutoActiveActivatesIt)
{
    settings.InsertMethod = 0;
    // The user was in the tag dialog: one of the program's own windows is active.
    fake.setActive(palette);
    settings.AutoActive = false;
    fake.clearActivations();
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
    EXPECT_TRUE(fake.activations().empty());
    EXPECT_EQ(fake.activeWindow(), palette);

    settings.AutoActive = true;
    fake.setText(editor, "hello world");
    fake.select(editor, 6, 5);
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
    EXPECT_EQ(fake.activeWindow(), editor);
    ASSERT_EQ(fake.activations().size(), 1u);
    EXPECT_EQ(fake.activations()[0], editor);
}

TEST_P(InsertTest, EmulationActivatesTheEditorAndGivesTheActivationBack)
{
    settings.InsertMethod = 1;

    // AutoActive unset: whatever was active before is active again.
    for (const WindowHandle before : {palette, other}) {
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        fake.setActive(before);
        fake.clearActivations();
        settings.AutoActive = false;
        EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
        EXPECT_EQ(fake.activeWindow(), before);
        ASSERT_EQ(fake.activations().size(), 2u);
        EXPECT_EQ(fake.activations()[0], editor);
    }

    // The editor itself was active (the usual case: the palette does not take the focus).
    fake.setText(editor, "hello world");
    fake.select(editor, 6, 5);
    fake.setActive(editor);
    fake.clearActivations();
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
    EXPECT_EQ(fake.activeWindow(), editor);

    // AutoActive set: the editor stays active.
    settings.AutoActive = true;
    fake.setText(editor, "hello world");
    fake.select(editor, 6, 5);
    fake.setActive(palette);
    fake.clearActivations();
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
    EXPECT_EQ(fake.activeWindow(), editor);
    ASSERT_EQ(fake.activations().size(), 1u);
}

TEST_P(InsertTest, SecondInsertionWaitsForTheFirst)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        bool busyDuringFirst = false;
        // A second tag click is handled by the event loop while the first insertion waits
        // for the editor.
        fake.setOnEditorWait([&] {
            QTimer::singleShot(0, [&] {
                busyDuringFirst = inserter.busy();
                inserter.InsertTemplate("<I>%SEL%</I>");
            });
        });
        inserter.InsertTemplate("<B>%SEL%</B>");
        EXPECT_TRUE(busyDuringFirst);
        EXPECT_FALSE(inserter.busy());
        fake.type(editor, "|");
        EXPECT_EQ(fake.text(editor), "hello <B>world<I>|</I></B>");
    }
}

TEST_P(InsertTest, ClipboardThatCannotBeOwnedStopsBeforeAnythingIsCut)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        fake.setClipboardOwnable(false);
        try {
            inserter.InsertTemplate("<B>%SEL%</B>");
            ADD_FAILURE() << "no error";
        } catch (const UserError& e) {
            EXPECT_STREQ(e.what(), ClipboardError);
        }
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");
        EXPECT_FALSE(inserter.busy());
        fake.setClipboardOwnable(true);

        // The next insertion works again.
        EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
    }
}

TEST_P(InsertTest, ClipboardLostAfterTheCutGivesTheSelectionBack)
{
    settings.InsertMethod = 0;
    // Another program takes the clipboard for good while the editor cuts.
    fake.setOnEditorWait([&] { fake.setClipboardOwnable(false); });
    EXPECT_THROW(inserter.InsertTemplate("<B>%SEL%</B>"), UserError);
    EXPECT_EQ(fake.text(editor), "hello world");
}

TEST_P(InsertTest, EditorThatIgnoresMessagesIsLeftAlone)
{
    settings.InsertMethod = 0;
    fake.setIgnoresMessages(editor, true);
    inserter.InsertTemplate("<B>%SEL%</B>");
    EXPECT_EQ(fake.text(editor), "hello world");
    EXPECT_EQ(fake.clipboardText(), "<B></B>");
    // Key emulation still reaches it.
    settings.InsertMethod = 1;
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
}

INSTANTIATE_TEST_SUITE_P(EditorDelay, InsertTest, ::testing::Values(0, 15),
                         [](const auto& info) { return "Delay" + std::to_string(info.param) + "ms"; });
