// The version window's animation: the timing of its steps, typing by characters, the fade.

#include "about/VerInfoAnimation.h"

#include <gtest/gtest.h>

using namespace orvanel::about;

TEST(VerInfoAnimation, TypesEveryLineByCharactersThenFadesTheLogoInOnTime)
{
    const std::array<std::string, LabelCount> texts = {"Ver", "日本語", "", "a"};
    VerInfoAnimation a(texts);
    Millis now{5000};
    std::vector<std::string> line1;
    for (a.start(now); a.nextDue(); line1.push_back(a.caption(1))) {
        now = *a.nextDue();
        EXPECT_FALSE(a.advance(now - Millis(1))) << "a step ran before its wait was over";
        EXPECT_TRUE(a.advance(now));
    }
    // 800 ms of blinking per line, 2 x 20 ms per character, the pause, 101 frames of 10 ms.
    EXPECT_EQ(now, Millis(5000 + 4 * 800 + 2 * 20 * 7 + 180 + 101 * 10));
    line1.erase(std::unique(line1.begin(), line1.end()), line1.end());
    EXPECT_EQ(line1, (std::vector<std::string>{"", "_", "", "_", "", "_", "日", "日_", "日本", "日本_", "日本語"}));
    EXPECT_EQ(a.caption(0) + a.caption(1) + a.caption(2) + a.caption(3) + std::to_string(a.logoShade()), "Ver日本語a0");

    const std::vector<std::uint8_t> source{0, 4, 5, 6, 200, 255};
    std::vector<std::uint8_t> shown(source.size(), 77);
    FadeBytes(source, shown, 1);
    EXPECT_EQ(shown, (std::vector<std::uint8_t>{0, 0, 0, 1, 195, 250}));
    FadeBytes(source, shown, 51);
    EXPECT_EQ(shown, std::vector<std::uint8_t>(source.size(), 0));
}
