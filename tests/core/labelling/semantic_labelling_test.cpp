// Semantic labelling: the random sequence, interpretations, the labelled rules of a draw, the
// checks, and the limits of the search.
#include <algorithm>

#include "core/labelling/label_words.hpp"
#include "core/labelling/labelling_test_support.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LabelledCopyOrigins;
using testing::LabelledCopyRules;
using testing::MakeProver;
using testing::NameLabels;
using testing::SeedFor;
using testing::TableRules;

std::vector<int> Draws(int range, int count) {
  auto p = MakeProver();
  std::vector<int> out;
  for (int i = 0; i < count; ++i)
    out.push_back(p->RandomBelow(range));
  return out;
}

TEST(RandomBelow, FirstDrawsAfterStart) {
  EXPECT_EQ(Draws(4, 12), (std::vector<int>{0, 0, 3, 0, 1, 2, 1, 0, 1, 1, 0, 1}));
  EXPECT_EQ(Draws(3, 12), (std::vector<int>{0, 0, 2, 0, 0, 2, 0, 0, 1, 1, 0, 1}));
}

TEST(RandomBelow, StaysInRangeAndContinuesOneSequence) {
  auto p = MakeProver();
  p->RandomBelow(4);
  const std::uint32_t afterOne = p->RandomSeed;
  EXPECT_EQ(afterOne, 1u);
  EXPECT_EQ(p->RandomBelow(3), 0);
  EXPECT_EQ(p->RandomSeed, 134775814u);
  for (int i = 0; i < 10000; ++i) {
    const int d = p->RandomBelow(3);
    ASSERT_GE(d, 0);
    ASSERT_LT(d, 3);
  }
}

TEST(Interpretation, EveryKindAtBothArguments) {
  EXPECT_EQ(Prover::ApplyInterpretation(0, 0), 0);
  EXPECT_EQ(Prover::ApplyInterpretation(0, 1), 1);
  EXPECT_EQ(Prover::ApplyInterpretation(1, 0), 0);
  EXPECT_EQ(Prover::ApplyInterpretation(1, 1), 0);
  EXPECT_EQ(Prover::ApplyInterpretation(2, 0), 1);
  EXPECT_EQ(Prover::ApplyInterpretation(2, 1), 1);
  EXPECT_EQ(Prover::ApplyInterpretation(3, 0), 1);
  EXPECT_EQ(Prover::ApplyInterpretation(3, 1), 0);
  EXPECT_EQ(Prover::ApplyInterpretation(7, 1), 0); // any other kind is the complement
}

TEST(Interpretation, WordMapsAgreeWithApplyingSymbolBySymbol) {
  // Every word over three symbols up to length 4 under every choice of kinds.
  for (int k1 = 0; k1 < 4; ++k1) {
    for (int k2 = 0; k2 < 4; ++k2) {
      for (int k3 = 0; k3 < 4; ++k3) {
        const std::uint8_t kinds[4] = {0, static_cast<std::uint8_t>(k1),
                                       static_cast<std::uint8_t>(k2),
                                       static_cast<std::uint8_t>(k3)};
        for (int code = 0; code < 81; ++code) {
          Word w{};
          int length = 0;
          for (int c = code; c > 0 && length < 4; c /= 4)
            w[length++] = static_cast<Symbol>(c % 4);
          if (std::find(w.begin(), w.begin() + length, 0) != w.begin() + length) continue;
          const unsigned m = WordMap(w, kinds);
          for (int x = 0; x <= 1; ++x) {
            int v = x;
            for (int i = length - 1; i >= 0; --i)
              v = Prover::ApplyInterpretation(kinds[w[i]], v);
            EXPECT_EQ(static_cast<int>((m >> x) & 1u), v);
            Word out{};
            EXPECT_EQ(LabelWord(w, x, kinds, 3, out), v);
          }
        }
      }
    }
  }
}

TEST(Interpretation, ModelAndQuasiModelChecks) {
  // Maps as two bits: bit x is the value at x. 0b10 identity, 0b00 constant 0, 0b11 constant 1.
  EXPECT_TRUE(RuleMapsPass(0b10, 0b10, false));
  EXPECT_FALSE(RuleMapsPass(0b11, 0b00, false));
  EXPECT_TRUE(RuleMapsPass(0b11, 0b00, true));  // left 1, right 0 passes
  EXPECT_FALSE(RuleMapsPass(0b00, 0b11, true)); // left 0, right 1 fails
  EXPECT_FALSE(RuleMapsPass(0b10, 0b11, true)); // fails at x = 0 only
  EXPECT_TRUE(RuleMapsPass(0b11, 0b10, true));
  // The empty word has the value of its argument.
  const std::uint8_t kinds[3] = {0, kConstantOne, kIdentity};
  EXPECT_EQ(WordMap(Word{}, kinds), 0b10u);
  const Word a = {1};
  EXPECT_EQ(WordMap(a, kinds), 0b11u);
}

TEST(LabelOnce, LabelledRulesOfTheDrawPConstantOneQIdentity) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"p q -> q p"});
  NameLabels(*p);
  p->RandomSeed = SeedFor({kConstantOne, kIdentity}, 4);
  p->LabelOnce();
  EXPECT_EQ(LabelledCopyRules(*p), (std::vector<std::string>{"p0 q0 -> q1 p0", "p1 q1 -> q1 p1"}));
  EXPECT_EQ(LabelledCopyOrigins(*p), (std::vector<int>{1, 1}));
  // p1 keeps p's number, p0 is p + N.
  EXPECT_EQ(p->LabelledCopy.lhs[1][0], 1 + 2);
  EXPECT_EQ(p->LabelledCopy.lhs[2][0], 1);
}

TEST(LabelOnce, AllIdentityGivesTwoCopiesUnderTheLabelledNames) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a", "b ->= ", "-> a"});
  NameLabels(*p);
  p->LabelOnce(); // the first model draw after start is all identity
  EXPECT_EQ(LabelledCopyRules(*p),
            (std::vector<std::string>{"a0 b0 -> b0 a0", "a1 b1 -> b1 a1",
                                      "b0 ->=", "b1 ->=", "-> a0", "-> a1"}));
  EXPECT_EQ(LabelledCopyOrigins(*p), (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST(LabelOnce, QuasiModelAddsOneRelativeRulePerSymbol) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  NameLabels(*p);
  p->QuasiModelMode = 1;
  // a constant 1, b constant 0: left value 1, right value 0, a quasi-model but no model.
  p->RandomSeed = SeedFor({kConstantOne, kConstantZero}, 3);
  p->LabelOnce();
  EXPECT_EQ(LabelledCopyRules(*p), (std::vector<std::string>{"a0 b0 -> b1 a0", "a0 b1 -> b1 a1",
                                                             "a1 ->= a0", "b1 ->= b0"}));
  EXPECT_EQ(LabelledCopyOrigins(*p), (std::vector<int>{1, 1, 0, 0}));
}

TEST(LabelOnce, RejectedDrawsAreDrawnAgain) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  NameLabels(*p);
  // First draw a constant 1, b constant 0: no model; the next draw is all identity.
  p->RandomSeed = SeedFor({kConstantOne, kConstantZero, kIdentity, kIdentity}, 4);
  const std::uint32_t start = p->RandomSeed;
  p->LabelOnce();
  EXPECT_EQ(LabelledCopyRules(*p), (std::vector<std::string>{"a0 b0 -> b0 a0", "a1 b1 -> b1 a1"}));
  auto probe = MakeProver();
  probe->RandomSeed = start;
  for (int i = 0; i < 4; ++i)
    probe->RandomBelow(4);
  EXPECT_EQ(p->RandomSeed, probe->RandomSeed);
}

TEST(LabelOnce, GivesUpAfterTenThousandDrawsWithoutATrace) {
  // A chain a1 -> a2 -> ... -> a15 is a model only when all fifteen kinds agree.
  std::vector<std::string> rules;
  for (int i = 1; i < 15; ++i)
    rules.push_back("a" + std::to_string(i) + " -> a" + std::to_string(i + 1));
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  NameLabels(*p);
  p->CurrentTable.ruleCount = 0;
  p->LabelledCopy.ruleCount = 0;
  p->LabelOnce();
  EXPECT_EQ(p->LabelProgress, 0);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->LabelledCopy.ruleCount, 0);
  auto probe = MakeProver();
  for (int i = 0; i < 10000 * 15; ++i)
    probe->RandomBelow(4);
  EXPECT_EQ(p->RandomSeed, probe->RandomSeed);
}

TEST(LabelBothWays, BudgetZeroDrawsNothingAndLeavesWorkTableAsItWas) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b c -> c", "b ->= a b"});
  p->AttemptBudget = 0;
  p->LabelBothWays();
  EXPECT_EQ(p->RandomSeed, 0u);
  EXPECT_EQ(p->LabelProgress, 0);
  EXPECT_EQ(p->LabelReversed, 1);
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a b c -> c", "b ->= a b"}));
  EXPECT_EQ(p->CurrentTable.symbolCount, 6);
  EXPECT_EQ(p->CurrentTable.names[1], "a1");
  EXPECT_EQ(p->CurrentTable.names[4], "a0");
  EXPECT_EQ(p->CurrentTable.names[6], "c0");
  EXPECT_EQ(p->LogCount, 0);
}

TEST(LabelBothWays, RefusesSystemsWhoseLabelledFormWouldNotFit) {
  struct Case {
    int symbols;
    int rules;
    bool refused;
  };
  // 2N names of 100, and 2R + N rules of 1000.
  for (const Case c : {Case{51, 1, true}, Case{50, 475, false}, Case{50, 476, true},
                       Case{10, 495, false}, Case{10, 496, true}}) {
    auto p = MakeProver();
    RuleTable& w = p->WorkTable;
    w.symbolCount = c.symbols;
    for (int s = 1; s <= c.symbols; ++s)
      w.names[s] = "s" + std::to_string(s);
    w.ruleCount = c.rules;
    for (int r = 1; r <= c.rules; ++r) {
      w.lhs[r] = {1, 0};
      w.rhs[r] = {static_cast<Symbol>(1 + r % c.symbols), 0};
      w.strict[r] = 1;
    }
    // A refused system draws nothing even with a budget; an accepted one gets its names.
    p->AttemptBudget = c.refused ? 1 : 0;
    p->CurrentTable.symbolCount = 0;
    p->LabelBothWays();
    EXPECT_EQ(p->RandomSeed, 0u);
    EXPECT_EQ(p->CurrentTable.symbolCount, c.refused ? 0 : 2 * c.symbols)
        << c.symbols << " symbols, " << c.rules << " rules";
    EXPECT_EQ(p->LabelProgress, 0);
    EXPECT_EQ(p->LogCount, 0);
  }
}

TEST(LabelSearch, StopsWhenTheTimeIsUp) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  NameLabels(*p);
  p->AttemptBudget = 100;
  p->Interrupted = true;
  p->LabelSearch();
  EXPECT_EQ(p->RandomSeed, 0u);
  EXPECT_EQ(p->LabelProgress, 0);
}

TEST(LabelSearch, BudgetCountsAttemptsOfEachKind) {
  // a -> a can be neither shortened nor oriented, so every attempt ends without progress.
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a -> a"});
  NameLabels(*p);
  p->Options.remLabels = false;
  p->AttemptBudget = 3;
  p->CurrentTable.ruleCount = 0;
  p->LabelSearch();
  EXPECT_EQ(p->QuasiModelMode, 1);
  // a -> a passes every draw: three model draws and three quasi-model draws of one number.
  auto probe = MakeProver();
  for (int i = 0; i < 6; ++i)
    probe->RandomBelow(4);
  EXPECT_EQ(p->LabelProgress, 0);
  EXPECT_EQ(p->RandomSeed, probe->RandomSeed);
}

} // namespace
} // namespace selko
