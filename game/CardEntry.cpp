// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CardEntry.h"

#include "numbers/NumberText.h"

#include <algorithm>
#include <stdexcept>

namespace quartet {

void CardEntry::specify(Hand& Card)
{
    clear();
    Card.fill(0);
}

void CardEntry::clear()
{
    for (auto& slot : m_slots)
        slot.clear();
}

void CardEntry::press(std::int16_t Index, Hand& Card, ResultList& list)
{
    if (Index < 0 || Index >= kCardValues)
        throw std::out_of_range("card-value button index out of range");

    list.clear();
    const auto value = static_cast<std::int16_t>(Index + 1);
    const std::string text = numberText(value);

    const auto empty =
        std::find_if(m_slots.begin(), m_slots.end(), [](const std::string& slot) { return slot.empty(); });
    if (empty != m_slots.end()) {
        *empty = text;
        Card[static_cast<std::size_t>(empty - m_slots.begin())] = value;
        return;
    }

    std::shift_left(m_slots.begin(), m_slots.end(), 1);
    m_slots.back() = text;
    for (std::size_t k = 0; k < m_slots.size(); ++k)
        Card[k] = readEnteredNumber(m_slots[k]).value();
}

}  // namespace quartet
