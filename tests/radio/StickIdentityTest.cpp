// The udev rule the project ships names the same stick the program searches for.

#include "zeft_StickIdentity.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

std::string Hex4(std::uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

TEST(StickIdentity, UdevRuleGrantsAccessToTheStickTheProgramSearches) {
    std::ifstream rules(ZEFT_UDEV_RULE);
    ASSERT_TRUE(rules) << ZEFT_UDEV_RULE;
    const std::regex rule(R"re(^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", )re"
                          R"re(ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re");
    int matches = 0;
    std::string line;
    while (std::getline(rules, line)) {
        std::smatch match;
        if (std::regex_match(line, match, rule)) {
            ++matches;
            EXPECT_EQ(match[1].str(), Hex4(zeft::StickVendorId));
            EXPECT_EQ(match[2].str(), Hex4(zeft::StickProductId));
        }
    }
    EXPECT_EQ(matches, 1);
}

} // namespace
