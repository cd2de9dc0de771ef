#include "game/Dealer.h"
#include "game/RandomSource.h"

#include <benchmark/benchmark.h>

namespace {

// One whole deal, all candidate hands until a solvable one, without widgets.
void BM_Deal(benchmark::State& state)
{
    const auto maxVal = static_cast<std::int16_t>(state.range(0));
    quartet::Solver solver;
    quartet::VectorResultList list;
    quartet::ClockRandomSource random;
    for (auto _ : state) {
        quartet::deal(solver, list, random, maxVal);
        benchmark::DoNotOptimize(solver.Card);
    }
}
BENCHMARK(BM_Deal)->Arg(13)->Arg(98)->Arg(32767)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
