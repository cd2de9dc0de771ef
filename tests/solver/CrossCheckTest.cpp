// SPDX-License-Identifier: GPL-3.0-or-later
// Every hand of four values from 0 to 13 against a search that works by a
// different method: exact fractions, combining any two remaining values.

#include "solver/Solver.h"
#include "tests/solver/SolutionLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <set>
#include <string>

namespace quartet {
namespace {

// A fraction in lowest terms with a positive denominator.
struct Fraction {
    std::int64_t num;
    std::int64_t den;
};

Fraction reduced(std::int64_t num, std::int64_t den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t divisor = std::gcd(num, den);
    return {num / divisor, den / divisor};
}

// Replaces two of the values by one result of an operation on them, in
// either order, until one value is left.
bool exactlyReaches24(const std::array<Fraction, 4>& values, std::size_t count)
{
    if (count == 1)
        return values[0].num == 24 && values[0].den == 1;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            std::array<Fraction, 4> rest{};
            std::size_t kept = 0;
            for (std::size_t n = 0; n < count; ++n) {
                if (n != i && n != j)
                    rest[kept++] = values[n];
            }
            const Fraction x = values[i];
            const Fraction y = values[j];
            std::array<Fraction, 6> results = {reduced(x.num * y.den + y.num * x.den, x.den * y.den),
                                               reduced(x.num * y.den - y.num * x.den, x.den * y.den),
                                               reduced(y.num * x.den - x.num * y.den, x.den * y.den),
                                               reduced(x.num * y.num, x.den * y.den)};
            std::size_t resultCount = 4;
            if (y.num != 0)
                results[resultCount++] = reduced(x.num * y.den, x.den * y.num);
            if (x.num != 0)
                results[resultCount++] = reduced(y.num * x.den, y.den * x.num);
            for (std::size_t r = 0; r < resultCount; ++r) {
                rest[kept] = results[r];
                if (exactlyReaches24(rest, kept + 1))
                    return true;
            }
        }
    }
    return false;
}

bool exactlyReaches24(const Hand& hand)
{
    std::array<Fraction, 4> values{};
    std::transform(hand.begin(), hand.end(), values.begin(), [](std::int16_t card) { return Fraction{card, 1}; });
    return exactlyReaches24(values, 4);
}

// Every multiset of four values from 0 to 13, each in ascending order.
std::vector<Hand> allHands()
{
    std::vector<Hand> hands;
    for (std::int16_t a = 0; a <= 13; ++a)
        for (std::int16_t b = a; b <= 13; ++b)
            for (std::int16_t c = b; c <= 13; ++c)
                for (std::int16_t d = c; d <= 13; ++d)
                    hands.push_back({a, b, c, d});
    return hands;
}

std::string describe(const Hand& hand)
{
    return std::to_string(hand[0]) + "," + std::to_string(hand[1]) + "," + std::to_string(hand[2]) + ","
        + std::to_string(hand[3]);
}

class CrossCheck : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const Hand& hand : allHands()) {
            if (exactlyReaches24(hand))
                solvableHands.insert(hand);
        }
    }

    static bool solvable(const Hand& hand) { return solvableHands.count(hand) != 0; }

    static inline std::set<Hand> solvableHands;
    VectorResultList list;
};

TEST_F(CrossCheck, CheckOnlyFindsExactlyTheSolvableHands)
{
    int found = 0;
    int foundWithoutZero = 0;
    for (const Hand& hand : allHands()) {
        const bool Found = hasSolution(hand, list);
        EXPECT_EQ(Found, solvable(hand)) << describe(hand);
        EXPECT_EQ(list.count(), 0) << describe(hand);
        found += Found ? 1 : 0;
        foundWithoutZero += Found && hand[0] != 0 ? 1 : 0;
    }
    EXPECT_EQ(allHands().size(), 2380u);
    EXPECT_EQ(found, 1525);
    EXPECT_EQ(foundWithoutZero, 1362);  // of the 1820 hands of values 1 to 13
}

TEST_F(CrossCheck, EveryAnswerLineIsASolutionOfItsHand)
{
    for (const Hand& hand : allHands()) {
        listSolutions(hand, list);
        const auto& lines = list.lines();
        if (!solvable(hand)) {
            EXPECT_EQ(lines, std::vector<std::string>{std::string(kNoSolutionLine)}) << describe(hand);
            continue;
        }
        const bool allDifferent = std::set<int>(hand.begin(), hand.end()).size() == 4;
        int previousKey = -1;
        for (const std::string& line : lines) {
            const auto parsed = test::parseSolutionLine(line);
            ASSERT_TRUE(parsed) << describe(hand) << ": " << line;
            EXPECT_LT(std::fabs(parsed->value - 24.0), 1e-10) << line;
            std::vector<int> cards = parsed->cards;
            std::sort(cards.begin(), cards.end());
            EXPECT_EQ(cards, std::vector<int>(hand.begin(), hand.end())) << line;
            EXPECT_NE(parsed->shape, 0) << line;
            if (allDifferent) {
                const int key = test::searchOrderKey(hand, *parsed);
                EXPECT_GT(key, previousKey) << describe(hand) << ": " << line;
                previousKey = key;
            }
        }
        ASSERT_FALSE(HasFailure()) << "first failing hand " << describe(hand);
    }
}

}  // namespace
}  // namespace quartet
