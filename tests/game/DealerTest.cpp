// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Dealer.h"
#include "solver/Solver.h"
#include "tests/support/FixedRandomSource.h"

#include <gtest/gtest.h>

#include <limits>

namespace quartet {
namespace {

using test::FixedRandomSource;

constexpr float kLargestBelowOne = 1.0f - std::numeric_limits<float>::epsilon() / 2;

TEST(DrawCard, MapsTheUnitIntervalOntoOneToMaxVal)
{
    struct Case {
        float r;
        std::int16_t maxVal;
        std::int16_t card;
    };
    const Case cases[] = {
        {0.0f, 13, 1},
        {0.5f, 13, 7},  // 6.5 + 1
        {kLargestBelowOne, 13, 13},
        {kLargestBelowOne, 3, 3},
        {0.0f, 32767, 1},
        {kLargestBelowOne, 32767, 32767},
        {1.0f / 3.0f, 3, 2},  // the float just above 1/3 gives 1.0000000x + 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(drawCard(c.r, c.maxVal), c.card) << "r=" << c.r << " MaxVal=" << c.maxVal;
}

// A first candidate that no arrangement solves, though 24+1/(32x35) comes
// within 1e-3 of 24, then 1, 2, 3, 4.
std::vector<float> unsolvableThenSolvable(int maxVal)
{
    std::vector<float> values;
    for (int card : {24, 1, 32, 35, 1, 2, 3, 4})
        values.push_back(FixedRandomSource::valueFor(card, maxVal));
    return values;
}

TEST(Deal, DrawsUntilTheSolverFindsTheHandSolvable)
{
    Hand Card{};
    VectorResultList list;
    list.append("a line from before the deal");
    FixedRandomSource random(unsolvableThenSolvable(98));

    EXPECT_EQ(deal(Card, list, random, 98), DealOutcome::Dealt);

    EXPECT_EQ(Card, (Hand{1, 2, 3, 4}));
    EXPECT_EQ(random.drawn, 8u);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(list.count(), 0);
}

TEST(Deal, RefusesALargestValueThatCanGiveNoSolvableHand)
{
    for (std::int16_t maxVal : {std::int16_t{2}, std::int16_t{1}, std::int16_t{0}, std::int16_t{-5},
                                std::numeric_limits<std::int16_t>::min()}) {
        Hand Card{5, 6, 7, 8};
        VectorResultList list;
        list.append("kept");
        FixedRandomSource random;

        EXPECT_EQ(deal(Card, list, random, maxVal), DealOutcome::MaxValTooSmall);
        EXPECT_EQ(Card, (Hand{5, 6, 7, 8}));
        EXPECT_EQ(list.lines(), std::vector<std::string>{"kept"});
        EXPECT_EQ(random.reseeds, 0);
    }
}

TEST(Deal, EndsWithCardsInRangeForEveryDealableMaxVal)
{
    for (std::int16_t maxVal : {std::int16_t{3}, std::int16_t{4}, std::int16_t{13}, std::int16_t{98},
                                std::numeric_limits<std::int16_t>::max()}) {
        const int deals = maxVal == 3 ? 30 : 3;  // 3 is the tight case
        for (int i = 0; i < deals; ++i) {
            Hand Card{};
            VectorResultList list;
            ClockRandomSource random;
            ASSERT_EQ(deal(Card, list, random, maxVal), DealOutcome::Dealt);
            for (auto card : Card) {
                EXPECT_GE(card, 1);
                EXPECT_LE(card, maxVal);
            }
            listSolutions(Card, list);
            EXPECT_NE(list.lines().front(), kNoSolutionLine) << "MaxVal " << maxVal;
        }
    }
}

TEST(ClockRandomSource, DeliversValuesInTheHalfOpenUnitIntervalAndANewSequenceAtEveryReseed)
{
    ClockRandomSource random, later;  // as at two starts of the program
    random.reseed();
    later.reseed();
    EXPECT_NE((std::vector{later.next(), later.next(), later.next()}),
              (std::vector{random.next(), random.next(), random.next()}));
    float smallest = 1.0f;
    float largest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        smallest = std::min(smallest, r);
        largest = std::max(largest, r);
    }
    EXPECT_LT(smallest, 0.001f);
    EXPECT_GT(largest, 0.999f);
}

}  // namespace
}  // namespace quartet
