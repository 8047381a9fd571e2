// The dependency pair transformation: pairs, marked names, refusals and the listing.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

using Lines = std::vector<std::string>;

Lines Names(const RuleTable& t) {
  Lines out;
  for (int s = 1; s <= t.symbolCount; ++s)
    out.push_back(t.names[s]);
  return out;
}

TEST(DependencyPairs, TransformsABToBAAndListsIt) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  ASSERT_TRUE(p->AddDependencyPairs());
  EXPECT_EQ(Names(p->WorkTable), (Lines{"a", "b", "A"}));
  EXPECT_EQ(TableRules(p->WorkTable), (Lines{"a b ->= b a", "A b -> A"}));

  p->CommitWork();
  p->LogDependencyPairs();
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {"Dependency pair transformation:", "  a b  ->= b a ", "  A b  -> A "}));
}

TEST(DependencyPairs, OnePairPerDefinedPositionOfEachRhs) {
  auto p = MakeProver();
  // a and c are defined; b is not, and a rhs without a defined symbol gives no pair.
  FillTable(p->WorkTable, {"a b -> b a c a", "c -> b b", "c a ->= a"});
  ASSERT_TRUE(p->AddDependencyPairs());
  EXPECT_EQ(Names(p->WorkTable), (Lines{"a", "b", "c", "A", "C"}));
  EXPECT_EQ(TableRules(p->WorkTable),
            (Lines{"a b ->= b a c a", "c ->= b b", "c a ->= a", "A b -> A c a", "A b -> C a",
                   "A b -> A", "C a -> A"}));

  p->CommitWork();
  p->LogDependencyPairs();
  EXPECT_TRUE(SameLines(LogLines(*p), {"Dependency pair transformation:", "  a b  ->= b a c a ",
                                       "  c  ->= b b ", "  c a  ->= a ", "  A b  -> A c a ",
                                       "  A b  -> C a ", "  A b  -> A ", "  C a  -> A "}));
}

TEST(DependencyPairs, ASystemWithoutPairsKeepsOnlyRelativeRules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b", "a -> "});
  ASSERT_TRUE(p->AddDependencyPairs());
  EXPECT_EQ(Names(p->WorkTable), (Lines{"a", "b", "A"}));
  EXPECT_EQ(TableRules(p->WorkTable), (Lines{"a b ->= b", "a ->="}));
}

TEST(DependencyPairs, MarkedNames) {
  struct Case {
    Lines rules;
    Lines names; // after the transformation
  };
  const std::vector<Case> cases = {
      // Other names get "#" in front.
      {{"x1 B -> B x1", "B -> x1"}, {"x1", "B", "#x1", "#B"}},
      // An upper-case mark already in use: "#" and the name instead.
      {{"b -> B b"}, {"b", "B", "#b"}},
      {{"c C #c -> c"}, {"c", "C", "#c", "##c"}},
      // Marks made before count as taken: a becomes ##a, and then #a cannot be ##a.
      {{"a -> A", "#a -> a"}, {"a", "A", "#a", "##a", "###a"}},
      // Only a to z are upper-cased.
      {{"Z -> z", "z -> 1", "1 -> 2"}, {"Z", "z", "1", "2", "#Z", "#z", "#1"}},
  };
  for (const Case& c : cases) {
    auto p = MakeProver();
    FillTable(p->WorkTable, c.rules);
    ASSERT_TRUE(p->AddDependencyPairs()) << c.rules.front();
    EXPECT_EQ(Names(p->WorkTable), c.names) << c.rules.front();
  }
}

TEST(DependencyPairs, MarksAreNumberedByTheSymbolsTheyMark) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a -> b b", "c -> a", "b -> "});
  ASSERT_TRUE(p->AddDependencyPairs());
  EXPECT_EQ(Names(p->WorkTable), (Lines{"a", "b", "c", "A", "B", "C"}));
  EXPECT_EQ(TableRules(p->WorkTable),
            (Lines{"a ->= b b", "c ->= a", "b ->=", "A -> B b", "A -> B", "C -> A"}));
}

TEST(DependencyPairs, RefusesAndLeavesWorkTableAsItWas) {
  std::vector<std::pair<std::string, RuleTable>> refused;
  {
    RuleTable t;
    FillTable(t, {"a b -> b a", "-> a"});
    refused.emplace_back("empty lhs", t);
  }
  {
    // 51 defined symbols would need 51 marks: 102 symbols.
    Lines rules;
    for (int s = 1; s <= 51; ++s)
      rules.push_back("s" + std::to_string(s) + " -> ");
    RuleTable t;
    FillTable(t, rules);
    refused.emplace_back("102 symbols", t);
  }
  {
    // 501 rules with one pair each: 1002 rules.
    RuleTable t;
    FillTable(t, Lines(501, "a -> a"));
    refused.emplace_back("1002 rules", t);
  }
  for (const auto& [what, table] : refused) {
    auto p = MakeProver();
    p->WorkTable = table;
    EXPECT_FALSE(p->AddDependencyPairs()) << what;
    EXPECT_EQ(TableRules(p->WorkTable), TableRules(table)) << what;
    EXPECT_EQ(Names(p->WorkTable), Names(table)) << what;
  }
}

TEST(DependencyPairs, FillsTheCapacitiesExactly) {
  // 50 defined symbols and their 50 marks: 100 symbols.
  Lines rules;
  for (int s = 1; s <= 50; ++s)
    rules.push_back("s" + std::to_string(s) + " -> ");
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  ASSERT_TRUE(p->AddDependencyPairs());
  EXPECT_EQ(p->WorkTable.symbolCount, kMaxSymbols);
  EXPECT_EQ(p->WorkTable.names[kMaxSymbols], "#s50");

  // 500 rules with one pair each: 1000 rules.
  auto q = MakeProver();
  FillTable(q->WorkTable, Lines(500, "a -> a"));
  ASSERT_TRUE(q->AddDependencyPairs());
  EXPECT_EQ(q->WorkTable.ruleCount, kMaxRules);
  EXPECT_EQ(TableRules(q->WorkTable).back(), "A -> A");
}

} // namespace
} // namespace selko
