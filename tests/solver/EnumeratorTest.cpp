// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Solver.h"
#include "tests/solver/SolutionLine.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <map>
#include <set>
#include <string>

namespace quartet {
namespace {

using Lines = std::vector<std::string>;

class EnumeratorTest : public testing::Test {
protected:
    // The list starts with a stale line: every search must clear it first.
    EnumeratorTest() { list.append("stale"); }

    const Lines& search(Hand hand)
    {
        listSolutions(hand, list);
        return list.lines();
    }

    VectorResultList list;
};

TEST_F(EnumeratorTest, OneTwoThreeFourHas242DifferentLines)
{
    const Lines& lines = search({1, 2, 3, 4});
    ASSERT_EQ(lines.size(), 242u);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 242u);
    EXPECT_EQ(lines[0], "(( 1x 4)x 3)x 2=24");
    EXPECT_EQ(lines[1], "( 1x 4)x( 3x 2)=24");
    EXPECT_EQ(lines[2], "( 1x( 4x 3))x 2=24");
    EXPECT_EQ(lines.back(), " 4x( 3x( 2/ 1))=24");
}

// With four different values every line has its own place in the search
// order: ordering of the card positions, then op1, op2, op3, then shape.
TEST_F(EnumeratorTest, LinesFollowTheSearchOrder)
{
    for (const Hand hand : {Hand{1, 2, 3, 4}, Hand{0, 3, 8, 1}, Hand{10, 2, 4, 1}}) {
        int previousKey = -1;
        for (const std::string& line : search(hand)) {
            const auto parsed = test::parseSolutionLine(line);
            ASSERT_TRUE(parsed) << line;
            const int key = test::searchOrderKey(hand, *parsed);
            EXPECT_GT(key, previousKey) << line;
            previousKey = key;
        }
    }
}

TEST_F(EnumeratorTest, EqualValuesRepeatLines)
{
    EXPECT_EQ(search({3, 3, 8, 8}), Lines(4, " 8/( 3-( 8/ 3))=24"));

    std::map<std::string, int> occurrences;
    for (const std::string& line : search({6, 6, 6, 6}))
        ++occurrences[line];
    EXPECT_EQ(list.count(), 168);
    EXPECT_EQ(occurrences.size(), 7u);
    for (const auto& [line, count] : occurrences)
        EXPECT_EQ(count, 24) << line;
}

TEST_F(EnumeratorTest, ZeroIsAnOrdinaryCard)
{
    const Lines& lines = search({0, 3, 8, 1});
    ASSERT_EQ(lines.size(), 354u);
    EXPECT_EQ(lines[0], "(( 0+ 1)x 8)x 3=24");
}

TEST_F(EnumeratorTest, RunningTwiceGivesTheSameList)
{
    const Lines first = search({1, 2, 3, 4});
    EXPECT_EQ(search({1, 2, 3, 4}), first);
}

TEST_F(EnumeratorTest, UnsolvableHandsGetTheNoSolutionLine)
{
    // The last two come within 1e-3 and 1e-9 of 24 without reaching it.
    for (const Hand hand : {Hand{1, 1, 1, 1}, Hand{2, 2, 2, 2}, Hand{13, 13, 13, 13}, Hand{0, 0, 0, 0},
                            Hand{1, 1, 1, 2}, Hand{24, 1, 32, 35}, Hand{24, 1, 32767, 32764}}) {
        EXPECT_EQ(search(hand), Lines{std::string(kNoSolutionLine)}) << hand[0];
    }
}

TEST_F(EnumeratorTest, CheckOnlyTellsWhetherThereIsASolutionAndWritesNothing)
{
    for (const auto& [hand, solvable] : {std::pair{Hand{1, 2, 3, 4}, true}, std::pair{Hand{1, 1, 1, 1}, false},
                                         std::pair{Hand{0, 0, 0, 0}, false}, std::pair{Hand{3, 3, 8, 8}, true}}) {
        list.append("stale");
        EXPECT_EQ(hasSolution(hand, list), solvable) << hand[0] << hand[3];
        EXPECT_EQ(list.count(), 0) << hand[0] << hand[3];
    }
}

TEST_F(EnumeratorTest, FlagsRaisedBeforeTheSearchAreNotItsError)
{
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    EXPECT_NO_THROW(search({3, 3, 8, 8}));
    EXPECT_EQ(list.count(), 4);
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace quartet
