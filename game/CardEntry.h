// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/Hand.h"
#include "solver/ResultList.h"

#include <array>
#include <cstdint>
#include <string>

namespace quartet {

// The hand being composed from the card-value buttons: four slots whose
// captions are their content (an empty caption is an empty slot). Taken
// slots always form an unbroken run from slot 0, because slots are emptied
// all at once and filled at the lowest empty one.
class CardEntry {
public:
    using Slots = std::array<std::string, 4>;
    static constexpr int kCardValues = 13;

    // Empties the slots and sets the hand to zeros.
    void specify(Hand& Card);

    // Empties the slots only: the hand keeps its values.
    void clear();

    // The card-value button Index (value Index + 1): empties the result
    // list, then fills the lowest empty slot, or, with all four taken, drops
    // the oldest value and puts the new one last.
    void press(std::int16_t Index, Hand& Card, ResultList& list);

    const Slots& captions() const { return m_slots; }

private:
    Slots m_slots;
};

}  // namespace quartet
