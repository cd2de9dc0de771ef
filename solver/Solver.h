#pragma once

#include "solver/ResultList.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quartet {

// The hand: four card values, position 0 to 3.
using Hand = std::array<std::int16_t, 4>;

// The line written when no arrangement of the hand reaches 24.
inline constexpr std::string_view kNoSolutionLine = "此组合无法形成24点";

// The exhaustive solver. For every ordering of the four cards (24), every
// choice of three operators (64) and five bracket shapes it tests whether
// the value is 24 within a tolerance, and writes each hit as one line, in
// the order found, repeats included. Nothing is pruned: the search relies on
// being cheap rather than on early exits.
//
// The state is public because the dealer drives it directly: it sets
// CheckOnly for the length of a deal, and clears and reads Found.
class Solver {
public:
    Hand Card{};                          // the hand under search
    std::array<std::string, 4> OpSym{};   // operator texts, filled by every search
    std::array<std::int16_t, 4> Order{};  // the ordering under test: a, b, c, d
    std::array<std::int16_t, 3> OpIdx{};  // the operators under test: op1, op2, op3
    bool CheckOnly = false;               // only set Found, write no line
    bool Found = false;                   // set on a hit in check-only mode

    // One complete search over Card: clears the list, then appends every
    // solution line, or the no-solution line. In check-only mode it writes
    // nothing and sets Found when the hand is solvable.
    void Enumerate(ResultList& list);

    // Tests the five bracket shapes of Order under OpIdx.
    void MyVerify(ResultList& list);

private:
    // Operator indices 0 to 3, and one kind for any other index.
    static constexpr int kOperatorKinds = 5;
    using ByOperator = std::array<double, kOperatorKinds>;
    using ByTwoOperators = std::array<ByOperator, kOperatorKinds>;

    // Values of one ordering that many operator triples share, each computed
    // once: a op1 b, b op2 c, c op3 d, and the four two-step values built on them.
    struct SharedValues {
        double a, b, c, d;
        ByOperator ab, bc, cd;
        ByTwoOperators abThenC;  // [op1][op2]: (a op1 b) op2 c
        ByTwoOperators aThenBc;  // [op1][op2]: a op1 (b op2 c)
        ByTwoOperators bcThenD;  // [op2][op3]: (b op2 c) op3 d
        ByTwoOperators bThenCd;  // [op2][op3]: b op2 (c op3 d)
    };

    void shareValuesOfOrder();
    template <int Op1, int Op2, int Op3>
    void verifyShapes(ResultList& list);
    template <std::size_t... I>
    static constexpr auto makeVerifierTable(std::index_sequence<I...>);
    void verify(ResultList& list);
    bool onHit(int shape, ResultList& list);
    void appendSolutionLine(int shape, ResultList& list) const;
    const std::string& symbol(int operand) const;

    SharedValues m_shared{};
};

}  // namespace quartet
