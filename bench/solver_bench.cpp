// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Solver.h"

#include <benchmark/benchmark.h>

namespace {

using quartet::Hand;

// One whole search per iteration, as the answer button or one deal attempt
// runs it. The enumerator clears the list itself at the start of each run.
void runAnswer(benchmark::State& state, const Hand& hand)
{
    quartet::VectorResultList list;
    for (auto _ : state) {
        quartet::listSolutions(hand, list);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = list.count();
}

void runCheckOnly(benchmark::State& state, const Hand& hand)
{
    quartet::VectorResultList list;
    for (auto _ : state) {
        // Not const: newer Google Benchmark deprecates DoNotOptimize on a const value.
        bool found = quartet::hasSolution(hand, list);
        benchmark::DoNotOptimize(found);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = list.count();
}

void BM_Answer_1_2_3_4(benchmark::State& state)
{
    runAnswer(state, {1, 2, 3, 4});
}

void BM_CheckOnly_1_2_3_4(benchmark::State& state)
{
    runCheckOnly(state, {1, 2, 3, 4});
}

// An unsolvable hand: the case the dealer repeats until a hand comes up solvable.
void BM_CheckOnly_1_1_1_1(benchmark::State& state)
{
    runCheckOnly(state, {1, 1, 1, 1});
}

}  // namespace

// The minimum time is set here: the flag's form differs between versions of
// Google Benchmark.
BENCHMARK(BM_Answer_1_2_3_4)->Unit(benchmark::kMicrosecond)->MinTime(2);
BENCHMARK(BM_CheckOnly_1_2_3_4)->Unit(benchmark::kMicrosecond)->MinTime(2);
BENCHMARK(BM_CheckOnly_1_1_1_1)->Unit(benchmark::kMicrosecond)->MinTime(2);

BENCHMARK_MAIN();
