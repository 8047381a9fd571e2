// The engine's loop search: whole searches on corpus problems whose loops are long (one-rule
// systems with ends of a hundred letters and more, a loop of sixty steps, a relative problem),
// and the rate of closures unfolded on a problem without loops.
#include <benchmark/benchmark.h>

#include "engine/corpus_testing.hpp"
#include "engine/loops/closure_search.hpp"
#include "engine/loops/loop_search.hpp"

namespace selko::engine {
namespace {

void FindCorpusLoop(benchmark::State& state, const char* name) {
  const Problem p = testing::ReadCorpusProblem(name);
  std::size_t steps = 0;
  std::size_t start = 0;
  for (auto _ : state) {
    const auto loop = FindLoop(p, Deadline::After(30));
    benchmark::DoNotOptimize(loop);
    steps = loop ? loop->steps.size() : 0;
    start = loop ? loop->start.size() : 0;
  }
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["start"] = static_cast<double>(start);
}

void BM_FindLoop_OneRuleLongEnd(benchmark::State& state) { FindCorpusLoop(state, "std-0397"); }
void BM_FindLoop_OneRuleStart17(benchmark::State& state) { FindCorpusLoop(state, "std-0735"); }
void BM_FindLoop_SixtySteps(benchmark::State& state) { FindCorpusLoop(state, "std-0604"); }
void BM_FindLoop_Relative(benchmark::State& state) { FindCorpusLoop(state, "rel-0098"); }
void BM_FindLoop_FortyThreeRules(benchmark::State& state) { FindCorpusLoop(state, "std-0326"); }

// Closures unfolded per second by one order of the search on a problem that has no loop
// (it does not terminate, but no derivation repeats its start).
void Unfold(benchmark::State& state, loops::Overlaps overlaps, std::size_t startWeight) {
  const Problem p = testing::ReadCorpusProblem("std-0320");
  const std::size_t budget = static_cast<std::size_t>(state.range(0));
  std::size_t expanded = 0;
  for (auto _ : state) {
    loops::ClosureSearch search(p, {overlaps, startWeight, 4}, LoopLimits{});
    while (!search.Finished() && search.Stats().expanded < budget)
      benchmark::DoNotOptimize(search.Advance(Deadline(), 256));
    expanded += search.Stats().expanded;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(expanded));
}

void BM_Unfold_Forward(benchmark::State& state) { Unfold(state, loops::Overlaps::Right, 32); }
void BM_Unfold_Overlap(benchmark::State& state) { Unfold(state, loops::Overlaps::Both, 1); }

BENCHMARK(BM_FindLoop_OneRuleLongEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLoop_OneRuleStart17)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLoop_SixtySteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLoop_Relative)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLoop_FortyThreeRules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unfold_Forward)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unfold_Overlap)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selko::engine
