// Dummy elimination: cutting right-hand sides at symbols that occur in no left-hand side.
#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

std::unique_ptr<Prover> Eliminate(const std::vector<std::string>& rules) {
  auto p = testing::WithSystem(rules);
  p->DummyElimination();
  return p;
}

TEST(DummyElimination, CutsAtTheDummyAndNamesItsPartner) {
  auto p = Eliminate({"a -> b c b", "b -> a"});
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "",
                                          "Apply dummy elimination, result:",
                                          "a  -> b c$ ",
                                          "a  -> $c b ",
                                          "b  -> a ",
                                      }));
  EXPECT_EQ(p->WorkTable.symbolCount, 4);
  EXPECT_EQ(p->WorkTable.names[3], "c$");
  EXPECT_EQ(p->WorkTable.names[4], "$c");
  EXPECT_EQ(TableRules(p->WorkTable), TableRules(p->CurrentTable));
  EXPECT_EQ(p->CurrentTable.symbolCount, 4);
}

TEST(DummyElimination, LeavesSystemsWithoutDummiesAlone) {
  // c stands only first or last; the inner a occurs in a lhs; a two-symbol rhs has no inner
  // position.
  const std::vector<std::string> rules = {"a -> c a c", "b -> d e", "a b -> c"};
  auto p = Eliminate(rules);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(TableRules(p->WorkTable), rules);
  EXPECT_EQ(TableRules(p->CurrentTable), rules);
  EXPECT_EQ(p->WorkTable.symbolCount, 5);
}

TEST(DummyElimination, CutsEveryOccurrenceOfADummy) {
  // c is inner in rule 3 only, but it is cut at the end of rule 1 and where it stands alone.
  auto p = Eliminate({"a -> b c", "a -> c", "b -> a c a", "c c c -> "});
  EXPECT_EQ(p->LogCount, 0); // c occurs in a lhs: no dummy at all

  p = Eliminate({"a -> b c", "a -> c", "b -> a c a"});
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "",
                                          "Apply dummy elimination, result:",
                                          "a  -> b c$ ",
                                          "a  -> $c ",
                                          "a  -> c$ ",
                                          "a  -> $c ",
                                          "b  -> a c$ ",
                                          "b  -> $c a ",
                                      }));
}

TEST(DummyElimination, EliminatesSeveralDummiesWithPartnersInSymbolOrder) {
  // d is symbol 2 and c symbol 3, so $d is 4 and $c is 5 whatever their order in the rhs.
  auto p = Eliminate({"a -> a d a c a d"});
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "",
                                          "Apply dummy elimination, result:",
                                          "a  -> a d$ ",
                                          "a  -> $d a c$ ",
                                          "a  -> $c a d$ ",
                                          "a  -> $d ",
                                      }));
  EXPECT_EQ(p->WorkTable.names[4], "$d");
  EXPECT_EQ(p->WorkTable.names[5], "$c");
  for (int r = 1; r <= p->WorkTable.ruleCount; ++r)
    EXPECT_EQ(p->WorkTable.strict[r], 1);
}

TEST(DummyElimination, TakesOverWhatTransformationOrderLeaves) {
  // As in the last phase: the rewritten rhs a b a makes b a dummy.
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a a -> a c a", "c -> b"});
  p->CommitWork();
  p->TransformationOrder();
  p->DummyElimination();
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Transformation order: apply rule 2 on rhs of rule 1, result:",
                                  "a a  -> a b a ",
                                  "c  -> b ",
                                  "",
                                  "Apply dummy elimination, result:",
                                  "a a  -> a b$ ",
                                  "a a  -> $b a ",
                                  "c  -> b$ ",
                                  "c  -> $b ",
                              }));
}

TEST(DummyElimination, IsSkippedWhenTheResultWouldNotFit) {
  // a, b and n dummies: 2 + 2n symbols after the step.
  auto dummies = [](int n) {
    std::vector<std::string> rules = {"a -> b"};
    for (int k = 1; k <= n; ++k)
      rules.push_back("a -> a d" + std::to_string(k) + " a");
    return rules;
  };
  auto p = Eliminate(dummies(49));
  EXPECT_EQ(p->WorkTable.symbolCount, 100);
  EXPECT_EQ(p->WorkTable.ruleCount, 1 + 2 * 49);
  p = Eliminate(dummies(50));
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->WorkTable.symbolCount, 52);

  // One rule more per dummy occurrence: 500 rules give 1000, 501 would give 1002.
  std::vector<std::string> rules(500, "a -> a d a");
  p = Eliminate(rules);
  EXPECT_EQ(p->WorkTable.ruleCount, 1000);
  rules.push_back("a -> a d a");
  p = Eliminate(rules);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->WorkTable.ruleCount, 501);
  EXPECT_EQ(TableRules(p->CurrentTable), rules);
}

TEST(DummyElimination, PiecesJoinBackToTheRightHandSides) {
  std::mt19937 random(11);
  for (int n = 0; n < 2000; ++n) {
    std::vector<std::string> rules;
    for (int r = static_cast<int>(random() % 5) + 1; r > 0; --r) {
      std::string rule;
      for (int k = static_cast<int>(random() % 3); k > 0; --k)
        rule += "ab"[random() % 2] + std::string(" ");
      rule += "->";
      for (int k = static_cast<int>(random() % 7); k > 0; --k)
        rule += std::string(" ") + "abcd"[random() % 4];
      rules.push_back(rule);
    }
    auto p = MakeProver();
    FillTable(p->WorkTable, rules);
    const RuleTable before = p->WorkTable;
    p->CommitWork();
    p->DummyElimination();
    const RuleTable& after = p->WorkTable;
    EXPECT_EQ(TableRules(after), TableRules(p->CurrentTable));
    // A piece that starts with a partner symbol continues the rule before it.
    std::vector<std::string> joined;
    for (int r = 1; r <= after.ruleCount; ++r) {
      const Word& u = after.rhs[r];
      const bool continues = WordLength(u) > 0 && u[0] > before.symbolCount;
      std::string side;
      for (int k = continues ? 1 : 0; k < WordLength(u); ++k) {
        side += " " + before.names[u[static_cast<std::size_t>(k)]];
      }
      if (continues) {
        ASSERT_FALSE(joined.empty());
        joined.back() += side;
      } else {
        std::string lhs;
        for (int k = 0; k < WordLength(after.lhs[r]); ++k) {
          lhs += before.names[after.lhs[r][static_cast<std::size_t>(k)]] + " ";
        }
        joined.push_back(lhs + "->" + side);
      }
    }
    EXPECT_EQ(joined, TableRules(before)) << rules.front();
  }
}

} // namespace
} // namespace selko
