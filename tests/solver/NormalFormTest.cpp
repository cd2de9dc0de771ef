// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/NormalForm.h"
#include "solver/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quartet {
namespace {

using Lines = std::vector<std::string>;

struct LinePair {
    const char* first;
    const char* second;
    bool same;
};

TEST(NormalForm, MergesWhatTheRuleMakesEqualAndKeepsTheRestApart)
{
    const LinePair pairs[] = {
        // a-(b-c) is a-b+c, also when c is a product
        {" 13-( 1-( 6x 2))=24", "( 13- 1)+( 6x 2)=24", true},
        // a/(b/c) is a/b x c
        {" 6/(( 1/ 4)x 1)=24", "(( 6x 4)/ 1)/ 1=24", true},
        // any order of the terms and factors, any bracketing of one operator
        {"( 1+ 3)x( 4+ 2)=24", "( 2+ 4)x( 3+ 1)=24", true},
        {"(( 1x 4)x 3)x 2=24", " 2x( 3x( 4x 1))=24", true},
        {"(( 6x 6)- 6)- 6=24", "( 6x 6)-( 6+ 6)=24", true},
        // no sign is moved between factors, no division by 1 dropped
        {"( 1- 13)x( 2- 4)=24", "( 13- 1)x( 4- 2)=24", false},
        {"(( 2/ 1)x 3)x 4=24", "(( 1x 4)x 3)x 2=24", false},
        // no distribution
        {"(( 3+ 3)x 4)x 1=24", "( 3x 4)+( 3x 4)=24", false},
        // a divisor stays a divisor wherever it stands
        {"(( 12/ 2)x 2)x 2=24", "(( 12x 2)/ 2)x 2=24", true},
        {"(( 12/ 2)x 2)x 2=24", "(( 12x 2)x 2)/ 2=24", true},
        {"( 12/ 2)x( 2x 2)=24", "( 12/ 2)/( 2/ 2)=24", false},
    };
    for (const auto& [first, second, same] : pairs) {
        const auto firstForm = normalForm(first);
        const auto secondForm = normalForm(second);
        ASSERT_TRUE(firstForm && secondForm) << first << " | " << second;
        EXPECT_EQ(*firstForm == *secondForm, same) << first << " -> " << *firstForm << "\n"
                                                   << second << " -> " << *secondForm;
    }
}

TEST(NormalForm, ReadsAsTheSortedExpression)
{
    EXPECT_EQ(normalForm(" 8/( 3-( 8/ 3))=24"), "8/(3-8/3)");
    EXPECT_EQ(normalForm(" 13-( 1-( 6x 2))=24"), "13+2x6-1");
    EXPECT_EQ(normalForm("( 10x 10)-( 4x 19)=24"), "10x10-19x4");
    EXPECT_EQ(normalForm("(( 0+ 1)x 8)x 3=24"), "(0+1)x3x8");
    EXPECT_EQ(normalForm("(( 5--5)x 2)+ 4=24"), "(5-(-5))x2+4");

    for (const char* other : {"此组合无法形成24点", "", "(( 1x 4)x 3)x 2", "((1x 4)x 3)x 2=24", "(( 1x 4)x 3)x 2=24 ",
                              "(( 1x 4)x 3)^ 2=24", "( 1x 4)x 3)x 2=24", "((( 1x 4)))=24"})
        EXPECT_EQ(normalForm(other), std::nullopt) << other;

    // Nesting far deeper than any solution line is refused, not followed down the stack.
    constexpr std::size_t kDepth = 100000;
    std::string deep(kDepth, '(');
    deep += " 1";
    for (std::size_t i = 0; i < kDepth; ++i)
        deep += "x 1)";
    EXPECT_EQ(normalForm(deep + "x 1=24"), std::nullopt);
}

// The first line of each normal form, in the order found.
TEST(DistinctSolutions, KeepTheFirstLineOfEachKind)
{
    EXPECT_EQ(distinctSolutions(solutionLines({6, 6, 6, 6})), Lines({"(( 6+ 6)+ 6)+ 6=24", "( 6x 6)-( 6+ 6)=24"}));
    EXPECT_EQ(distinctSolutions(solutionLines({3, 3, 8, 8})), Lines({" 8/( 3-( 8/ 3))=24"}));
    EXPECT_EQ(distinctSolutions(solutionLines({1, 2, 3, 4})),
              Lines({"(( 1x 4)x 3)x 2=24", "(( 1+ 2)+ 3)x 4=24", "( 1+ 3)x( 4+ 2)=24", "(( 2/ 1)x 3)x 4=24"}));
    EXPECT_EQ(distinctSolutions(solutionLines({1, 1, 1, 1})), Lines({std::string(kNoSolutionLine)}));

    for (const Hand hand : {Hand{1, 5, 5, 5}, Hand{2, 3, 7, 12}, Hand{4, 7, 8, 8}, Hand{1, 1, 11, 13}}) {
        const Lines all = solutionLines(hand);
        const Lines distinct = distinctSolutions(all);
        // Each line's kind is there exactly once, at its first occurrence.
        std::size_t next = 0;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto kind = [&](const std::string& line) { return normalForm(line) == normalForm(all[i]); };
            const auto first = std::find_if(all.begin(), all.end(), kind);
            EXPECT_EQ(std::count_if(distinct.begin(), distinct.end(), kind), 1) << all[i];
            if (first == all.begin() + static_cast<std::ptrdiff_t>(i)) {
                ASSERT_LT(next, distinct.size());
                EXPECT_EQ(distinct[next++], all[i]);
            }
        }
        EXPECT_EQ(next, distinct.size());
    }
}

}  // namespace
}  // namespace quartet
