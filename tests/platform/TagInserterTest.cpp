// Insertion into an editor, on the fake platform whose editors answer after a delay, so
// that the waits of the insertion are really exercised.

#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "platform/fake/FakePlatform.h"
#include "text/UserError.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel;

namespace {

constexpr const char* ClipboardError = "クリップボードを開くことができません";
constexpr const char* NotActivated = "ターゲットウィンドウをアクティブにできませんでした。";
constexpr const char* NoAnswer = "ターゲットウィンドウが応答しないため、選択範囲を取得できませんでした。";
constexpr const char* ReplacedByTypedKeys =
    "ターゲットウィンドウの応答が遅れたため、選択範囲がタグの一部に置き換わった可能性があります。";
constexpr const char* NotFetched = "ターゲットウィンドウから選択範囲を取得できませんでした。";
constexpr const char* TakenByOther = "ほかのプログラムがクリップボードを使ったため、選択範囲を取得できませんでした。";
constexpr const char* NotPasted = "ターゲットウィンドウが貼り付けに応答しませんでした。";
constexpr const char* PasteTakenByOther =
    "ほかのプログラムがクリップボードを使ったため、正しく貼り付けられなかった可能性があります。";

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

    // The message of the UserError that the insertion stops with; empty when it does not.
    std::string failureOf(const std::string& tmpl)
    {
        try {
            inserter.InsertTemplate(tmpl);
        } catch (const UserError& e) {
            return e.what();
        }
        return {};
    }

    // "hello world" with "world" selected, the editor active.
    void reset()
    {
        fake.setText(editor, "hello world");
        fake.select(editor, 6, 5);
        fake.setActive(editor);
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
        ASSERT_TRUE(fake.setClipboardText("stale"));
        EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello<B>|</B> world");
        EXPECT_EQ(fake.clipboardText(), method == 0 ? "<B></B>" : "<B>");
    }
}

// By keys, the part after the caret is typed and the rest pasted last, so that no caret key
// follows a paste; a part with a quote or a line break is pasted whole as before.
TEST_P(InsertTest, NothingSelectedByKeysTypesTheCaretPartAndPastesLast)
{
    using Step = FakePlatform::Step;
    settings.InsertMethod = 1;
    std::vector<Step> steps;
    fake.setOnStep([&](Step s) {
        if (s != Step::Activate)
            steps.push_back(s);
    });
    struct Case {
        const char* tmpl;
        const char* typed;
        const char* pasted;
        int caretSteps;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"<B>%SEL%</B>", "hello<B>|</B> world", "<B>", 4, {Step::Fetch, Step::Type, Step::Caret, Step::Paste}},
        {"<A HREF=\"%SEL%\">", "hello<A HREF=\"|\"> world", "<A HREF=\"\">", 2, {Step::Fetch, Step::Paste, Step::Caret}},
        {"<P>%SEL%%CR%</P>", "hello<P>|\n</P> world", "<P>\n</P>", 5, {Step::Fetch, Step::Paste, Step::Caret}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tmpl);
        steps.clear();
        fake.setText(editor, "hello world");
        fake.select(editor, 5, 0);
        const int stepsBefore = fake.caretStepsSent();
        EXPECT_EQ(insertAndType(c.tmpl), c.typed);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(fake.clipboardText(), c.pasted);
        EXPECT_EQ(fake.caretStepsSent() - stepsBefore, c.caretSteps);
    }
    fake.setOnStep(nullptr);
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
        fake.setOnStep([&](FakePlatform::Step s) {
            if (s != FakePlatform::Step::Fetch)
                return;
            fake.setOnStep(nullptr);
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

TEST_P(InsertTest, ClipboardLostAfterTheCopyLeavesTheSelection)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        reset();
        // Another program takes the clipboard for good while the editor copies.
        fake.setOnStep([&](FakePlatform::Step) { fake.setClipboardOwnable(false); });
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), ClipboardError);
        fake.setOnStep(nullptr);
        fake.setClipboardOwnable(true);
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");
    }
}

TEST_P(InsertTest, EditorThatIgnoresMessagesIsLeftAlone)
{
    settings.InsertMethod = 0;
    fake.setIgnoresMessages(editor, true);
    // It never fetches the pasted text: said so, and nothing changed.
    EXPECT_EQ(failureOf("<B>%SEL%</B>"), NotPasted);
    EXPECT_EQ(fake.text(editor), "hello world");
    EXPECT_EQ(fake.caretStepsSent(), 0);
    // Key emulation still reaches it.
    settings.InsertMethod = 1;
    EXPECT_EQ(insertAndType("<B>%SEL%</B>"), "hello <B>world|</B>");
}

// Method 1 types only into a target that the window manager confirmed active.
TEST_P(InsertTest, ActivationRefusedOrUnansweredSendsNoKey)
{
    settings.InsertMethod = 1;
    for (const Activation answer : {Activation::Refused, Activation::TimedOut}) {
        fake.setActive(other);
        fake.setActivationAnswer(answer);
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), NotActivated);
        EXPECT_EQ(fake.keyCalls(), 0);
        EXPECT_TRUE(fake.deliveries().empty());
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.text(other), "");
        EXPECT_FALSE(inserter.busy());
    }
}

// A fetch that did not end in the target's own text is never taken for "nothing selected":
// the insertion stops with its message, nothing is pasted, the selection stays.
TEST_P(InsertTest, FetchThatTimesOutOrFailsPastesNothing)
{
    fake.setWaitLimit(50);
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;

        reset();
        fake.setUnresponsive(editor, true);
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), NoAnswer);
        fake.setUnresponsive(editor, false);
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");
        EXPECT_EQ(fake.clipboardText(), "");

        // So slow that its copy came only after the fetch had ended: nothing is pasted over it.
        reset();
        fake.setCopiesLate(editor, true);
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), NoAnswer);
        fake.setCopiesLate(editor, false);
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");

        // ... or only after the keys that follow its copy (stopped with them queued): keys
        // typed ahead of the paste have replaced the selection, and the message says so.
        reset();
        fake.setCopiesLate(editor, true, true);
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), method == 1 ? ReplacedByTypedKeys : NoAnswer);
        fake.setCopiesLate(editor, false);
        EXPECT_EQ(fake.text(editor), method == 1 ? "hello </B>" : "hello world");

        reset();
        fake.setReadFails(true);
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), NotFetched);
        fake.setReadFails(false);
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");

        // Another program takes the clipboard between the copy and the read: its text is
        // not the selection.
        reset();
        fake.setOnStep([&](FakePlatform::Step s) {
            if (s == FakePlatform::Step::Read)
                fake.takeClipboard(555, "intruder");
        });
        EXPECT_EQ(failureOf("<B>%SEL%</B>"), TakenByOther);
        fake.setOnStep(nullptr);
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.selectedText(editor), "world");

        // ... or before the copy, or before the paste: nothing is taken for the selection,
        // nothing is pasted.
        for (const auto at : {FakePlatform::Step::Fetch, FakePlatform::Step::Paste}) {
            reset();
            fake.setOnStep([&](FakePlatform::Step s) {
                if (s == at)
                    fake.takeClipboard(555, "intruder");
            });
            EXPECT_EQ(failureOf("<B>%SEL%</B>"), at == FakePlatform::Step::Fetch ? TakenByOther : PasteTakenByOther);
            fake.setOnStep(nullptr);
            EXPECT_EQ(fake.text(editor), "hello world");
            EXPECT_EQ(fake.selectedText(editor), "world");
        }
        EXPECT_FALSE(inserter.busy());
    }
}

// The target closing at any step ends the insertion and the ones queued behind it: nothing
// reaches the window below it, which the window manager makes active, and the next
// insertion into that window works.
TEST_P(InsertTest, TargetClosingAtAnyStepEndsTheInsertion)
{
    using Step = FakePlatform::Step;
    for (const int method : {0, 1}) {
        for (const Step at : {Step::Activate, Step::Fetch, Step::Read, Step::Paste, Step::Caret}) {
            if (method == 0 && at == Step::Activate)
                continue; // window messages need no activation
            SCOPED_TRACE(std::to_string(method) + " step " + std::to_string(static_cast<int>(at)));
            settings.InsertMethod = method;
            if (fake.windowExists(editor))
                fake.closeWindow(editor);
            editor = fake.addWindow(100, "index.html - Mousepad");
            fake.raiseWindow(palette);
            reset();
            fake.setText(other, "bystander keep");
            fake.select(other, 0, 9);
            target.AppActivate();
            ASSERT_EQ(target.TargetWindow(), editor);
            bool closed = false;
            fake.setOnStep([&](Step s) {
                if (s != at || closed)
                    return;
                closed = true;
                inserter.InsertTemplate("<I>%SEL%</I>"); // queued behind the one under way
                fake.closeWindow(editor);
            });
            const std::size_t before = fake.deliveries().size();
            EXPECT_EQ(failureOf("<B>%SEL%</B>"), "");
            fake.setOnStep(nullptr);
            EXPECT_TRUE(closed);
            EXPECT_FALSE(inserter.busy());
            EXPECT_EQ(fake.activeWindow(), other);
            EXPECT_EQ(fake.text(other), "bystander keep");
            for (std::size_t i = before; i < fake.deliveries().size(); ++i)
                EXPECT_NE(fake.deliveries()[i], other);

            // The palette goes on: the next click inserts into the window now below it.
            target.AppActivate();
            ASSERT_EQ(target.TargetWindow(), other);
            inserter.InsertTemplate("<B>%SEL%</B>");
            EXPECT_EQ(fake.text(other), "<B>bystander</B> keep");
        }
    }
}

TEST_P(InsertTest, NoTargetOrNothingToInsertLeavesEverythingAsItWas)
{
    for (const int method : {0, 1}) {
        SCOPED_TRACE(method);
        settings.InsertMethod = method;
        reset();
        ASSERT_TRUE(fake.setClipboardText("before"));
        // An empty template, and one that expands to nothing.
        inserter.InsertTemplate("");
        EXPECT_EQ(fake.clipboardText(), "before");
        fake.select(editor, 5, 0);
        inserter.InsertTemplate("%SEL%");
        EXPECT_EQ(fake.text(editor), "hello world");
        EXPECT_EQ(fake.caretStepsSent(), 0);

        // Nothing below the palette: no target, nothing happens at all.
        fake.closeWindow(editor);
        fake.closeWindow(other);
        target.AppActivate();
        ASSERT_EQ(target.TargetWindow(), 0u);
        ASSERT_TRUE(fake.setClipboardText("before"));
        const int calls = fake.keyCalls();
        inserter.InsertTemplate("<B>%SEL%</B>");
        EXPECT_EQ(fake.clipboardText(), "before");
        EXPECT_EQ(fake.keyCalls(), calls);
        editor = fake.addWindow(100, "index.html - Mousepad");
        other = fake.addWindow(300, "other program");
        fake.raiseWindow(editor);
        fake.raiseWindow(palette);
        target.AppActivate();
        ASSERT_EQ(target.TargetWindow(), editor);
    }
}

// A template that is not valid UTF-8 is made valid (U+FFFD) before it is expanded, so that
// the caret count matches the characters the editor receives.
TEST_P(InsertTest, InvalidUtf8TemplateKeepsTheCaretRight)
{
    settings.InsertMethod = 1;
    EXPECT_EQ(insertAndType("<B>%SEL%\xff\xfe</B>"), "hello <B>world|\uFFFD\uFFFD</B>");
}

INSTANTIATE_TEST_SUITE_P(EditorDelay, InsertTest, ::testing::Values(0, 15),
                         [](const auto& info) { return "Delay" + std::to_string(info.param) + "ms"; });
