// Labelling benchmarks: a whole search that never makes progress, and the draw-and-check loop.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

// Ten symbols on a ring; every neighbouring pair may be swapped both ways. Every labelled rule
// has its inverse in the labelled system, so no rule is ever removed and no order applies: each
// attempt of the search runs the removal loop and the path order to the end without progress.
std::vector<std::string> SwapRing() {
  std::vector<std::string> rules;
  for (int i = 0; i < 10; ++i) {
    const std::string a = "s" + std::to_string(i);
    const std::string b = "s" + std::to_string((i + 1) % 10);
    rules.push_back(a + " " + b + " -> " + b + " " + a);
    rules.push_back(b + " " + a + " -> " + a + " " + b);
  }
  return rules;
}

// A chain a1 -> a2 -> ... -> a15: a model only when all fifteen kinds agree, so an attempt
// draws its 10,000 interpretations and ends without running any removal.
std::vector<std::string> Chain() {
  std::vector<std::string> rules;
  for (int i = 1; i < 15; ++i) {
    rules.push_back("a" + std::to_string(i) + " -> a" + std::to_string(i + 1));
  }
  return rules;
}

void BM_LabelBothWaysWithoutProgress(benchmark::State& state) {
  auto p = testing::MakeProver();
  const auto rules = SwapRing();
  p->Options.remLabels = true;
  std::int64_t attempts = 0;
  for (auto _ : state) {
    testing::FillTable(p->WorkTable, rules);
    p->Proved = 0;
    p->LabelProgress = 0;
    p->ProvedByRpo = 1;
    p->AttemptBudget = static_cast<std::int32_t>(state.range(0));
    p->LabelBothWays();
    if (p->LabelProgress != 0 || p->Proved != 0) state.SkipWithError("an attempt made progress");
    attempts += 4 * state.range(0);
  }
  state.counters["attempts/s"] =
      benchmark::Counter(static_cast<double>(attempts), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LabelBothWaysWithoutProgress)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_DrawsWithoutAModel(benchmark::State& state) {
  auto p = testing::MakeProver();
  testing::FillTable(p->WorkTable, Chain());
  std::int64_t draws = 0;
  for (auto _ : state) {
    p->QuasiModelMode = 0;
    p->LabelOnce();
    benchmark::DoNotOptimize(p->LabelProgress);
    draws += 10000;
  }
  state.counters["draws/s"] =
      benchmark::Counter(static_cast<double>(draws), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawsWithoutAModel)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace selko
