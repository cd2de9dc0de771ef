// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Hand.h"

#include <cstdint>
#include <optional>
#include <ostream>

namespace quartet {

// --solve A B C D [--distinct] [--count]
struct SolveRequest {
    Hand hand{};
    bool distinct = false;   // one line per distinct solution
    bool countOnly = false;  // the number of lines instead of the lines
};

// --deal N [--max M] [--seed S] [--answers]
struct DealRequest {
    std::uint64_t hands = 0;
    std::int16_t maxVal = 13;
    std::optional<std::uint32_t> seed;  // none: seeded from the clock at every deal, as in the window
    bool answers = false;               // each hand followed by its distinct solutions
};

// What the commands that print instead of opening the window return: the
// program's exit status.
enum ExitStatus : int {
    Success = 0,
    NoSolution = 1,  // --solve on a hand without a solution
    Trouble = 2,     // a bad option or value, or output that could not be written
};

// Prints the lines that the window's result list shows for the hand, UTF-8,
// one per line: all of them in the order found, or one per distinct
// solution, or only their number (0 for a hand without a solution).
// NoSolution when the hand has none.
ExitStatus printSolutions(const SolveRequest& request, std::ostream& out);

// Prints solvable hands dealt as the window deals them, one per line, the
// four values separated by blanks; with answers, each followed by its
// distinct solutions, indented.
ExitStatus printDeal(const DealRequest& request, std::ostream& out);

}  // namespace quartet
