// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/RandomSource.h"

#include <chrono>

namespace quartet {

namespace {

// The top 24 bits make a float mantissa exactly, so 1.0 can never come up.
float unitFloat(std::mt19937& engine)
{
    constexpr float kScale = 1.0f / 16777216.0f;
    return static_cast<float>(engine() >> 8) * kScale;
}

}  // namespace

void ClockRandomSource::reseed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937::result_type>(ticks));
}

float ClockRandomSource::next()
{
    return unitFloat(m_engine);
}

float SeededRandomSource::next()
{
    return unitFloat(m_engine);
}

}  // namespace quartet
