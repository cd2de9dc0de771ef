// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Dealer.h"

#include "game/RandomSource.h"
#include "solver/Solver.h"

#include <cmath>

namespace quartet {

std::int16_t drawCard(float r, std::int16_t MaxVal)
{
    // MaxVal as a float times r, plus 1, all held exactly in double.
    const double value = static_cast<double>(static_cast<float>(MaxVal)) * r + 1.0;
    return static_cast<std::int16_t>(std::floor(value));
}

DealOutcome deal(Hand& Card, ResultList& list, RandomSource& random, std::int16_t MaxVal)
{
    if (MaxVal < kSmallestDealableMaxVal)
        return DealOutcome::MaxValTooSmall;

    random.reseed();
    do {
        for (auto& card : Card)
            card = drawCard(random.next(), MaxVal);
    } while (!hasSolution(Card, list));
    return DealOutcome::Dealt;
}

}  // namespace quartet
