// The recursive path order with precedence: orientation, the cycle test, the reversed system,
// erasure, and the verdict lines.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

// A prover whose CurrentTable holds `rules` and whose log is empty.
std::unique_ptr<Prover> WithCurrent(const std::vector<std::string>& rules) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, rules);
  return p;
}

TEST(PathOrder, ProvesABToBAWithAOverB) {
  auto p = WithCurrent({"a b -> b a"});
  p->ProveByRpoWithErasure();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->RpoReversed, 0);
  EXPECT_EQ(p->PrecedenceText, "  a>b");
  p->LogRpoVerdict();
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {"", "Terminating by recursive path order with precedence:", "  a>b"}));
  EXPECT_EQ(TableRules(p->CurrentTable), (std::vector<std::string>{"a b -> b a"}));
}

TEST(PathOrder, WritesAPairNeededBySeveralRulesOnce) {
  auto p = WithCurrent({"a b -> b a", "a b b -> b a", "c -> a"});
  p->ProveByRpo();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->PrecedenceText, "  a>b  c>a");
}

TEST(PathOrder, EmbeddedRightSidesNeedNoPair) {
  // The rhs is a scattered subword of the lhs below its head: no precedence at all.
  auto p = WithCurrent({"a b c -> c", "b a c -> b c", "c ->= c"});
  p->ProveByRpo();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->PrecedenceText, "");
  p->LogRpoVerdict();
  EXPECT_TRUE(
      SameLines(LogLines(*p), {"", "Terminating by recursive path order with precedence:", ""}));
}

TEST(PathOrder, RulesThatCannotDecrease) {
  const std::vector<std::vector<std::string>> unorientable = {
      {"a -> a"},    // a strict rule with l = r
      {"a ->= a b"}, // a relative rule must still decrease unless l = r
      {"a -> a b"},  // the lhs is used up before the rhs
      {"-> a"},      // empty lhs
      {"->"},        // empty lhs, strict
      {"a b -> b a", "->= a"},
  };
  for (const auto& rules : unorientable) {
    auto p = WithCurrent(rules);
    EXPECT_FALSE(p->OrientRules()) << rules.front();
    p->ProveByRpo();
    EXPECT_EQ(p->Proved, 0) << rules.front();
  }
  // A relative rule with l = r needs nothing, the empty one included.
  auto p = WithCurrent({"->=", "b a ->= b a", "a b -> b"});
  p->ProveByRpo();
  EXPECT_EQ(p->Proved, 1);
}

TEST(PathOrder, ACycleInThePairsFailsAndLeavesProvedAlone) {
  auto p = WithCurrent({"a b -> b a", "b a -> a b"});
  p->ProveByRpo();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->PrecedenceText, "  a>b  b>a");

  // Erasing a or b leaves a strict rule x -> x: no attempt succeeds, and the rules come back.
  p->ProveByRpoWithErasure();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(TableRules(p->CurrentTable), (std::vector<std::string>{"a b -> b a", "b a -> a b"}));
}

TEST(PathOrder, ACycleThroughThreeSymbolsIsFound) {
  // a > b > c > a: each symbol is greater than a live one, so none drops.
  auto p = WithCurrent({"a b -> b", "a -> b", "b -> c", "c -> a", "d -> a"});
  p->ProveByRpo();
  EXPECT_EQ(p->Proved, 0);
  // Without c -> a the chain drops symbol by symbol.
  auto q = WithCurrent({"a b -> b", "a -> b", "b -> c", "d -> a"});
  q->ProveByRpo();
  EXPECT_EQ(q->Proved, 1);
}

TEST(PathOrder, ProvesOnTheReversedSystemAndRestoresIt) {
  // Forward a > b and b > a are both needed; reversed only b > a and c > a.
  auto p = WithCurrent({"a b -> b a", "b c -> c a"});
  p->ProveByRpoBothWays();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->RpoReversed, 1);
  EXPECT_EQ(p->PrecedenceText, "  b>a  c>a");
  EXPECT_EQ(TableRules(p->CurrentTable), (std::vector<std::string>{"a b -> b a", "b c -> c a"}));
  p->LogRpoVerdict();
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {"", "Terminating since rev(l) > rev(r) for all rules l -> r",
                         "where > is the recursive path order with precedence:", "  b>a  c>a"}));
}

TEST(PathOrder, FailedReversedAttemptLeavesRpoReversedSet) {
  auto p = WithCurrent({"a b -> b a", "b a -> a b"});
  p->ProveByRpoBothWays();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->RpoReversed, 1);
  EXPECT_EQ(TableRules(p->CurrentTable), (std::vector<std::string>{"a b -> b a", "b a -> a b"}));
}

TEST(PathOrder, ProvesAfterErasingASymbolAndPutsTheRulesBack) {
  // c is symbol 1, so it is the first symbol erased.
  const std::vector<std::string> rules = {"c c b -> a c c", "b a -> a b c"};
  auto p = WithCurrent(rules);
  p->ProveByRpoBothWays();
  ASSERT_EQ(p->Proved, 0);

  p->ProveByRpoWithErasure();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->RpoReversed, 0);
  EXPECT_EQ(p->PrecedenceText, "  b>a, after removing c");
  EXPECT_EQ(TableRules(p->CurrentTable), rules);
  EXPECT_EQ(p->CurrentTable.ruleCount, 2);
  EXPECT_EQ(p->CurrentTable.symbolCount, 3);
  p->LogRpoVerdict();
  EXPECT_TRUE(SameLines(LogLines(*p), {"", "Terminating by recursive path order with precedence:",
                                       "  b>a, after removing c"}));
}

TEST(PathOrder, ErasureKeepsOnlyOneSymbolErasedPerPass) {
  // Erasing a fails; the pass that erases b works on the rules with a back in place, so its
  // precedence still speaks of a.
  auto p = WithCurrent({"a b -> c", "c a c -> a c b"});
  p->ProveByRpoWithErasure();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->RpoReversed, 0);
  EXPECT_EQ(p->PrecedenceText, "  a>c, after removing b");
  EXPECT_EQ(TableRules(p->CurrentTable), (std::vector<std::string>{"a b -> c", "c a c -> a c b"}));
}

TEST(PathOrder, ToleratesAFullSystem) {
  // 100 symbols and 1000 rules of the longest Words: no attempt reads past a capacity.
  auto p = MakeProver();
  RuleTable& t = p->CurrentTable;
  t.symbolCount = kMaxSymbols;
  for (int s = 1; s <= kMaxSymbols; ++s)
    t.names[s] = "s" + std::to_string(s);
  t.ruleCount = kMaxRules;
  for (int r = 1; r <= kMaxRules; ++r) {
    t.strict[r] = 1;
    for (int k = 0; k < kMaxWordLength; ++k) {
      t.lhs[r][k] = static_cast<Symbol>(1 + (r + k) % kMaxSymbols);
      t.rhs[r][k] = static_cast<Symbol>(1 + (r * 7 + k * 3) % kMaxSymbols);
    }
    t.lhs[r][kMaxWordLength] = 0;
    t.rhs[r][kMaxWordLength] = 0;
  }
  const RuleTable before = t;
  p->ProveByRpoWithErasure();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(TableRules(p->CurrentTable), TableRules(before));
}

} // namespace
} // namespace selko
