// The looping derivation shown after a loop line, built from an ancestor graph and checked
// step by step.
#include "cli/loop_derivation.hpp"
#include "cli/problem_run.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::SameLines;

const std::string kHeading = "Looping derivation (each step with its rule and the position, "
                             "from 1, where the rule's left-hand side starts):";

// A graph over strings written as blank-separated names of `table`'s symbols, with the edges
// given as pairs (t, s): t rewrites in one step to a string that contains s.
AncestorGraph Graph(const RuleTable& table, const std::vector<std::string>& strings,
                    const std::vector<std::pair<int, int>>& edges, int reported) {
  AncestorGraph graph;
  graph.names.assign(table.names.begin(), table.names.begin() + table.symbolCount + 1);
  graph.strings.resize(strings.size() + 1);
  for (std::size_t k = 0; k < strings.size(); ++k) {
    std::istringstream in(strings[k]);
    std::string name;
    while (in >> name) {
      for (int s = 1; s <= table.symbolCount; ++s) {
        if (table.names[s] == name) graph.strings[k + 1].push_back(static_cast<Symbol>(s));
      }
    }
  }
  graph.ancestor.assign(strings.size() + 1, std::vector<bool>(strings.size() + 1, false));
  for (const auto& [t, s] : edges)
    graph.ancestor[t][s] = true;
  graph.reported = reported;
  return graph;
}

TEST(LoopDerivation, ARuleWhoseRightSideHoldsItsLeftSideLoopsInOneStep) {
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"a b -> b a b"});
  const LoopDerivation d = BuildLoopDerivation(*table, Graph(*table, {"a b"}, {{1, 1}}, 1));
  EXPECT_TRUE(d.checked);
  EXPECT_TRUE(SameLines(d.lines, {kHeading, "  a b", "  -> b a b   (rule 1 at position 1)",
                                  "The string a b occurs at position 1 of the first string and "
                                  "again at position 2 of the last one: the steps between "
                                  "repeat forever."}));
}

TEST(LoopDerivation, TwoStringsThatAreEachOthersAncestorsGoRoundTheCycle) {
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"a b -> b a", "b a -> a b"});
  const LoopDerivation d =
      BuildLoopDerivation(*table, Graph(*table, {"a b", "b a"}, {{1, 2}, {2, 1}}, 1));
  EXPECT_TRUE(d.checked);
  EXPECT_TRUE(SameLines(d.lines, {kHeading, "  a b", "  -> b a   (rule 1 at position 1)",
                                  "  -> a b   (rule 2 at position 1)",
                                  "The string a b occurs at position 1 of the first string and "
                                  "again at position 1 of the last one: the steps between "
                                  "repeat forever."}));
}

TEST(LoopDerivation, AWayIntoTheCycleIsFollowedInContext) {
  // c is not on the cycle; it rewrites to d a b, which holds the looping string a b.
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"a b -> b a b", "c -> d a b"});
  const LoopDerivation d =
      BuildLoopDerivation(*table, Graph(*table, {"a b", "c"}, {{1, 1}, {2, 1}}, 2));
  EXPECT_TRUE(d.checked);
  EXPECT_TRUE(SameLines(d.lines, {kHeading, "  c", "  -> d a b   (rule 2 at position 1)",
                                  "  -> d b a b   (rule 1 at position 2)",
                                  "The string a b occurs at position 2 of the string after "
                                  "step 1 and again at position 3 of the last one: the steps "
                                  "between repeat forever."}));
}

TEST(LoopDerivation, StringsOfTheSearchedTableAreMatchedToTheSystemByName) {
  // The searched table numbered b before a; the derivation is in the system as read.
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"a b -> b a b"});
  AncestorGraph graph;
  graph.names = {"", "b", "a"};
  graph.strings = {{}, {2, 1}};
  graph.ancestor = {{false, false}, {false, true}};
  graph.reported = 1;
  const LoopDerivation d = BuildLoopDerivation(*table, graph);
  EXPECT_TRUE(d.checked);
  EXPECT_EQ(d.lines[1], "  a b");
}

TEST(LoopDerivation, AnEmptyLeftSideMakesTheEmptyStringLoop) {
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"-> a"});
  const LoopDerivation d = BuildLoopDerivation(*table, Graph(*table, {""}, {{1, 1}}, 1));
  EXPECT_TRUE(d.checked);
  EXPECT_EQ(d.lines[2], "  -> a   (rule 1 at position 1)");
}

TEST(LoopDerivation, WithoutACheckedDerivationNoneIsShownAndALineSaysSo) {
  auto table = std::make_unique<RuleTable>();
  FillTable(*table, {"a b -> b a"});
  const std::vector<std::string> none = {kNoDerivationLine};
  // An edge that no rewrite step makes.
  LoopDerivation d = BuildLoopDerivation(*table, Graph(*table, {"a b"}, {{1, 1}}, 1));
  EXPECT_FALSE(d.checked);
  EXPECT_TRUE(SameLines(d.lines, none));
  EXPECT_EQ(d.lines[0], "No checked looping derivation could be built.");
  // A reported string from which no cycle can be reached.
  d = BuildLoopDerivation(*table, Graph(*table, {"a b", "b a"}, {{1, 2}}, 1));
  EXPECT_FALSE(d.checked);
  // A graph that does not fit together: a reported number out of range, a missing name.
  d = BuildLoopDerivation(*table, Graph(*table, {"a b"}, {{1, 1}}, 2));
  EXPECT_FALSE(d.checked);
  AncestorGraph unnamed = Graph(*table, {"a b"}, {{1, 1}}, 1);
  unnamed.names = {"", "a", "z"};
  EXPECT_FALSE(BuildLoopDerivation(*table, unnamed).checked);
  EXPECT_FALSE(BuildLoopDerivation(*table, AncestorGraph{}).checked);
}

} // namespace
} // namespace selko

namespace selko {
namespace {

// The derivation of a loop that the prover itself found, through the command line's runner.
std::vector<std::string> DerivationOf(const std::string& text) {
  const Problem problem = PrepareProblem("p.srs", text, InputFormat::Auto, false);
  const ProblemOutcome outcome = RunProblem(problem, RunOptions{}, true);
  EXPECT_EQ(outcome.result.status, Status::LoopFound) << text;
  EXPECT_TRUE(outcome.derivation.checked) << text;
  return outcome.derivation.lines;
}

TEST(LoopDerivationOfARun, IsBuiltFromTheSearchsFinalTable) {
  EXPECT_TRUE(SameLines(DerivationOf("ab->bab\n"),
                        {kHeading, "  a b", "  -> b a b   (rule 1 at position 1)",
                         "The string a b occurs at position 1 of the first string and again at "
                         "position 2 of the last one: the steps between repeat forever."}));
  EXPECT_TRUE(SameLines(DerivationOf("ab->ba\nba->ab\n"),
                        {kHeading, "  a b", "  -> b a   (rule 1 at position 1)",
                         "  -> a b   (rule 2 at position 1)",
                         "The string a b occurs at position 1 of the first string and again at "
                         "position 1 of the last one: the steps between repeat forever."}));
}

TEST(LoopDerivationOfARun, ReachesTheCycleFromTheReportedStringAndFollowsItInContext) {
  EXPECT_TRUE(SameLines(DerivationOf("bbb->bcbab\naa->aab\na->bba\n"),
                        {kHeading, "  b b b", "  -> b c b a b   (rule 1 at position 1)",
                         "  -> b c b b b a b   (rule 3 at position 4)",
                         "The string a occurs at position 4 of the string after step 1 and "
                         "again at position 6 of the last one: the steps between repeat "
                         "forever."}));
  EXPECT_TRUE(SameLines(DerivationOf("bb->babaa\na->b\naba->bac\n"),
                        {kHeading, "  b b", "  -> b a b a a   (rule 1 at position 1)",
                         "  -> b b b a a   (rule 2 at position 2)",
                         "  -> b b b b a   (rule 2 at position 4)",
                         "The string b b occurs at position 1 of the first string and again at "
                         "position 3 of the last one: the steps between repeat forever."}));
}

TEST(LoopDerivationOfARun, ExpandedEmptyRightSidesAreShownAsTheRulesRead) {
  // The search ran on the expanded system (a b a -> a, ...); the steps use rule 1 as read.
  EXPECT_TRUE(SameLines(DerivationOf("ab->e\nc->abc\n"),
                        {kHeading, "  a b c", "  -> c   (rule 1 at position 1)",
                         "  -> a b c   (rule 2 at position 1)",
                         "The string a b c occurs at position 1 of the first string and again at "
                         "position 1 of the last one: the steps between repeat forever."}));
}

} // namespace
} // namespace selko
