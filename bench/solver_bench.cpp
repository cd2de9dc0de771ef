#include "solver/Solver.h"

#include <benchmark/benchmark.h>

namespace {

using quartet::Hand;

// One whole search per iteration, as the answer button or one deal attempt
// runs it. The enumerator clears the list itself at the start of each run.
void runSearch(benchmark::State& state, Hand hand, bool checkOnly)
{
    quartet::Solver solver;
    quartet::VectorResultList list;
    solver.Card = hand;
    solver.CheckOnly = checkOnly;
    for (auto _ : state) {
        solver.Found = false;
        solver.Enumerate(list);
        benchmark::DoNotOptimize(solver.Found);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = list.count();
}

void BM_Answer_1_2_3_4(benchmark::State& state)
{
    runSearch(state, {1, 2, 3, 4}, false);
}

void BM_CheckOnly_1_2_3_4(benchmark::State& state)
{
    runSearch(state, {1, 2, 3, 4}, true);
}

// An unsolvable hand: the case the dealer repeats until a hand comes up solvable.
void BM_CheckOnly_1_1_1_1(benchmark::State& state)
{
    runSearch(state, {1, 1, 1, 1}, true);
}

}  // namespace

BENCHMARK(BM_Answer_1_2_3_4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckOnly_1_2_3_4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckOnly_1_1_1_1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
