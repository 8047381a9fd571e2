// The engine's match-bound construction and its check: small and corpus-sized successes,
// non-terminating systems up to a transition limit, and checking a large automaton.
#include <benchmark/benchmark.h>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/check/match_bound_check.hpp"
#include "engine/corpus_testing.hpp"

namespace selko::engine {
namespace {

Problem Corpus(const std::string& name) { return testing::ReadCorpusProblem(name); }

// Rules in the TPDB notation, e.g. {"a b -> b a"}.
Problem Rules(const std::vector<std::string>& rules) {
  std::string text = "(RULES ";
  for (std::size_t i = 0; i < rules.size(); ++i)
    text += (i > 0 ? ", " : "") + rules[i];
  return testing::ParseTpdbRules(text + ")");
}

// Runs FindMatchBound once per iteration; reports the outcome and the automaton's size.
void Find(benchmark::State& state, const Problem& problem, const BoundLimits& limits = {}) {
  std::size_t transitions = 0;
  bool found = false;
  for (auto _ : state) {
    const std::optional<MatchBound> m = FindMatchBound(problem, Deadline::After(60), limits);
    found = m.has_value();
    transitions = m ? m->transitions.size() : 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found;
  state.counters["transitions"] = static_cast<double>(transitions);
}

void BM_Find_SwapAB(benchmark::State& state) { Find(state, Rules({"a b -> b a"})); }
void BM_Find_AABBToBBBAAA(benchmark::State& state) {
  Find(state, Rules({"a a b b -> b b b a a a"}));
}
// 99 rules with sides of 20 letters: about 9000 transitions.
void BM_Find_Corpus0024(benchmark::State& state) { Find(state, Corpus("std-0024")); }
// 45 rules over 6 letters, reversed: the largest automaton within the fixed prover's limit.
void BM_Find_Corpus0137Reversed(benchmark::State& state) {
  Find(state, Corpus("std-0137").Reversed());
}
// 180 rules over 6 letters with sides of 16 letters, reversed: some 57000 transitions.
void BM_Find_Corpus0123Reversed(benchmark::State& state) {
  Find(state, Corpus("std-0123").Reversed());
}
void BM_GiveUp_SelfEmbedding(benchmark::State& state) {
  BoundLimits limits;
  limits.maxTransitions = static_cast<std::uint32_t>(state.range(0));
  Find(state, Rules({"a b -> b a b"}), limits);
}
void BM_GiveUp_SwapBothWays(benchmark::State& state) {
  BoundLimits limits;
  limits.maxTransitions = static_cast<std::uint32_t>(state.range(0));
  Find(state, Rules({"a b -> b a", "b a -> a b"}), limits);
}

void Check(benchmark::State& state, const Problem& problem) {
  const std::optional<MatchBound> m = FindMatchBound(problem, Deadline::After(60));
  if (!m) {
    state.SkipWithError("no match bound found");
    return;
  }
  for (auto _ : state) {
    std::string why;
    benchmark::DoNotOptimize(CheckMatchBound(problem, *m, why));
  }
}
void BM_Check_Corpus0024(benchmark::State& state) { Check(state, Corpus("std-0024")); }
void BM_Check_Corpus0123Reversed(benchmark::State& state) {
  Check(state, Corpus("std-0123").Reversed());
}

BENCHMARK(BM_Find_SwapAB);
BENCHMARK(BM_Find_AABBToBBBAAA);
BENCHMARK(BM_Find_Corpus0024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Corpus0137Reversed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Corpus0123Reversed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiveUp_SelfEmbedding)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiveUp_SwapBothWays)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check_Corpus0024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check_Corpus0123Reversed)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace selko::engine
