// SPDX-License-Identifier: GPL-3.0-or-later
// How Qt's own -platform option is found among the arguments.

#include "app/PlatformChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quartet {
namespace {

TEST(PlatformChoice, FindsQtsPlatformOption)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string name;
        int index;
    };
    const Case cases[] = {
        {{"quartet", "-platform", "offscreen"}, "offscreen", 1},
        {{"quartet", "--solve", "1", "2", "3", "4", "--platform", "xcb"}, "xcb", 6},
        {{"quartet", "-platform"}, "", 0},
        {{"quartet", "-platformtheme", "gtk3"}, "", 0},
    };
    for (const Case& c : cases) {
        const auto option = findPlatformOption(c.arguments);
        EXPECT_EQ(option ? option->name : "", c.name) << c.arguments.size();
        EXPECT_EQ(option ? option->index : 0, c.index) << c.arguments.size();
    }
}

}  // namespace
}  // namespace quartet
