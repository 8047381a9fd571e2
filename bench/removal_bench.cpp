// Speed of rule removal by interpretations on large systems, and of the weighted step on the
// largest system its guard admits. Systems come from a fixed linear congruential generator.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/prover.hpp"

namespace selko {
namespace {

struct Lcg {
  std::uint64_t state;
  int Below(int n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
  }
};

void RandomWord(Lcg& g, Word& w, int symbols, int minLength, int maxLength) {
  const int length = minLength + g.Below(maxLength - minLength + 1);
  for (int i = 0; i < length; ++i)
    w[static_cast<std::size_t>(i)] = static_cast<Symbol>(1 + g.Below(symbols));
  w[static_cast<std::size_t>(length)] = 0;
}

void Name(RuleTable& t, int symbols) {
  t.symbolCount = symbols;
  for (int s = 1; s <= symbols; ++s)
    t.names[static_cast<std::size_t>(s)] = "s" + std::to_string(s);
}

// 250 random rules and their inverses: every candidate meets a rule that increases, or finds
// nothing strict.
RuleTable FailingSystem() {
  RuleTable t;
  Lcg g{12345};
  Name(t, 40);
  t.ruleCount = 500;
  for (int r = 1; r <= 250; ++r) {
    RandomWord(g, t.lhs[r], 40, 1, 6);
    RandomWord(g, t.rhs[r], 40, 1, 6);
    t.lhs[r + 250] = t.rhs[r];
    t.rhs[r + 250] = t.lhs[r];
    t.strict[r] = t.strict[r + 250] = 1;
  }
  return t;
}

// The very last candidate of the search orients this system: read reversed, s40 the identity,
// s39 "x+1", the rest "10x". Rules x -> x s40 stop every candidate that does not make s40 the
// identity; s(y) s(y) -> s(y) s(y+1) every candidate that does not treat s1..s38 alike;
// s39 s39 s1 -> s1 s39 s39 s39 every candidate with s39 tenfold. The other rules permute
// s39 and four more symbols, oriented for the last candidate.
RuleTable LateSystem() {
  RuleTable t;
  Lcg g{777};
  Name(t, 40);
  auto value = [](const Word& w) {
    long k = 0;
    for (int p = 0; p < WordLength(w); ++p) {
      const int s = w[static_cast<std::size_t>(p)];
      if (s == 39) k += 1;
      if (s != 39 && s != 40) k *= 10;
    }
    return k;
  };
  int r = 0;
  auto add = [&](const Word& l, const Word& u) {
    ++r;
    t.lhs[static_cast<std::size_t>(r)] = l;
    t.rhs[static_cast<std::size_t>(r)] = u;
    t.strict[static_cast<std::size_t>(r)] = 1;
  };
  for (int x = 1; x <= 40; ++x)
    add(Word{static_cast<Symbol>(x)}, Word{static_cast<Symbol>(x), 40});
  for (int y = 1; y <= 38; ++y) {
    const auto s = static_cast<Symbol>(y);
    add(Word{s, s}, Word{s, static_cast<Symbol>(y % 38 + 1)});
  }
  add(Word{39, 39, 1}, Word{1, 39, 39, 39});
  while (r < 500) {
    Word w{};
    w[0] = 39;
    for (int i = 1; i < 5; ++i)
      w[static_cast<std::size_t>(i)] = static_cast<Symbol>(1 + g.Below(38));
    Word u = w;
    for (int i = 4; i > 0; --i)
      std::swap(u[static_cast<std::size_t>(i)], u[static_cast<std::size_t>(g.Below(i + 1))]);
    if (value(w) < value(u)) std::swap(w, u);
    add(w, u);
  }
  t.ruleCount = r;
  return t;
}

// 28 rules over 19 symbols: ruleCount + N = 47, the most the weighted step is tried for.
RuleTable WeightedSystem() {
  RuleTable t;
  Lcg g{4242};
  Name(t, 19);
  t.ruleCount = 28;
  for (int r = 1; r <= 28; ++r) {
    t.strict[r] = 1;
    RandomWord(g, t.lhs[r], 19, 2, 8);
    RandomWord(g, t.rhs[r], 19, 1, 7);
  }
  return t;
}

void RunRemoval(benchmark::State& state, const RuleTable& system) {
  auto p = std::make_unique<Prover>();
  p->CurrentTable = system;
  p->ReportSteps = 1;
  p->LogCount = 0;
  const bool removed = p->RemoveByInterpretation();
  std::string label =
      removed ? "removes " + std::to_string(system.ruleCount - p->CurrentTable.ruleCount)
              : "nothing removed";
  if (removed) label += "; " + p->ProofLog[1] + " " + p->ProofLog[2];
  state.SetLabel(label);
  p->ReportSteps = 0;
  for (auto _ : state) {
    p->CurrentTable.lhs = system.lhs;
    p->CurrentTable.rhs = system.rhs;
    p->CurrentTable.strict = system.strict;
    p->CurrentTable.ruleCount = system.ruleCount;
    benchmark::DoNotOptimize(p->RemoveByInterpretation());
  }
}

void BM_RemoveByInterpretation_FailsAll_500x40(benchmark::State& state) {
  RunRemoval(state, FailingSystem());
}
BENCHMARK(BM_RemoveByInterpretation_FailsAll_500x40)->Unit(benchmark::kMicrosecond);

void BM_RemoveByInterpretation_SucceedsLate_500x40(benchmark::State& state) {
  RunRemoval(state, LateSystem());
}
BENCHMARK(BM_RemoveByInterpretation_SucceedsLate_500x40)->Unit(benchmark::kMicrosecond);

void BM_RemoveByInterpretation_Weighted_28x19(benchmark::State& state) {
  RunRemoval(state, WeightedSystem());
}
BENCHMARK(BM_RemoveByInterpretation_Weighted_28x19)->Unit(benchmark::kMicrosecond);

void BM_SearchWeights_28x19(benchmark::State& state) {
  auto p = std::make_unique<Prover>();
  p->CurrentTable = WeightedSystem();
  p->ReportSteps = 0;
  state.SetLabel(p->SearchWeights() ? "succeeds" : "fails both passes");
  for (auto _ : state)
    benchmark::DoNotOptimize(p->SearchWeights());
}
BENCHMARK(BM_SearchWeights_28x19)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace selko
