// The rule store, rule text and proof log.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

TEST(Store, InternSymbolNumbersInOrderOfFirstOccurrenceAndIsCaseSensitive) {
  auto p = MakeProver();
  EXPECT_EQ(p->InternSymbol("a"), 1);
  EXPECT_EQ(p->InternSymbol("A"), 2);
  EXPECT_EQ(p->InternSymbol("a"), 1);
  EXPECT_EQ(p->WorkTable.symbolCount, 2);
}

TEST(Store, InternSymbolNeverWritesPastTheNameList) {
  auto p = MakeProver();
  for (int s = 1; s <= kMaxSymbols; ++s)
    EXPECT_EQ(p->InternSymbol("s" + std::to_string(s)), s);
  EXPECT_EQ(p->InternSymbol("one too many"), 0);
  EXPECT_EQ(p->InternSymbol("s7"), 7);
  EXPECT_EQ(p->WorkTable.symbolCount, kMaxSymbols);
}

TEST(Store, Gcd) {
  EXPECT_EQ(Gcd(12, 18), 6);
  EXPECT_EQ(Gcd(7, 0), 7);
  EXPECT_EQ(Gcd(0, 7), 7);
  EXPECT_EQ(Gcd(0, 0), 0);
}

TEST(Store, ReverseSystemReversesCurrentTableOnlyAndTwiceGivesItBack) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b c -> c", "-> a", "b ->= a b"});
  p->CommitWork();
  p->ReverseSystem();
  EXPECT_EQ(TableRules(p->CurrentTable),
            (std::vector<std::string>{"c b a -> c", "-> a", "b ->= b a"}));
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"a b c -> c", "-> a", "b ->= a b"}));
  p->ReverseSystem();
  EXPECT_EQ(TableRules(p->CurrentTable), TableRules(p->WorkTable));
}

TEST(Store, WholeTableCopiesCarryRulesFlagsCountsAndNames) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a", "b ->= "});
  p->SaveWorkA();
  p->CommitWork();
  FillTable(p->WorkTable, {"x -> y y y"});
  p->ReverseSystem();
  p->RestoreWorkA();
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a b -> b a", "b ->="}));
  EXPECT_EQ(p->WorkTable.symbolCount, 2);
  EXPECT_EQ(p->WorkTable.names[2], "b");

  p->CommitWork();
  p->ReloadWork();
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a b -> b a", "b ->="}));
  p->SaveWorkB();
  FillTable(p->WorkTable, {});
  p->RestoreWorkB();
  EXPECT_EQ(p->WorkTable.ruleCount, 2);
}

TEST(RuleText, FormatRuleRendersEveryShape) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a b -> b a", "a -> ", "a ->= b", "-> a", "->"});
  std::vector<std::string> text;
  for (int r = 1; r <= 5; ++r)
    text.push_back(p->FormatRule(r));
  EXPECT_TRUE(SameLines(text, {"a b  -> b a ", "a  -> e", "a  ->= b ", " -> a ", " -> e"}));
}

TEST(ProofLog, StoresAtMost999LinesButKeepsCounting) {
  auto p = MakeProver();
  p->LogLine();
  EXPECT_EQ(p->LogCount, 1);
  EXPECT_EQ(p->ProofLog[1], "");
  for (int i = 2; i <= 1005; ++i)
    p->LogLine("line " + std::to_string(i));
  EXPECT_EQ(p->LogCount, 1005);
  EXPECT_EQ(p->ProofLog[999], "line 999");
  const std::vector<std::string> shown = p->ShownProof();
  ASSERT_EQ(shown.size(), 1000u);
  EXPECT_EQ(shown[998], "line 999");
  EXPECT_EQ(shown[999], "(proof truncated: 6 further lines were not stored)");

  p->LogCount = 10;
  p->LogLine("after the cut");
  EXPECT_EQ(p->ProofLog[11], "after the cut");
  EXPECT_EQ(p->ShownProof().size(), 11u);
}

} // namespace
} // namespace selko
