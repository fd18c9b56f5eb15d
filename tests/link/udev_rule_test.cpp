// The installed udev rule names the same board as the code.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "board_ids.h"

namespace {

std::string LowerHex(std::uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

TEST(UdevRule, GrantsTheLoggedInUserTheBoardsHidrawNode) {
    std::ifstream file(QEN_UDEV_RULE_FILE);
    ASSERT_TRUE(file) << QEN_UDEV_RULE_FILE;
    std::stringstream text;
    text << file.rdbuf();
    const std::string rule = text.str();
    EXPECT_NE(rule.find("SUBSYSTEM==\"hidraw\""), std::string::npos);
    EXPECT_NE(rule.find("ATTRS{idVendor}==\"" + LowerHex(kBoardVendorId) + "\""),
              std::string::npos);
    EXPECT_NE(rule.find("ATTRS{idProduct}==\"" + LowerHex(kBoardProductId) + "\""),
              std::string::npos);
    EXPECT_NE(rule.find("TAG+=\"uaccess\""), std::string::npos);
}

}  // namespace
