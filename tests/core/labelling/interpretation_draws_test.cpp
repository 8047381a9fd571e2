// The draws of a labelling attempt, checked 64 at a time or through the kept verdicts of a
// small alphabet, against the plain reading: draw, check every rule, repeat. The kinds found and
// the generator afterwards must be exactly the same.
#include <random>

#include "core/labelling/label_words.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;

// The plain reading of an attempt's draws on p's WorkTable.
bool ReferenceDraws(Prover& p, std::array<std::uint8_t, kMaxSymbols + 1>& kinds) {
  const RuleTable& work = p.WorkTable;
  const bool quasi = p.QuasiModelMode != 0;
  for (int draw = 0; draw < 10000; ++draw) {
    for (int s = 1; s <= work.symbolCount; ++s)
      kinds[s] = static_cast<std::uint8_t>(p.RandomBelow(quasi ? 3 : 4));
    bool passed = true;
    for (int r = 1; r <= work.ruleCount && passed; ++r) {
      passed = RuleMapsPass(WordMap(work.lhs[r], kinds.data()), WordMap(work.rhs[r], kinds.data()),
                            quasi);
    }
    if (passed) return true;
  }
  return false;
}

void RandomWork(std::mt19937& rng, RuleTable& t, int maxSymbols) {
  t.symbolCount = static_cast<int>(rng() % (maxSymbols + 1));
  t.ruleCount = t.symbolCount == 0 ? 0 : static_cast<int>(rng() % 12);
  for (int r = 1; r <= t.ruleCount; ++r) {
    t.strict[r] = 1;
    for (Word* w : {&t.lhs[r], &t.rhs[r]}) {
      const int length = static_cast<int>(rng() % 8);
      for (int i = 0; i < length; ++i)
        (*w)[i] = static_cast<Symbol>(1 + rng() % t.symbolCount);
      (*w)[length] = 0;
    }
  }
}

TEST(InterpretationDraws, AgreeWithOneDrawAfterTheOther) {
  auto p = MakeProver();
  auto reference = MakeProver();
  std::mt19937 rng(31);
  int found = 0, exhausted = 0;
  for (int iteration = 0; iteration < 300; ++iteration) {
    RandomWork(rng, p->WorkTable, 12);
    reference->WorkTable = p->WorkTable;
    p->QuasiModelMode = reference->QuasiModelMode = rng() % 2 == 0 ? 1 : 0;
    p->RandomSeed = reference->RandomSeed = static_cast<std::uint32_t>(rng());
    p->DrawFailHint = static_cast<std::int32_t>(rng() % 14); // any hint, even out of range
    // Half of the time with the kept verdicts of a small alphabet, as LabelSearch sets them.
    const int range = p->QuasiModelMode != 0 ? 3 : 4;
    int size = 1;
    for (int s = 1; s <= p->WorkTable.symbolCount && size <= Prover::kMaxDrawVerdicts; ++s)
      size *= range;
    p->DrawVerdicts.size = 0;
    if (rng() % 2 == 0 && size <= Prover::kMaxDrawVerdicts) {
      p->DrawVerdicts.verdict.fill(0);
      p->DrawVerdicts.size = size;
      p->DrawVerdicts.quasi = p->QuasiModelMode;
    }
    // Several attempts in a row on the same system, as LabelSearch makes them.
    for (int attempt = 0; attempt < 3; ++attempt) {
      std::array<std::uint8_t, kMaxSymbols + 1> kinds{}, expected{};
      const bool passed = p->DrawInterpretation(kinds);
      ASSERT_EQ(passed, ReferenceDraws(*reference, expected)) << iteration;
      ASSERT_EQ(p->RandomSeed, reference->RandomSeed) << iteration;
      if (passed) {
        ASSERT_EQ(kinds, expected) << iteration;
      }
      found += passed ? 1 : 0;
      exhausted += passed ? 0 : 1;
    }
  }
  EXPECT_GT(found, 300);
  EXPECT_GT(exhausted, 10);
}

} // namespace
} // namespace selko
