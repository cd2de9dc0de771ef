// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Hand.h"
#include "solver/ResultList.h"

#include <string>
#include <string_view>
#include <vector>

namespace quartet {

// The line written when no arrangement of the hand reaches 24.
inline constexpr std::string_view kNoSolutionLine = "此组合无法形成24点";

// The exhaustive solver. For every ordering of the four cards (24), every
// choice of three operators (64) and five bracket shapes it tests whether
// the value is 24 within a tolerance. Nothing is pruned: the search relies
// on being cheap rather than on early exits. Both searches clear the list
// first. An arithmetic error (see Kernel.h) ends a search with an exception.

// Answer mode: appends every solution line of the hand, in the order found,
// repeats included; or the no-solution line when there is none.
void listSolutions(const Hand& Card, ResultList& list);

// The lines that listSolutions writes for the hand, in a list of their own.
std::vector<std::string> solutionLines(const Hand& Card);

// Check-only mode: whether some arrangement of the hand reaches 24. Writes
// nothing into the list.
[[nodiscard]] bool hasSolution(const Hand& Card, ResultList& list);

}  // namespace quartet
