// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/RandomSource.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace quartet::test {

// Hands out a fixed sequence of random values and counts reseeds.
class FixedRandomSource final : public RandomSource {
public:
    explicit FixedRandomSource(std::vector<float> values = {}) : m_values(std::move(values)) {}

    void reseed() override { ++reseeds; }
    float next() override
    {
        if (drawn == m_values.size())
            throw std::logic_error("the fixed random sequence ran out");
        return m_values[drawn++];
    }

    // The value that makes the dealer draw `card` when the largest value is maxVal.
    static float valueFor(int card, int maxVal)
    {
        return (static_cast<float>(card) - 0.5f) / static_cast<float>(maxVal);
    }

    int reseeds = 0;
    std::size_t drawn = 0;

private:
    std::vector<float> m_values;
};

}  // namespace quartet::test
