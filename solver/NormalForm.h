// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quartet {

// When two solution lines are the same solution. Every expression is brought
// into a normal form: nested + and - become one sum of signed terms
// (a-(b-c) is a-b+c), nested x and / one product of factors, each multiplied
// or divided by (a/(b/c) is a/b x c), and the terms of every sum and the
// factors of every product are sorted. Lines whose expressions have the same
// normal form are the same solution; no other arithmetic is applied, so
// 2x(3+3) and 2x3+2x3 stay apart.

// The normal form of a solution line as written by the solver, e.g.
// "8/(3-8/3)" for " 8/( 3-( 8/ 3))=24" and "1x2x3x4" for every bracketing and
// ordering of 1 x 2 x 3 x 4. Sorted terms come first added, then subtracted
// (factors: multiplied, then divided), each group in the order of its text.
// Nothing for a text that is not a solution line.
std::optional<std::string> normalForm(std::string_view line);

// One line for each distinct solution among lines: the first line found of
// each normal form, in the order found. A line that is not a solution line
// (the no-solution line) is kept once, as it stands.
std::vector<std::string> distinctSolutions(const std::vector<std::string>& lines);

}  // namespace quartet
