// The text forms of operands, positions and waypoints: strict writing,
// tolerant reading.
#include "text_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(LeadingInt, ReadsTheLeadingDecimalIntegerLikeStrtol) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"12", 12},
        {"  7x", 7},
        {"-3", -3},
        {"+4", 4},
        {"1.5", 1},
        {"", 0},
        {"abc", 0},
        {"- 3", 0},
        {"\t\n 9", 9},
        {"0012", 12},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(OperandBytes, ReadTolerantly) {
    const struct {
        const char* text;
        int maxCount;
        Bytes bytes;
    } cases[] = {
        {"0x80,0x00,0xF0,0x00,0x00", 5, {0x80, 0x00, 0xF0, 0x00, 0x00}},
        {"80,f0,0X0a", 5, {0x80, 0xF0, 0x0A}},           // "0x" is optional, any case
        {"0x11,0x22,0x33,0x44", 2, {0x11, 0x22}},        // at most argo - 1 pieces
        {"0x1F0,0x123456789ABCDEF01", 5, {0xF0, 0x01}},  // low 8 bits
        {",,0x05,,", 5, {0x05}},                         // empty pieces skipped
        {" 0x01 , \n0x02\n", 5, {0x01, 0x02}},           // blanks around pieces
        {"zz,0x3", 5, {0x00, 0x03}},                     // unreadable piece reads 0
        {"0x10", 0, {}},
        {"0x10", -7, {}},
        {"", 5, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadOperandBytes(c.text, c.maxCount), c.bytes) << '"' << c.text << '"';
}

TEST(OperandBytes, AreWrittenAsUpperCaseHexWithPrefix) {
    EXPECT_EQ(FormatOperandBytes({0x80, 0x00, 0xF0, 0x0a, 0xff}), "0x80,0x00,0xF0,0x0A,0xFF");
    EXPECT_EQ(FormatOperandBytes({}), "");
}

TEST(GridPair, ReadsCellsAsPixels) {
    const struct {
        const char* text;
        Point pixels;
    } cases[] = {
        {"10,8", {240, 192}}, {" 2 , 4", {48, 96}}, {"3", {72, 0}},
        {"x,5", {0, 120}},    {"", {0, 0}},         {"-1,2", {-24, 48}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadGridPair(c.text), c.pixels) << '"' << c.text << '"';
}

TEST(GridPair, HugeValuesDoNotOverflow) {
    const Point p = ReadGridPair("2147483647,-2147483648");
    EXPECT_GT(p.x, 1920);
    EXPECT_LT(p.y, 0);
}

TEST(GridPair, IsWrittenInCellsTruncated) {
    EXPECT_EQ(FormatGridPair(240, 192), "10,8");
    EXPECT_EQ(FormatGridPair(23, 47), "0,1");
}

TEST(Waypoints, ReadAtMostTheLimit) {
    EXPECT_EQ(ReadWaypoints("11,12 19,12", 9), (std::vector<Point>{{264, 288}, {456, 288}}));
    EXPECT_EQ(ReadWaypoints("  1,1\t2,2\r\n", 9), (std::vector<Point>{{24, 24}, {48, 48}}));
    std::string twelve;
    for (int i = 1; i <= 12; ++i) twelve += std::to_string(i) + ",1 ";
    const std::vector<Point> nine = ReadWaypoints(twelve, 9);
    ASSERT_EQ(nine.size(), 9u);
    EXPECT_EQ(nine.back(), (Point{9 * 24, 24}));
    EXPECT_TRUE(ReadWaypoints("", 9).empty());
}

TEST(Waypoints, AreWrittenInCellsSeparatedByBlanks) {
    EXPECT_EQ(FormatWaypoints({{264, 288}, {456, 288}}), "11,12 19,12");
    EXPECT_EQ(FormatWaypoints({}), "");
}

}  // namespace
