// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Solver.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quartet::test {

// A solution line read back as arithmetic, independently of how the solver
// writes it: "x" is multiplication, a number may carry a leading space or
// minus sign, and every operator joins exactly two operands.
struct ParsedLine {
    double value = 0.0;      // evaluated in double, innermost bracket first
    std::vector<int> cards;  // card values, left to right
    std::string operators;   // operator symbols, left to right
    int shape = 0;           // bracket shape 1 to 5, 0 for any other bracketing
};

// Returns nothing unless the text is a complete "<expression>=24".
std::optional<ParsedLine> parseSolutionLine(std::string_view line);

// The position of a line in the order the search writes lines: ordering of
// the card positions first, then op1, op2, op3, then the shape. Meaningful
// only for a hand of four different values, where each line has its own key.
// Returns -1 when the line's cards are not an ordering of the hand.
int searchOrderKey(const Hand& hand, const ParsedLine& line);

}  // namespace quartet::test
