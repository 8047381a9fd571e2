// Loop search on systems that fill the ancestor table, and the path order with erasure on a
// large system that fails.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::MakeProver;

// `count` rules over `symbols` one-letter names, sides of 1 to `longest` symbols, drawn by a
// fixed linear congruential generator so that every run measures the same system.
std::vector<std::string> RandomRules(int count, int symbols, int longest, std::uint32_t seed) {
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
  };
  auto side = [&](int n) {
    std::string text;
    for (int k = 0; k < n; ++k)
      text += " s" + std::to_string(1 + next(symbols));
    return text;
  };
  std::vector<std::string> rules;
  for (int r = 0; r < count; ++r) {
    const int l = 1 + next(longest);
    const int rr = 1 + next(longest);
    rules.push_back(side(l) + " ->" + side(rr));
  }
  return rules;
}

void RunLoopSearch(benchmark::State& state, const std::vector<std::string>& rules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  for (auto _ : state) {
    p->LoopFound = 0;
    p->LogCount = 0;
    p->LoopSearch();
    benchmark::DoNotOptimize(p->LastAncestors.count);
  }
  state.counters["strings"] = p->LastAncestors.count;
  state.counters["loop"] = p->LoopFound;
}

// Three rules over three symbols whose ancestors fill the table in a few passes; no loop.
void BM_LoopSearchThreeRules(benchmark::State& state) {
  RunLoopSearch(state, {"a b -> b b a", "b c -> c c b", "c a -> a a c"});
}
BENCHMARK(BM_LoopSearchThreeRules)->Unit(benchmark::kMicrosecond);

// Forty rules over four symbols: the table fills at once and every pass walks 40 rules.
void BM_LoopSearchFortyRules(benchmark::State& state) {
  RunLoopSearch(state, RandomRules(40, 4, 5, 7));
}
BENCHMARK(BM_LoopSearchFortyRules)->Unit(benchmark::kMicrosecond);

// Two hundred rules over twenty symbols: every attempt fails, so all 2 * 21 attempts run.
void BM_ProveByRpoWithErasureFails(benchmark::State& state) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, RandomRules(200, 20, 6, 11));
  for (auto _ : state) {
    p->Proved = 0;
    p->ProveByRpoWithErasure();
    benchmark::DoNotOptimize(p->PrecedenceText.size());
  }
  state.counters["proved"] = p->Proved;
  state.counters["symbols"] = p->CurrentTable.symbolCount;
}
BENCHMARK(BM_ProveByRpoWithErasureFails)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace selko
