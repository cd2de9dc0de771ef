// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Hand.h"
#include "solver/ResultList.h"

#include <cstdint>

namespace quartet {

class RandomSource;

// Below this largest card value no hand can reach 24 (four cards of 1 and 2
// make at most 16), so a deal would never end.
inline constexpr std::int16_t kSmallestDealableMaxVal = 3;

enum class DealOutcome { Dealt, MaxValTooSmall };

// One card value from a random r in [0, 1): 1 to MaxVal.
std::int16_t drawCard(float r, std::int16_t MaxVal);

// Deals a hand into Card: reseeds the random source, draws four cards, then
// again and again until the solver's check-only search finds the hand
// solvable. Leaves the list empty. With a MaxVal too small to give a
// solvable hand it touches nothing and says so.
[[nodiscard]] DealOutcome deal(Hand& Card, ResultList& list, RandomSource& random, std::int16_t MaxVal);

}  // namespace quartet
