// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Dealer.h"
#include "game/RandomSource.h"

#include <benchmark/benchmark.h>

namespace {

// One whole deal, all candidate hands until a solvable one, without widgets.
void BM_Deal(benchmark::State& state)
{
    const auto maxVal = static_cast<std::int16_t>(state.range(0));
    quartet::Hand hand{};
    quartet::VectorResultList list;
    quartet::ClockRandomSource random;
    for (auto _ : state) {
        // Not const: newer Google Benchmark deprecates DoNotOptimize on a const value.
        quartet::DealOutcome outcome = quartet::deal(hand, list, random, maxVal);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(hand);
    }
}
BENCHMARK(BM_Deal)->Arg(13)->Arg(98)->Arg(32767)->Unit(benchmark::kMicrosecond)->MinTime(2);

}  // namespace

BENCHMARK_MAIN();
