// Left contexts for two-symbol systems: the extension, the labelled system and its log lines.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

TEST(LeftContexts, SwapRuleGetsBothContextsAndFourLabelledRules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  ASSERT_TRUE(p->AddLeftContexts());
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "",
                            "Add left contexts in order to obtain a model for labelling.",
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "   a: constant 1,   b: constant 0,",
                            "and label every symbol by the value of its argument, resulting in:",
                            "a1 a0 b0  -> a0 b1 a0 ",
                            "a1 a0 b1  -> a0 b1 a1 ",
                            "b1 a0 b0  -> b0 b1 a0 ",
                            "b1 a0 b1  -> b0 b1 a1 ",
                        }));
  // Labelled names: a1, b1 are symbols 1, 2; a0, b0 are 3, 4.
  EXPECT_EQ(p->WorkTable.symbolCount, 4);
  EXPECT_EQ(p->WorkTable.names[1], "a1");
  EXPECT_EQ(p->WorkTable.names[2], "b1");
  EXPECT_EQ(p->WorkTable.names[3], "a0");
  EXPECT_EQ(p->WorkTable.names[4], "b0");
  EXPECT_EQ(TableRules(p->WorkTable), TableRules(p->CurrentTable));
  EXPECT_EQ(p->WorkTable.ruleCount, 4);
}

TEST(LeftContexts, SameHeadsGetNoContextButAreStillLabelled) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"x y y -> x y", "y x ->= y", "->"});
  ASSERT_TRUE(p->AddLeftContexts());
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "   x: constant 1,   y: constant 0,",
                            "and label every symbol by the value of its argument, resulting in:",
                            "x0 y0 y0  -> x0 y0 ",
                            "x0 y0 y1  -> x0 y1 ",
                            "y1 x0  ->= y0 ",
                            "y1 x1  ->= y1 ",
                            " -> e",
                            " -> e",
                        }));
}

TEST(LeftContexts, EmptySideAlwaysGetsContexts) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> ", "-> b a"});
  ASSERT_TRUE(p->AddLeftContexts());
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"a1 a0 b0 -> a0", "a1 a0 b1 -> a1", "b1 a0 b0 -> b0",
                                      "b1 a0 b1 -> b1", "a0 -> a0 b1 a0", "a1 -> a0 b1 a1",
                                      "b0 -> b0 b1 a0", "b1 -> b0 b1 a1"}));
  EXPECT_EQ(LogLines(*p)[1], "Add left contexts in order to obtain a model for labelling.");
}

TEST(LeftContexts, RefusesWhatWouldNotFitAndChangesNothing) {
  const std::string eighteen = "a b a b a b a b a b a b a b a b a b";
  struct Case {
    std::vector<std::string> rules;
    bool accepted;
  };
  std::vector<Case> cases = {
      {{eighteen + " -> b"}, true},    // grows to 19 symbols
      {{eighteen + " a -> b"}, false}, // would grow to 20
      {{"b -> " + eighteen + " b"}, false},
      {{eighteen + " a -> " + eighteen + " a"}, true}, // same heads: no context, no growth
      {{"a b -> b a", "b b -> b"}, true},
  };
  // 250 rules with contexts make 1000 labelled rules; 251 would make 1004.
  for (int count : {250, 251}) {
    Case c{{}, count == 250};
    c.rules.assign(static_cast<std::size_t>(count), "a -> b");
    cases.push_back(c);
  }
  for (const Case& c : cases) {
    auto p = MakeProver();
    FillTable(p->WorkTable, c.rules);
    const auto before = TableRules(p->WorkTable);
    EXPECT_EQ(p->AddLeftContexts(), c.accepted) << c.rules.front() << " x" << c.rules.size();
    if (!c.accepted) {
      EXPECT_EQ(TableRules(p->WorkTable), before);
      EXPECT_EQ(p->WorkTable.symbolCount, 2);
      EXPECT_EQ(p->LogCount, 0);
    }
  }
}

TEST(LeftContexts, RefusesSystemsNotOverTwoSymbols) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> c"});
  EXPECT_FALSE(p->AddLeftContexts());
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->WorkTable.symbolCount, 3);
}

} // namespace
} // namespace selko
