// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace quartet {

// Where the dealer's card values come from: single-precision values,
// uniform in [0, 1). Tests hand in fixed sequences.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual float next() = 0;
};

// The program's random source: a Mersenne Twister reseeded from the
// high-resolution clock, so that every deal starts afresh.
class ClockRandomSource final : public RandomSource {
public:
    void reseed() override;
    float next() override;

private:
    std::mt19937 m_engine;
};

// A random source for repeatable deals: seeded once, its reseed keeps the
// sequence going, so that the same seed gives the same hands deal after deal.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed) : m_engine(seed) {}

    void reseed() override {}
    float next() override;

private:
    std::mt19937 m_engine;
};

}  // namespace quartet
