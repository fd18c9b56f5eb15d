// Code page 932 conversion shared by the melody file, the measurement CSV and MIDI export.
#include "cp932_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string cp932;
    friend void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }
};

class Cp932Encode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Cp932Encode, ConvertsTheWholeText) {
    const Cp932Conversion conversion = Utf8ToCp932(GetParam().utf8);
    ASSERT_TRUE(conversion.bytes);
    EXPECT_EQ(*conversion.bytes, GetParam().cp932);
    EXPECT_TRUE(conversion.unmappable.empty());
    EXPECT_EQ(Cp932ToUtf8(GetParam().cp932), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Encode,
    ::testing::Values(EncodeCase{"empty", "", ""}, EncodeCase{"ascii", "a,1\r\n", "a,1\r\n"},
                      EncodeCase{"kana", "ドレミ", "\x83\x68\x83\x8C\x83\x7E"},
                      EncodeCase{"halfwidth_kana", "ｱ", "\xB1"},
                      // The fullwidth tilde of "(40 ～ 200)" and a circled digit, both
                      // characters that plain Shift-JIS lacks and code page 932 has.
                      EncodeCase{"fullwidth_tilde", "～", "\x81\x60"},
                      EncodeCase{"circled_digit", "①", "\x87\x40"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::string utf8;
    std::string unmappable;
    char32_t codePoint;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class Cp932Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Cp932Refusal, ConvertsNothingAndNamesTheFirstBadCharacter) {
    const Cp932Conversion conversion = Utf8ToCp932(GetParam().utf8);
    EXPECT_FALSE(conversion.bytes);
    EXPECT_EQ(conversion.unmappable, GetParam().unmappable);
    EXPECT_EQ(conversion.codePoint, GetParam().codePoint);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Refusal,
    ::testing::Values(RefusalCase{"emoji_after_text", "ab\xF0\x9F\x8E\xB5", "\xF0\x9F\x8E\xB5",
                                  0x1F3B5},
                      RefusalCase{"first_of_two", "\xC3\xA9\xF0\x9F\x8E\xB5", "\xC3\xA9", 0xE9},
                      // A kanji of names that only the newer JIS sets have.
                      RefusalCase{"newer_kanji", "森鷗外", "鷗", 0x9DD7},
                      RefusalCase{"not_utf8", "a\xFF", "\xEF\xBF\xBD", 0xFFFD},
                      RefusalCase{"cut_short", "a\xE3\x83", "\xEF\xBF\xBD", 0xFFFD}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932Decode, BytesThatAreNotCodePage932BecomeOneReplacementEach) {
    EXPECT_EQ(Cp932ToUtf8("\x83\x68\xFF"
                          "a\xFF\xFF"),
              "ド\xEF\xBF\xBD"
              "a\xEF\xBF\xBD\xEF\xBF\xBD");
    // A lead byte with nothing after it.
    EXPECT_EQ(Cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD");
}

TEST(DescribeCharacter, QuotesTheCharacterAndGivesItsCodePoint) {
    EXPECT_EQ(DescribeCharacter("\xF0\x9F\x8E\xB5", 0x1F3B5), "「\xF0\x9F\x8E\xB5」(U+1F3B5)");
    // An invisible character is still found by its number.
    EXPECT_EQ(DescribeCharacter("\xE2\x80\x8B", 0x200B), "「\xE2\x80\x8B」(U+200B)");
}

}  // namespace
