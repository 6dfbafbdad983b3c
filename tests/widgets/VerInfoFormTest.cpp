// The version window with a clock that runs fast: stopped, activated again, left alone.

#include "about/TVerInfoForm.h"
#include "about/VerInfoTexts.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace orvanel;

// Every look at this clock is a second later: each step is due when the window asks.
struct FastClock final : about::AnimationClock {
    about::Millis t{0};
    about::Millis now() override { return t += about::Millis(1000); }
};

// One pass of the event loop at a time (about one step) until `done`; a bounded number.
static bool pumpUntil(const std::function<bool()>& done)
{
    for (int pass = 0; pass < 100000 && !done(); ++pass)
        QCoreApplication::processEvents();
    return done();
}

TEST(VerInfoForm, StopsAtOnceWhenAskedRunsAgainOnActivationAndEndsWithItsTextsAndLogo)
{
    FakePlatform platform;
    TVerInfoForm form(platform, nullptr, std::make_unique<FastClock>());
    auto* OkBtn = form.findChild<QPushButton*>("OkBtn");
    auto reads = [&](const char* caption) { return OkBtn->text() == QString::fromUtf8(caption); };
    auto caption = [&](const char* label) { return form.findChild<QLabel*>(label)->text().toStdString(); };
    auto logo = [&] { return form.findChild<QLabel*>("ImageLogo")->pixmap().toImage().convertToFormat(QImage::Format_RGB888); };
    QImage black(form.LogoSource().size(), QImage::Format_RGB888);
    black.fill(Qt::black);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(pumpUntil([&] { return caption("LabelCopyRight").size() >= 6; }));
    OkBtn->click();
    EXPECT_TRUE(reads("閉じる"));
    const std::string typed = caption("LabelCopyRight");
    EXPECT_FALSE(pumpUntil([&] { return caption("LabelCopyRight") != typed; })); // nothing more comes
    EXPECT_EQ(about::verInfoTexts()[1].rfind(typed, 0), 0u) << typed; // the cursor is gone
    EXPECT_EQ(caption("LabelVersion") + caption("LabelURL") + caption("LabelMail"), about::Version);
    EXPECT_TRUE(logo() == black && form.isVisible());
    QWidget other; // takes the activation away, and gives it back
    other.show();
    other.activateWindow();
    ASSERT_TRUE(pumpUntil([&] { return !form.isActiveWindow(); }));
    form.activateWindow();
    ASSERT_TRUE(pumpUntil([&] { return reads("止める"); }));
    ASSERT_TRUE(pumpUntil([&] { return reads("閉じる"); }));
    const auto t = about::verInfoTexts();
    EXPECT_EQ(caption("LabelVersion") + caption("LabelCopyRight") + caption("LabelURL") + caption("LabelMail"),
              t[0] + t[1] + t[2] + t[3]);
    EXPECT_TRUE(logo() == form.LogoSource() && logo() != black);
    auto* url = form.findChild<QLabel*>("LabelURL");
    QMouseEvent click(QEvent::MouseButtonRelease, {5, 5}, url->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, {}, {});
    QApplication::sendEvent(url, &click);
    EXPECT_EQ(platform.desktopOpened(), std::vector<std::string>{about::WebAddress});
    OkBtn->click();
    EXPECT_FALSE(form.isVisible());
}

