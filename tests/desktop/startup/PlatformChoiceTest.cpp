// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window runs, for the sessions people use, and how Qt's own
// -platform option is found among the arguments.

#include "desktop/startup/PlatformChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quartet {
namespace {

constexpr unsigned kQt64 = 0x060402;
constexpr unsigned kQt68 = 0x060802;

// A Wayland session that also offers X, with Qt's two title-bar plugins.
DisplayFacts session(unsigned qtVersion, const std::string& desktop)
{
    DisplayFacts facts;
    facts.xOpens = true;
    facts.waylandOpens = true;
    facts.qtVersion = qtVersion;
    facts.desktop = desktop;
    facts.decorations = {"bradient", "adwaita"};
    return facts;
}

TEST(PlatformChoice, RunsOnXWhereQtWouldDrawButtonsTheWindowDidNotAskFor)
{
    struct Case {
        const char* session;
        DisplayFacts facts;
        bool onX;
    };
    DisplayFacts named = session(kQt64, "");
    named.platformNamed = true;
    DisplayFacts noX = session(kQt64, "");
    noX.xOpens = false;
    DisplayFacts noWayland = session(kQt68, "");
    noWayland.waylandOpens = false;
    DisplayFacts kwin = session(kQt64, "KDE");
    kwin.compositorDrawsTitleBars = true;
    DisplayFacts gnomeWithoutAdwaita = session(kQt68, "GNOME");
    gnomeWithoutAdwaita.decorations = {"bradient"};
    DisplayFacts barOff = session(kQt64, "");
    barOff.decorationsOff = true;
    DisplayFacts barChosen = session(kQt64, "");
    barChosen.decorationNamed = "Bradient";
    DisplayFacts barMissing = session(kQt68, "");
    barMissing.decorationNamed = "material";
    DisplayFacts oldGnome = session(0x060799, "GNOME");

    const Case cases[] = {
        {"weston, Qt 6.4", session(kQt64, ""), true},
        {"weston, Qt 6.8", session(kQt68, "weston"), true},
        {"GNOME, Qt 6.4", session(kQt64, "GNOME"), true},
        {"GNOME, Qt 6.8: close-only bar", session(kQt68, "GNOME"), false},
        {"Ubuntu's GNOME, Qt 6.8, any case", session(kQt68, "ubuntu:gnome"), false},
        {"GNOME before Qt 6.8", oldGnome, true},
        {"GNOME, Qt 6.8.0 itself", session(0x060800, "GNOME"), false},
        {"GNOME, Qt 6.8, no Adwaita plugin", gnomeWithoutAdwaita, true},
        {"KWin draws the bar", kwin, false},
        {"platform named by the user", named, false},
        {"no X to run on", noX, false},
        {"no Wayland display", noWayland, false},
        {"Qt's bar turned off by the user", barOff, false},
        {"Qt's bar chosen by the user", barChosen, false},
        {"chosen bar not installed", barMissing, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runsBetterOnX(c.facts), c.onX) << c.session;
}

TEST(PlatformChoice, FindsQtsPlatformOptionAndGivesQtTheChosenOne)
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
        {{"quartet", "--", "-platform", "xcb"}, "", 0},
    };
    for (const Case& c : cases) {
        const auto option = findPlatformOption(c.arguments);
        EXPECT_EQ(option ? option->name : "", c.name) << c.arguments.size();
        EXPECT_EQ(option ? option->index : 0, c.index) << c.arguments.size();
    }

    std::string program = "quartet", word = "--";
    char* argv[] = {program.data(), word.data(), nullptr};
    QtArguments chosen(2, argv, "xcb");
    ASSERT_EQ(chosen.count(), 4);
    EXPECT_EQ(std::vector<std::string>(chosen.values(), chosen.values() + 4),
              (std::vector<std::string>{"quartet", "-platform", "xcb", "--"}));
    EXPECT_EQ(chosen.values()[4], nullptr);
    QtArguments left(2, argv, "");
    EXPECT_EQ(left.count(), 2);
    EXPECT_EQ(left.values()[1], argv[1]);
}

}  // namespace
}  // namespace quartet
