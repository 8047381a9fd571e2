// MatchBoundProof: systems that run into the 800-transition limit, and successes with small and
// large automata.
#include <benchmark/benchmark.h>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using Lines = std::vector<std::string>;

// Runs MatchBoundProof on the system in WorkTable once per iteration; reports the outcome and
// the number of transitions printed.
void ProveRepeatedly(benchmark::State& state, Prover& p) {
  int transitions = 0;
  int proved = 0;
  for (auto _ : state) {
    p.Proved = 0;
    p.LogCount = 0;
    p.MatchBoundProof();
    benchmark::DoNotOptimize(p.Proved);
    proved = p.Proved;
    transitions = p.LogCount > 4 ? p.LogCount - 4 : 0;
  }
  state.counters["proved"] = proved;
  state.counters["transitions"] = transitions;
}

void FromRules(benchmark::State& state, const Lines& rules) {
  auto p = testing::MakeProver();
  testing::FillTable(p->WorkTable, rules);
  ProveRepeatedly(state, *p);
}

// ---- give up at the transition limit
// -------------------------------------------------------------

void BM_GiveUp_SelfEmbedding(benchmark::State& state) { FromRules(state, {"a b -> b a a b"}); }
void BM_GiveUp_SwapBothWays(benchmark::State& state) {
  FromRules(state, {"a b -> b a", "b a -> a b"});
}
void BM_GiveUp_Sorting(benchmark::State& state) {
  FromRules(state, {"b a -> a b", "c b -> b c", "c a -> a c"});
}
void BM_GiveUp_Doubling(benchmark::State& state) { FromRules(state, {"a b b -> b b a a"}); }
void BM_GiveUp_ManySweeps(benchmark::State& state) { FromRules(state, {"a b c -> b c a b c"}); }

// ---- successes
// -----------------------------------------------------------------------------------

void BM_Prove_SwapAB(benchmark::State& state) { FromRules(state, {"a b -> b a"}); }
void BM_Prove_AABBToBBBAAA(benchmark::State& state) {
  FromRules(state, {"a a b b -> b b b a a a"});
}
// Problem std-0137 of the benchmark corpus (45 rules over 6 symbols), reversed: 784 transitions.
void BM_Prove_Corpus0137Reversed(benchmark::State& state) {
  auto p = testing::MakeProver();
  testing::FillTable(
      p->WorkTable,
      {"a b c -> a a c b",         "a b c -> a c b d",         "a b c -> a c d b",
       "a b f -> a f b b a a",     "a d c -> a a c d",         "a d c -> a c d b",
       "a d f -> a a f d",         "a f g -> a a f b g",       "c a b -> a c b b",
       "c f b -> a f c d b",       "f d c -> f c d b",         "a b a b -> a a d b b",
       "a b a c -> a a c b b b",   "a b f c -> a f c b b",     "a d c f -> a f c d a",
       "a d f c -> a f c d b",     "a d g c -> a c b d g",     "a f g d -> a a f d g",
       "a g d f -> a f d d g",     "a g f c -> a f c b g",     "c a d b -> a d c b b",
       "c c f b -> f c c d b",     "c d f d -> c d a f d d",   "c f b b -> c a f b b",
       "c f b d -> a f d c b",     "c f d c -> c a f c d",     "c g f d -> a f c d g",
       "f c a d -> c d a f d",     "f d f d -> f d a f d",     "a b g d c -> a g a d c b",
       "a b g f c -> g c b a f d", "a b g f g -> a f b c g g", "a c c f d -> c a f d a c",
       "a d a f g -> g a a f d c", "a d c f d -> a f d d f c", "a f c g f -> a f c b g f",
       "a g d c b -> a c d b d g", "a g f b f -> f a f b g a", "c f b g d -> a f b d g c",
       "c f c a b -> c b b c a f", "c g d f b -> g b a f d c", "f a b g f -> f a a f b g",
       "f d a c d -> a f c d b d", "f f b c d -> a f f c d b", "f g b a c -> b a f c b g"});
  p->CommitWork();
  p->ReverseSystem();
  p->ReloadWork();
  ProveRepeatedly(state, *p);
}

// A start automaton of 799 transitions completed by one chain of 19: 818 transitions.
void BM_Prove_LongChains(benchmark::State& state) {
  Lines rules = {"a -> b b b b b b b b b b b b b b b b b b b", "c -> a"};
  for (int i = 0; i < 40; ++i)
    rules.push_back("c -> d d d d d d d d d d d d d d d d d d d");
  rules.push_back("c -> d d d d d d d d d d d d d d d d d d");
  FromRules(state, rules);
}

BENCHMARK(BM_GiveUp_SelfEmbedding);
BENCHMARK(BM_GiveUp_SwapBothWays);
BENCHMARK(BM_GiveUp_Sorting);
BENCHMARK(BM_GiveUp_Doubling);
BENCHMARK(BM_GiveUp_ManySweeps);
BENCHMARK(BM_Prove_SwapAB);
BENCHMARK(BM_Prove_AABBToBBBAAA);
BENCHMARK(BM_Prove_Corpus0137Reversed);
BENCHMARK(BM_Prove_LongChains);

} // namespace
} // namespace selko
