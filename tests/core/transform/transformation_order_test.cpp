// Transformation order: rewriting right-hand sides with rules whose lhs overlaps with no lhs.
#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

// Runs the step on a system as the last phase hands it over (both tables equal, log empty).
std::unique_ptr<Prover> Transform(const std::vector<std::string>& rules) {
  auto p = testing::WithSystem(rules);
  p->TransformationOrder();
  return p;
}

::testing::AssertionResult TablesAgree(const Prover& p) {
  if (TableRules(p.WorkTable) == TableRules(p.CurrentTable)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "WorkTable and CurrentTable differ";
}

TEST(TransformationOrder, CountOverlapsCountsStartPositionsWhereOneWordEnds) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b a -> c", "a b -> c", "b c -> a", "-> a", "b -> a"});
  EXPECT_EQ(p->CountOverlaps(1, 1), 2); // the exact match and the border a
  EXPECT_EQ(p->CountOverlaps(1, 2), 2); // a b a starts with a b; the last a is a prefix of a b
  EXPECT_EQ(p->CountOverlaps(2, 1), 1); // a b is a prefix of a b a
  EXPECT_EQ(p->CountOverlaps(2, 3), 1); // the suffix b is a prefix of b c
  EXPECT_EQ(p->CountOverlaps(3, 2), 0);
  EXPECT_EQ(p->CountOverlaps(4, 1), 0); // an empty first lhs gives 0
  EXPECT_EQ(p->CountOverlaps(1, 4), 3); // an empty second lhs gives the length of the first
  EXPECT_EQ(p->CountOverlaps(2, 5), 1); // b inside a b: counted where it ends the word
}

TEST(TransformationOrder, AppliesAQualifyingRuleAndLogsTheNewSystem) {
  auto p = Transform({"a -> b", "b -> c"});
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Transformation order: apply rule 2 on rhs of rule 1, result:",
                                  "a  -> c ",
                                  "b  -> c ",
                              }));
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a -> c", "b -> c"}));
  EXPECT_TRUE(TablesAgree(*p));
}

TEST(TransformationOrder, OverlappingLeftHandSidesNeverQualify) {
  // a b a has the border a; its occurrence in rule 2 stays.
  // Two rules with the same lhs a disqualify each other.
  // b occurs inside a b: neither of the two rules qualifies.
  // The remaining lhs d, e and f qualify but occur in no rhs.
  const std::vector<std::vector<std::string>> systems = {
      {"a b a -> c", "d -> c a b a c"},
      {"a -> b", "a -> c", "d -> a"},
      {"a b -> c", "b -> d", "e -> a b", "f -> b"},
  };
  for (const auto& rules : systems) {
    auto p = Transform(rules);
    EXPECT_EQ(p->LogCount, 0) << rules.front();
    EXPECT_EQ(TableRules(p->WorkTable), TableRules(p->CurrentTable)) << rules.front();
    EXPECT_EQ(TableRules(p->WorkTable), rules) << rules.front();
  }
}

TEST(TransformationOrder, ReplacesOnlyTheLeftmostOccurrencePerSweep) {
  auto p = Transform({"a -> b", "c -> a d a"});
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Transformation order: apply rule 1 on rhs of rule 2, result:",
                                  "a  -> b ",
                                  "c  -> b d a ",
                                  "",
                                  "Transformation order: apply rule 1 on rhs of rule 2, result:",
                                  "a  -> b ",
                                  "c  -> b d b ",
                              }));
  EXPECT_TRUE(TablesAgree(*p));
}

TEST(TransformationOrder, TakesTheFirstQualifyingRuleAndTheFirstRhs) {
  // Rules 1 and 2 both qualify; rule 1 goes first although rule 2 occurs in an earlier rhs.
  auto p = Transform({"x -> y", "a -> b", "c -> a", "d -> x"});
  const std::vector<std::string> log = LogLines(*p);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[1], "Transformation order: apply rule 1 on rhs of rule 4, result:");
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"x -> y", "a -> b", "c -> b", "d -> y"}));
}

TEST(TransformationOrder, ShrinkingReplacementsAndEmptySides) {
  auto p = Transform({"a b -> ", "c -> d a b d"});
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Transformation order: apply rule 1 on rhs of rule 2, result:",
                                  "a b  -> e",
                                  "c  -> d d ",
                              }));
}

TEST(TransformationOrder, PassesOverReplacementsThatDoNotFitOrChangeNothing) {
  // Rewriting a in rhs 2 would give 20 symbols: passed over, rhs 3 is rewritten instead.
  auto p = Transform({"a -> b b", "c -> a x x x x x x x x x x x x x x x x x x", "d -> a"});
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Transformation order: apply rule 1 on rhs of rule 3, result:",
                                  "a  -> b b ",
                                  "c  -> a x x x x x x x x x x x x x x x x x x ",
                                  "d  -> b b ",
                              }));

  // a -> a would rewrite its own rhs forever without changing it.
  p = Transform({"a -> a", "b -> a"});
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a -> a", "b -> a"}));

  // A rule that rewrites its own rhs (with that very rhs) stops when the next step would not
  // fit a Word: 3, 5, 9, 17 symbols, and 33 would be too many.
  p = Transform({"a -> b a b"});
  EXPECT_EQ(p->LogCount, 3 * 3);
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"a -> b b b b b b b b a b b b b b b b b"}));
  EXPECT_TRUE(TablesAgree(*p));
}

TEST(TransformationOrder, StopsAfterAThousandSweepsOrWhenTimeIsUp) {
  // Each c rule's rhs grows by one b per sweep, 18 sweeps each: far more than 1000 in all.
  std::vector<std::string> rules;
  for (int k = 1; k <= 70; ++k)
    rules.push_back("c" + std::to_string(k) + " -> a");
  rules.push_back("a -> b a");
  auto p = Transform(rules);
  EXPECT_EQ(p->LogCount, 1000 * (2 + 71));
  EXPECT_EQ(TableRules(p->WorkTable)[55], "c56 -> b b b b b b b b b b a");
  EXPECT_EQ(TableRules(p->WorkTable)[56], "c57 -> a");
  EXPECT_TRUE(TablesAgree(*p));

  p = MakeProver();
  FillTable(p->WorkTable, {"a -> b a b"});
  p->CommitWork();
  p->Interrupted = true; // the deadline has passed: one sweep, then stop
  p->TransformationOrder();
  EXPECT_EQ(p->LogCount, 3);
  EXPECT_TRUE(TablesAgree(*p));
}

TEST(TransformationOrder, RandomSystemsKeepTheirLeftHandSidesAndFitTheirWords) {
  std::mt19937 random(5);
  for (int n = 0; n < 300; ++n) {
    std::vector<std::string> rules;
    for (int r = static_cast<int>(random() % 5) + 1; r > 0; --r) {
      std::string rule;
      for (int k = static_cast<int>(random() % 3); k > 0; --k)
        rule += "abc"[random() % 3] + std::string(" ");
      rule += "->";
      for (int k = static_cast<int>(random() % 8); k > 0; --k)
        rule += std::string(" ") + "abc"[random() % 3];
      rules.push_back(rule);
    }
    auto p = Transform(rules);
    EXPECT_TRUE(TablesAgree(*p));
    EXPECT_EQ(p->LogCount % (static_cast<int>(rules.size()) + 2), 0);
    EXPECT_LE(p->LogCount, 1000 * (static_cast<int>(rules.size()) + 2));
    auto q = MakeProver();
    FillTable(q->WorkTable, rules);
    for (int r = 1; r <= q->WorkTable.ruleCount; ++r) {
      EXPECT_TRUE(SameWord(p->WorkTable.lhs[r], q->WorkTable.lhs[r]));
      EXPECT_LE(WordLength(p->WorkTable.rhs[r]), kMaxWordLength);
      EXPECT_EQ(p->WorkTable.rhs[r][static_cast<std::size_t>(WordLength(p->WorkTable.rhs[r]))], 0);
    }
  }
}

} // namespace
} // namespace selko
