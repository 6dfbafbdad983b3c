#include "text/Encoding.h"

#include <gtest/gtest.h>

using namespace orvanel::text;

namespace {
// "表示" in CP932: 表 = 95 5C (its second byte is "\"), 示 = 8E A6.
const std::string kHyoujiSjis = "\x95\x5C\x8E\xA6";
const std::string kHyoujiUtf8 = "表示";
} // namespace

TEST(Encoding, Cp932RoundTripKeepsJapaneseAndAsciiBytes)
{
    EXPECT_EQ(cp932ToUtf8(kHyoujiSjis), kHyoujiUtf8);
    EXPECT_EQ(utf8ToCp932(kHyoujiUtf8), kHyoujiSjis);
    // Backslash and tilde stay ASCII (not yen sign and overline), half-width kana and the
    // wave dash of CP932 (U+FF5E) survive both ways.
    const std::string mixed = "C:\\Tools\\~a ﾌﾞﾗｳｻﾞ ～ <表>";
    auto sjis = utf8ToCp932(mixed);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_NE(sjis->find("C:\\Tools\\~a"), std::string::npos);
    EXPECT_EQ(cp932ToUtf8(*sjis), mixed);
}

TEST(Encoding, CharactersWithoutCp932FormAndInvalidInputAreRefused)
{
    EXPECT_FALSE(utf8ToCp932("emoji \xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(utf8ToCp932("한국어").has_value());
    EXPECT_FALSE(utf8ToCp932("bad \xFF utf8").has_value());
    EXPECT_EQ(utf8ToCp932(""), std::string());
}

TEST(Encoding, InvalidCp932BecomesReplacementCharactersWithoutEatingAscii)
{
    // A lead byte followed by "!" (not a trail byte), an unused byte, a lead byte at the end.
    const std::string out = cp932ToUtf8("x\x81!A\xFDy\x95");
    EXPECT_TRUE(isValidUtf8(out));
    EXPECT_EQ(out.front(), 'x');
    EXPECT_NE(out.find("!A"), std::string::npos);
    EXPECT_NE(out.find('y'), std::string::npos);
    EXPECT_NE(out.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 3), "\xEF\xBF\xBD");
}

TEST(Encoding, Utf8ValidationRejectsOverlongsSurrogatesAndTruncation)
{
    EXPECT_TRUE(isValidUtf8("plain ascii"));
    EXPECT_TRUE(isValidUtf8(kHyoujiUtf8));
    EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF")); // U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));        // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));    // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE8\xA1"));        // cut short
    EXPECT_FALSE(isValidUtf8(kHyoujiSjis));
}

TEST(Encoding, ReadingRuleBomOrValidUtf8ElseCp932)
{
    FileEncoding found{};
    EXPECT_EQ(decodeDataFile("\xEF\xBB\xBF" + kHyoujiUtf8, &found), kHyoujiUtf8);
    EXPECT_EQ(found, FileEncoding::Utf8);
    EXPECT_EQ(decodeDataFile(kHyoujiUtf8, &found), kHyoujiUtf8);
    EXPECT_EQ(found, FileEncoding::Utf8);
    EXPECT_EQ(decodeDataFile("a=" + kHyoujiSjis + "\r\n", &found), "a=" + kHyoujiUtf8 + "\r\n");
    EXPECT_EQ(found, FileEncoding::Cp932);
    // Binary garbage never gives invalid UTF-8 to the rest of the program.
    std::string garbage;
    for (int i = 0; i < 256; ++i)
        garbage += static_cast<char>(255 - i);
    EXPECT_TRUE(isValidUtf8(decodeDataFile(garbage)));
    EXPECT_TRUE(isValidUtf8(decodeDataFile("\xEF\xBB\xBF" + garbage)));
}

TEST(Encoding, WritingRuleCp932WhenItFitsElseUtf8WithBom)
{
    FileEncoding used{};
    EXPECT_EQ(encodeDataFile("a=" + kHyoujiUtf8, &used), "a=" + kHyoujiSjis);
    EXPECT_EQ(used, FileEncoding::Cp932);
    const std::string wide = "a=表\xF0\x9F\x98\x80";
    const std::string bytes = encodeDataFile(wide, &used);
    EXPECT_EQ(used, FileEncoding::Utf8);
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" + wide);
    // What is written reads back the same, whichever encoding was chosen.
    EXPECT_EQ(decodeDataFile(bytes), wide);
    EXPECT_EQ(decodeDataFile(encodeDataFile("a=" + kHyoujiUtf8)), "a=" + kHyoujiUtf8);
}

#ifndef _WIN32
TEST(Encoding, Cp932ByTableDecodesAsIconvDoes)
{
    // Past a megabyte converted, the table takes over: every byte, every pair, random bytes
    // and a lead byte at the end come out as iconv makes them.
    std::string all;
    for (int b = 0; b < 256; ++b)
        for (int t = 0; t < 256; ++t)
            all += {'<', static_cast<char>(b), static_cast<char>(t), '>'};
    std::string random;
    std::uint32_t x = 12345;
    for (int i = 0; i < 300000; ++i)
        random += static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
    const std::string cases[] = {all, random, random + "\x81", "\x82\xA0\x82"};
    EXPECT_EQ(cp932ToUtf8(std::string(1u << 20, 'a')).size(), 1u << 20);
    for (const std::string& s : cases)
        EXPECT_EQ(cp932ToUtf8(s), cp932ToUtf8ByIconv(s)) << s.size();
}
#endif
