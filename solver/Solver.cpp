// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Solver.h"

#include "solver/Kernel.h"
#include "solver/ShapeVerifier.h"

namespace quartet {

namespace {

constexpr OperatorTexts OpSym{"+", "-", "x", "/"};

// The enumerator: every ordering of the card positions, then every operator
// triple, op1 outermost, each through the shape verifier. Returns Found.
bool Enumerate(const Hand& Card, bool CheckOnly, ResultList& list)
{
    bool Found = false;
    list.clear();
    clearArithmeticFlags();

    // Each level picks one of the remaining cards and fills its place with
    // the last remaining one; equal values give repeated orderings.
    for (int i = 0; i < 4; ++i) {
        Hand Pool1 = Card;
        Hand Order{};
        Order[0] = Pool1[i];
        Pool1[i] = Pool1[3];
        for (int j = 0; j < 3; ++j) {
            Hand Pool2 = Pool1;
            Order[1] = Pool2[j];
            Pool2[j] = Pool2[2];
            for (int k = 0; k < 2; ++k) {
                Hand Pool3 = Pool2;
                Order[2] = Pool3[k];
                Pool3[k] = Pool3[1];
                Order[3] = Pool3[0];
                const ShapeVerifier verifier(Order, OpSym);
                for (std::int16_t op1 = 0; op1 < 4; ++op1)
                    for (std::int16_t op2 = 0; op2 < 4; ++op2)
                        for (std::int16_t op3 = 0; op3 < 4; ++op3)
                            verifier.MyVerify({op1, op2, op3}, CheckOnly, Found, list);
            }
        }
    }

    throwOnArithmeticFlags();
    if (list.count() == 0 && !CheckOnly)
        list.append(kNoSolutionLine);
    return Found;
}

}  // namespace

void listSolutions(const Hand& Card, ResultList& list)
{
    Enumerate(Card, false, list);
}

std::vector<std::string> solutionLines(const Hand& Card)
{
    VectorResultList list;
    listSolutions(Card, list);
    return list.lines();
}

bool hasSolution(const Hand& Card, ResultList& list)
{
    return Enumerate(Card, true, list);
}

}  // namespace quartet
