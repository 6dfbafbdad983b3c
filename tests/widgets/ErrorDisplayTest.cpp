#include "MessageBoxes.h"

#include "app/ErrorDisplay.h"
#include "text/UserError.h"
#include "text/UserErrorBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// An object whose handler fails the way a handler of the palette can.
class FailingHandler : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw orvanel::UserError("ファイル /x/TagBList.lst は開けません");
        if (e->type() == QEvent::Type(QEvent::User + 1))
            throw std::runtime_error("bad_alloc");
        if (e->type() == QEvent::Type(QEvent::User + 2)) {
            ++handled;
            return true;
        }
        return QObject::event(e);
    }
    int handled = 0;
};

} // namespace

TEST(ErrorDisplay, AnErrorEscapingAHandlerIsShownAndTheLoopGoesOn)
{
    FailingHandler handler;
    SeenBox seen;
    answerNextBox(seen);
    QEvent failing(QEvent::User);
    EXPECT_FALSE(orvanel::DeliverShowingErrors(
        [&] { return QCoreApplication::sendEvent(&handler, &failing); }));
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, "ORVANEL");
    EXPECT_EQ(seen.text, QString::fromUtf8("ファイル /x/TagBList.lst は開けません"));
    EXPECT_EQ(seen.buttons, 1);

    // Not one of the program's own errors: still shown, in Japanese, with its text.
    SeenBox other;
    answerNextBox(other);
    QEvent odd(QEvent::Type(QEvent::User + 1));
    EXPECT_FALSE(orvanel::DeliverShowingErrors(
        [&] { return QCoreApplication::sendEvent(&handler, &odd); }));
    ASSERT_TRUE(other.seen);
    EXPECT_TRUE(other.text.startsWith(QString::fromUtf8("エラーが発生しました")));
    EXPECT_TRUE(other.text.contains("bad_alloc"));

    // The next event is delivered as usual, with the handler's own answer.
    QEvent fine(QEvent::Type(QEvent::User + 2));
    EXPECT_TRUE(orvanel::DeliverShowingErrors(
        [&] { return QCoreApplication::sendEvent(&handler, &fine); }));
    EXPECT_EQ(handler.handled, 1);
}

// A click handler that fails: its guard shows the message where the handler starts, the
// handler returns, and the event loop and the next click go on.
TEST(ErrorDisplay, AUserErrorFromAClickHandlerBecomesItsMessageBox)
{
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] {
        orvanel::Guarded(&button, [&] {
            if (++clicks == 1)
                throw orvanel::UserError("ホットキーの登録に失敗しました。");
        });
    });
    SeenBox seen;
    answerNextBox(seen);
    button.click();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, "ORVANEL");
    EXPECT_EQ(seen.text, QString::fromUtf8("ホットキーの登録に失敗しました。"));
    EXPECT_EQ(seen.buttons, 1);
    bool loopRan = false;
    QTimer::singleShot(0, [&] { loopRan = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(loopRan);
    button.click();
    EXPECT_EQ(clicks, 2);
}
