// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/ShapeVerifier.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quartet {
namespace {

using Operators = OperatorTriple;
using Lines = std::vector<std::string>;

class VerifierTest : public testing::Test {
protected:
    void verify(Hand order, Operators operators, bool checkOnly)
    {
        ShapeVerifier(order, OpSym).MyVerify(operators, checkOnly, Found, list);
    }

    OperatorTexts OpSym{"+", "-", "x", "/"};
    bool Found = false;
    VectorResultList list;
};

struct ShapeCase {
    Hand order;
    Operators operators;
    Lines lines;
};

// Table rows read as "a,b,c,d ops op1,op2,op3" in failure messages.
void PrintTo(const Hand& order, const Operators& operators, std::ostream* os)
{
    *os << order[0] << ',' << order[1] << ',' << order[2] << ',' << order[3] << " ops " << operators[0] << ','
        << operators[1] << ',' << operators[2];
}

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    PrintTo(c.order, c.operators, os);
}

class VerifierShapes : public VerifierTest, public testing::WithParamInterface<ShapeCase> {};

TEST_P(VerifierShapes, AnswerModeAppendsEveryHitInShapeOrder)
{
    verify(GetParam().order, GetParam().operators, false);
    EXPECT_EQ(list.lines(), GetParam().lines);
    EXPECT_FALSE(Found);
}

TEST_P(VerifierShapes, CheckOnlyModeSetsFoundAndWritesNothing)
{
    verify(GetParam().order, GetParam().operators, true);
    EXPECT_TRUE(list.lines().empty());
    EXPECT_EQ(Found, !GetParam().lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Hits, VerifierShapes,
                         testing::Values(ShapeCase{{1, 4, 3, 2},
                                                   {2, 2, 2},
                                                   {"(( 1x 4)x 3)x 2=24", "( 1x 4)x( 3x 2)=24", "( 1x( 4x 3))x 2=24",
                                                    " 1x(( 4x 3)x 2)=24", " 1x( 4x( 3x 2))=24"}},
                                         // 8/(3-8/3) comes out as 23.99999999999999 and still counts.
                                         ShapeCase{{8, 3, 8, 3}, {3, 1, 3}, {" 8/( 3-( 8/ 3))=24"}},
                                         ShapeCase{{10, 10, 4, 4}, {2, 1, 3}, {"(( 10x 10)- 4)/ 4=24"}},
                                         ShapeCase{{6, 4, 1, 0},
                                                   {2, 2, 0},
                                                   {"(( 6x 4)x 1)+ 0=24", "( 6x 4)x( 1+ 0)=24", "( 6x( 4x 1))+ 0=24",
                                                    " 6x(( 4x 1)+ 0)=24", " 6x( 4x( 1+ 0))=24"}},
                                         ShapeCase{{-4, -6, 1, 1},
                                                   {2, 2, 2},
                                                   {"((-4x-6)x 1)x 1=24", "(-4x-6)x( 1x 1)=24", "(-4x(-6x 1))x 1=24",
                                                    "-4x((-6x 1)x 1)=24", "-4x(-6x( 1x 1))=24"}},
                                         // Dividing by a zero card goes on with 1e31 and misses.
                                         ShapeCase{{24, 0, 0, 0}, {3, 0, 0}, {}},
                                         ShapeCase{{1, 1, 1, 1}, {2, 2, 2}, {}}));

// With large cards both sides of the tolerance come close to it: rounding
// moves a value of exactly 24 by nearly 1e-10, and a value that is not 24
// comes within about 1e-9.
INSTANTIATE_TEST_SUITE_P(Tolerance, VerifierShapes,
                         testing::Values(
                             // 24 exactly, but 32609/1019 rounds: the value comes out 8.5e-11 above.
                             ShapeCase{{24456, 32609, 1019, 32}, {2, 3, 1}, {" 24456x(( 32609/ 1019)- 32)=24"}},
                             // 24+1/(32x35) and 24+1/(32767x32764) miss by 8.9e-4 and 9.3e-10.
                             ShapeCase{{24, 1, 32, 35}, {0, 3, 2}, {}},
                             ShapeCase{{24, 1, 32767, 32764}, {0, 3, 2}, {}}));

TEST_F(VerifierTest, FoundSetOnEntryDoesNotStopAnswerMode)
{
    Found = true;
    verify({1, 4, 3, 2}, {2, 2, 2}, false);
    EXPECT_EQ(list.count(), 5);
    EXPECT_TRUE(Found);
}

TEST_F(VerifierTest, WritesTheOperatorTextsAsTheyStand)
{
    OpSym = {" plus ", " minus ", " times ", " over "};
    verify({10, 10, 4, 4}, {2, 1, 3}, false);
    EXPECT_EQ(list.lines(), Lines{"(( 10 times  10) minus  4) over  4=24"});

    // Far too long to be a line: refused, never written past its buffer.
    const std::string tooLong(200, 'x');
    OpSym[2] = tooLong;
    EXPECT_THROW(verify({1, 4, 3, 2}, {2, 2, 2}, false), std::length_error);
    EXPECT_EQ(list.count(), 1);
}

struct UnknownOperatorCase {
    Hand order;
    Operators operators;
    bool hits;
};

void PrintTo(const UnknownOperatorCase& c, std::ostream* os)
{
    PrintTo(c.order, c.operators, os);
}

class VerifierUnknownOperator : public VerifierTest, public testing::WithParamInterface<UnknownOperatorCase> {};

// An index outside 0 to 3 acts as an operator that yields 0; only writing a
// line needs its text, and that lookup fails.
TEST_P(VerifierUnknownOperator, FailsOnlyWhenAHitNeedsItsText)
{
    const auto& [order, operators, hits] = GetParam();
    if (hits)
        EXPECT_THROW(verify(order, operators, false), std::out_of_range);
    else
        EXPECT_NO_THROW(verify(order, operators, false));
    EXPECT_TRUE(list.lines().empty());

    EXPECT_NO_THROW(verify(order, operators, true));
    EXPECT_EQ(Found, hits);
}

INSTANTIATE_TEST_SUITE_P(Indices, VerifierUnknownOperator,
                         testing::Values(UnknownOperatorCase{{5, 5, 12, 12}, {9, 0, 0}, true},  // ((5?5)+12)+12
                                         UnknownOperatorCase{{5, 5, 12, 12}, {-1, 0, 0}, true},
                                         UnknownOperatorCase{{12, 12, 5, 5}, {0, 0, 7}, true},  // (12+12)+(5?5)
                                         UnknownOperatorCase{{1, 1, 1, 1}, {9, 0, 0}, false}));

}  // namespace
}  // namespace quartet
