// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Hand.h"
#include "solver/ResultList.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace quartet {

// The operator indices under test, op1, op2, op3.
using OperatorTriple = std::array<std::int16_t, 3>;

// The text of each operator index, "+", "-", "x", "/" in the search.
using OperatorTexts = std::array<std::string_view, 4>;

// The shape verifier for one ordering a, b, c, d of the hand. For an operator
// triple it evaluates the five bracketings, in this order,
//   ((a op1 b) op2 c) op3 d    (a op1 b) op2 (c op3 d)    (a op1 (b op2 c)) op3 d
//   a op1 ((b op2 c) op3 d)    a op1 (b op2 (c op3 d))
// and counts a value within 1e-10 of 24 as a hit.
//
// The steps that do not depend on all three operators (a op1 b, b op2 c,
// c op3 d and the two-step values built on them) are computed once, when the
// verifier is made, for every operator; each is the same kernel operation on
// the same operands, so every value is the double that the written
// bracketing gives.
class ShapeVerifier {
public:
    ShapeVerifier(const Hand& Order, const OperatorTexts& OpSym);

    // Answer mode: appends one solution line per hit, in shape order.
    // Check-only mode: sets Found on the first hit and stops; writes nothing.
    // An operator index outside 0 to 3 yields 0; only a line that needs its
    // text fails, with std::out_of_range.
    //
    // Inline, so that the search's loop over the operator triples pays for
    // one indirect call only.
    void MyVerify(const OperatorTriple& OpIdx, bool CheckOnly, bool& Found, ResultList& list) const
    {
        Call call{OpIdx, CheckOnly, Found, list};
        kVerifiers[verifierIndex(OpIdx)](*this, call);
    }

private:
    // Operator indices 0 to 3, and one kind for any other index, which yields 0.
    static constexpr int kOperatorKinds = 5;
    static constexpr int kOtherOperator = 4;
    using ByOperator = std::array<double, kOperatorKinds>;
    using ByTwoOperators = std::array<ByOperator, kOperatorKinds>;

    // One call's operators, mode and outputs.
    struct Call {
        const OperatorTriple& OpIdx;
        bool CheckOnly;
        bool& Found;
        ResultList& list;
    };

    static constexpr int operatorKind(std::int16_t op) { return op >= 0 && op <= 3 ? op : kOtherOperator; }

    // One verifier per operator triple, indexed op1, op2, op3 in base 5.
    static constexpr int verifierIndex(const OperatorTriple& OpIdx)
    {
        return (operatorKind(OpIdx[0]) * kOperatorKinds + operatorKind(OpIdx[1])) * kOperatorKinds
            + operatorKind(OpIdx[2]);
    }
    using Verifier = void (*)(const ShapeVerifier&, Call&);
    static constexpr int kOperatorTriples = kOperatorKinds * kOperatorKinds * kOperatorKinds;
    static const std::array<Verifier, kOperatorTriples> kVerifiers;

    template <int Op1, int Op2, int Op3>
    static void verifyShapes(const ShapeVerifier& verifier, Call& call);
    template <std::size_t... I>
    static constexpr auto makeVerifiers(std::index_sequence<I...>);
    bool onHit(int shape, Call& call) const;
    void appendSolutionLine(int shape, const OperatorTriple& OpIdx, ResultList& list) const;
    std::string_view symbol(std::int16_t operatorIndex) const;

    const Hand m_order;
    const OperatorTexts m_opSym;
    double m_a, m_b, m_c, m_d;
    ByOperator m_ab, m_bc, m_cd;
    ByTwoOperators m_abThenC;  // [op1][op2]: (a op1 b) op2 c
    ByTwoOperators m_aThenBc;  // [op1][op2]: a op1 (b op2 c)
    ByTwoOperators m_bcThenD;  // [op2][op3]: (b op2 c) op3 d
    ByTwoOperators m_bThenCd;  // [op2][op3]: b op2 (c op3 d)
};

}  // namespace quartet
