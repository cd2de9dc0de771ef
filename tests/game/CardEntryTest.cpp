// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CardEntry.h"

#include <gtest/gtest.h>

#include <vector>

namespace quartet {
namespace {

using Slots = CardEntry::Slots;

struct Entry {
    Hand card{};
    CardEntry entry;
    VectorResultList list;

    // Presses the buttons of the given card values in turn.
    void press(std::initializer_list<int> values)
    {
        for (int value : values)
            entry.press(static_cast<std::int16_t>(value - 1), card, list);
    }
};

TEST(CardEntry, FillsTheLowestEmptySlotThenDropsTheOldestValue)
{
    struct Case {
        const char* name;
        std::vector<int> presses;
        Slots slots;
        Hand card;
    };
    const Case cases[] = {
        {"one press", {7}, {"7", "", "", ""}, {7, 0, 0, 0}},
        {"two presses", {3, 8}, {"3", "8", "", ""}, {3, 8, 0, 0}},
        {"four presses", {3, 8, 3, 8}, {"3", "8", "3", "8"}, {3, 8, 3, 8}},
        {"a fifth press", {3, 8, 3, 8, 5}, {"8", "3", "8", "5"}, {8, 3, 8, 5}},
        {"six presses", {1, 2, 3, 4, 5, 13}, {"3", "4", "5", "13"}, {3, 4, 5, 13}},
        {"thirteen", {13}, {"13", "", "", ""}, {13, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Entry e;
        e.card = {9, 9, 9, 9};
        e.entry.specify(e.card);
        for (int value : c.presses)
            e.press({value});
        EXPECT_EQ(e.entry.captions(), c.slots) << c.name;
        EXPECT_EQ(e.card, c.card) << c.name;
    }
}

TEST(CardEntry, ClearEmptiesTheSlotsButKeepsTheHand)
{
    Entry e;
    e.entry.specify(e.card);
    e.press({1, 2, 3, 4});
    e.entry.clear();
    EXPECT_EQ(e.entry.captions(), (Slots{"", "", "", ""}));
    EXPECT_EQ(e.card, (Hand{1, 2, 3, 4}));

    e.press({5});
    EXPECT_EQ(e.entry.captions(), (Slots{"5", "", "", ""}));
    EXPECT_EQ(e.card, (Hand{5, 2, 3, 4}));
}

TEST(CardEntry, SpecifyAgainEmptiesTheSlotsAndZeroesTheHand)
{
    Entry e;
    e.press({6, 6, 6});
    e.entry.specify(e.card);
    EXPECT_EQ(e.entry.captions(), (Slots{"", "", "", ""}));
    EXPECT_EQ(e.card, (Hand{0, 0, 0, 0}));
}

TEST(CardEntry, EveryPressEmptiesTheListButSpecifyAndClearLeaveIt)
{
    Entry e;
    e.list.append("line");
    e.entry.specify(e.card);
    e.entry.clear();
    EXPECT_EQ(e.list.count(), 1);

    for (int value : {1, 2, 3, 4, 5}) {
        e.list.append("line");
        e.press({value});
        EXPECT_EQ(e.list.count(), 0) << "press " << value;
    }
}

TEST(CardEntry, RejectsAnIndexBeyondTheThirteenButtons)
{
    Entry e;
    EXPECT_THROW(e.entry.press(13, e.card, e.list), std::out_of_range);
    EXPECT_THROW(e.entry.press(-1, e.card, e.list), std::out_of_range);
    EXPECT_EQ(e.entry.captions(), (Slots{"", "", "", ""}));
}

}  // namespace
}  // namespace quartet
