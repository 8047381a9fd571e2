// Preparing systems for match bounds: expanding empty right-hand sides, stripping a symbol.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

using Lines = std::vector<std::string>;

// A prover whose SlotA holds `rules`, with WorkTable and CurrentTable holding something else.
std::unique_ptr<Prover> WithSaved(const Lines& rules) {
  auto p = MakeProver();
  FillTable(p->SlotA, rules);
  FillTable(p->WorkTable, {"x y -> z"});
  p->CommitWork();
  p->LogCount = 2;
  p->AttemptMark = 2;
  return p;
}

// Lines logged after the first two.
Lines LoggedAfterMark(const Prover& p) {
  Lines all = LogLines(p);
  return Lines(all.begin() + 2, all.end());
}

// Gives a table n symbols, naming the ones that its rules do not use s<k>.
void UseSymbols(RuleTable& table, int n) {
  for (int s = table.symbolCount + 1; s <= n; ++s)
    table.names[static_cast<std::size_t>(s)] = "s" + std::to_string(s);
  table.symbolCount = n;
}

// ---- ExpandEmptyRhs ----------------------------------------------------------------------------

TEST(ExpandEmptyRhs, WithoutEmptyRhsOnlyRestoresTheSavedSystem) {
  auto p = WithSaved({"a b -> b a", "b ->= a"});
  p->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(p->WorkTable), (Lines{"a b -> b a", "b ->= a"}));
  EXPECT_EQ(p->WorkTable.names[1], "a");
  EXPECT_EQ(p->LogCount, 2);
  EXPECT_EQ(p->AttemptMark, 2);
  EXPECT_EQ(TableRules(p->CurrentTable), Lines{"x y -> z"});
}

TEST(ExpandEmptyRhs, ReplacesLToEByLAToAForEverySymbolAndListsTheSystem) {
  auto p = WithSaved({"a -> ", "b a -> a b"});
  p->ExpandEmptyRhs();
  const Lines expanded = {"a a -> a", "a b -> b", "b a -> a b"};
  EXPECT_EQ(TableRules(p->WorkTable), expanded);
  EXPECT_EQ(TableRules(p->CurrentTable), expanded);
  EXPECT_EQ(TableRules(p->SlotA), expanded);
  EXPECT_TRUE(SameLines(LoggedAfterMark(*p), {"Expand empty rhs:", "   a a  -> a ", "   a b  -> b ",
                                              "   b a  -> a b "}));
  EXPECT_EQ(p->AttemptMark, p->LogCount);
  // The names are the saved system's, whatever WorkTable held before.
  EXPECT_EQ(p->WorkTable.symbolCount, 2);
  EXPECT_EQ(p->SlotA.symbolCount, 2);
}

TEST(ExpandEmptyRhs, KeepsThePlaceOfTheExpandedRuleAndMakesEveryRuleStrict) {
  auto p = WithSaved({"c ->= a", "a b -> ", "b -> c"});
  p->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(p->WorkTable),
            (Lines{"c -> a", "a b c -> c", "a b a -> a", "a b b -> b", "b -> c"}));
  EXPECT_TRUE(
      SameLines(LoggedAfterMark(*p), {"Expand empty rhs:", "   c  -> a ", "   a b c  -> c ",
                                      "   a b a  -> a ", "   a b b  -> b ", "   b  -> c "}));
}

TEST(ExpandEmptyRhs, AnEmptyLhsWithEmptyRhsBecomesAToA) {
  auto p = WithSaved({"a b -> b", "->"});
  p->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(p->WorkTable), (Lines{"a b -> b", "a -> a", "b -> b"}));
}

TEST(ExpandEmptyRhs, LeavesTheSystemAsSavedWhenTheExpansionDoesNotFit) {
  // 100 symbols: ten rules l -> e make exactly 1000 rules; one rule more does not fit.
  Lines rules(10, "a ->");
  auto p = WithSaved(rules);
  UseSymbols(p->SlotA, 100);
  p->ExpandEmptyRhs();
  EXPECT_EQ(p->WorkTable.ruleCount, 1000);
  EXPECT_EQ(p->LogCount, 2 + 1 + 1000);

  rules.push_back("a -> a");
  auto q = WithSaved(rules);
  UseSymbols(q->SlotA, 100);
  q->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(q->WorkTable), rules);
  EXPECT_EQ(q->LogCount, 2);
  EXPECT_EQ(q->AttemptMark, 2);

  // A lhs of 18 symbols grows to 19; one of 19 has no room.
  const std::string l18 = "a b c d f g h i j k l m n o p q r s";
  auto r = WithSaved({l18 + " -> "});
  r->ExpandEmptyRhs();
  EXPECT_EQ(r->WorkTable.ruleCount, 18);
  EXPECT_EQ(WordLength(r->WorkTable.lhs[18]), 19);
  auto s = WithSaved({l18 + " t -> "});
  s->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(s->WorkTable), Lines{l18 + " t ->"});
  EXPECT_EQ(s->LogCount, 2);
}

TEST(ExpandEmptyRhs, LeavesEToEAloneWhenThereIsNoSymbol) {
  // Expanding with no symbol at all would drop the rule and leave an empty system.
  auto p = WithSaved({"->"});
  p->ExpandEmptyRhs();
  EXPECT_EQ(TableRules(p->WorkTable), Lines{"->"});
  EXPECT_EQ(p->LogCount, 2);
  p->MatchBoundProof();
  EXPECT_EQ(p->Proved, 0);
}

// ---- StripCommonSymbol -------------------------------------------------------------------------

struct StripCase {
  std::string rule;
  Lines log;
  std::string stripped;
};

TEST(StripCommonSymbol, StripsTheFirstSymbolOrElseTheLast) {
  const StripCase cases[] = {
      {"a b -> a c", {"Strip first symbol, yielding the rule", "   b  -> c "}, "b -> c"},
      {"b a -> c a", {"Strip last symbol, yielding the rule", "   b  -> c "}, "b -> c"},
      {"a b -> a b", {"Strip first symbol, yielding the rule", "   b  -> b "}, "b -> b"},
      {"a b a -> a a b c",
       {"Strip first symbol, yielding the rule", "   b a  -> a b c "},
       "b a -> a b c"},
  };
  for (const StripCase& c : cases) {
    auto p = MakeProver();
    FillTable(p->WorkTable, {c.rule});
    FillTable(p->SlotA, {"x -> y"});
    EXPECT_TRUE(p->StripCommonSymbol()) << c.rule;
    EXPECT_TRUE(SameLines(LogLines(*p), c.log)) << c.rule;
    EXPECT_EQ(TableRules(p->WorkTable), Lines{c.stripped});
    EXPECT_EQ(TableRules(p->CurrentTable), Lines{c.stripped});
    EXPECT_EQ(TableRules(p->SlotA), Lines{"x -> y"});
  }
}

TEST(StripCommonSymbol, DoesNothingWhereItDoesNotApply) {
  for (const Lines& rules : {Lines{"a -> a b"}, Lines{"a b -> a"}, Lines{"a b -> a c", "b -> c"},
                             Lines{"a b -> c d"}, Lines{}}) {
    auto p = MakeProver();
    FillTable(p->WorkTable, rules);
    FillTable(p->CurrentTable, {"x -> y"});
    const Lines before = TableRules(p->WorkTable);
    EXPECT_FALSE(p->StripCommonSymbol());
    EXPECT_EQ(p->LogCount, 0);
    EXPECT_EQ(TableRules(p->WorkTable), before);
    EXPECT_EQ(TableRules(p->CurrentTable), Lines{"x -> y"});
  }
}

TEST(StripCommonSymbol, StripsFullLengthSidesCleanly) {
  const std::string side = "a b c d e f g h i j k l m n o p q r s";
  auto p = MakeProver();
  FillTable(p->WorkTable, {side + " -> " + side});
  p->WorkTable.lhs[1][19] = 7; // a stale byte after the row's last symbol is never moved in
  ASSERT_TRUE(p->StripCommonSymbol());
  EXPECT_EQ(WordLength(p->WorkTable.lhs[1]), 18);
  EXPECT_EQ(p->WorkTable.lhs[1][17], 19);
  EXPECT_EQ(p->WorkTable.lhs[1][18], 0);
}

} // namespace
} // namespace selko
