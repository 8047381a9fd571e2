// The whole engine on small problems whose answers are known: proofs written out in full,
// loops with their derivations, relative problems, and the same text on any number of threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "engine/check/check_step.hpp"
#include "engine/engine.hpp"
#include "engine/labelling/boolean_labelling.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

EngineResult Engine(const Problem& p, int workers = 1, double seconds = 20) {
  EngineOptions options;
  options.workers = workers;
  options.timeoutSeconds = seconds;
  return Prove(p, options);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines)
    text += l + "\n";
  return text;
}

// The lines of the outline: between "Outline:" and the verdict.
std::vector<std::string> Outline(const std::vector<std::string>& proof) {
  auto from = std::find(proof.begin(), proof.end(), "Outline:");
  std::vector<std::string> outline;
  for (auto it = from == proof.end() ? from : from + 1; it != proof.end(); ++it) {
    if (*it == "Terminating." || *it == "No proof.") break;
    outline.push_back(*it);
  }
  return outline;
}

TEST(Strategy, ProvesSmallSystemsWithTheirInterpretationsInFull) {
  // A weak rule keeps match bounds away (they take plain systems only); R u S loops (c -> c c), so
  // the problem is not strictified.
  const EngineResult r = Engine(Rules({"ab->ba", "c->=cc"}));
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  EXPECT_EQ(r.technique, "matrix interpretation");
  ASSERT_GE(r.proof.size(), 8u);
  EXPECT_EQ(r.proof[0],
            "SELKO 1.4 extended engine is applied to the relative string rewriting system");
  EXPECT_EQ(r.proof[1], "a b -> b a");
  EXPECT_EQ(r.proof[2], "c ->= c c");
  EXPECT_EQ(r.proof[3], "Outline:");
  EXPECT_EQ(Outline(r.proof),
            std::vector<std::string>{"1 natural matrices of dimension 2, entry [1][d] compared: "
                                     "removes 1 rule; nothing remains to prove"});
  // Every matrix is printed: a, b and c, two rows each.
  EXPECT_EQ(
      std::count_if(r.proof.begin(), r.proof.end(),
                    [](const std::string& l) { return l.find(" = | ") != std::string::npos; }),
      3);

  const EngineResult relative = Engine(Rules({"ab->b", "b->=bb"}));
  ASSERT_EQ(relative.verdict, Verdict::Yes) << relative.error;
  EXPECT_EQ(relative.proof[0],
            "SELKO 1.4 extended engine is applied to the relative string rewriting system");
  EXPECT_EQ(Outline(relative.proof),
            std::vector<std::string>{"1 natural matrices of dimension 1: removes 1 rule; nothing "
                                     "remains to prove"});
}

TEST(Strategy, AnErasingSystemProvedWithArcticEntriesBelowZero) {
  // std-0551, which arctic and natural matrices of naturals did not prove within 10 s: the
  // entry -3 of b lets a b weigh no less than the empty string, with a large [2][2] for a.
  const EngineResult r = Engine(Rules({"ab->", "ac->cc", "bc->aabb"}));
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  EXPECT_EQ(Joined(r.proof),
            "SELKO 1.4 extended engine is applied to the string rewriting system\n"
            "a b ->\n"
            "a c -> c c\n"
            "b c -> a a b b\n"
            "Outline:\n"
            "1 dependency pairs: 4 pairs; 4 pairs remain\n"
            "2 dependency graph: 1 component, 2 pairs on no cycle; 2 pairs remain\n"
            "3 arctic integer matrices of dimension 2, rows for marked letters: removes 1 pair; 1 "
            "pair remains\n"
            "4 arctic integer matrices of dimension 2, rows for marked letters: removes 1 pair; "
            "nothing remains to prove\n"
            "Terminating.\n"
            "Details:\n"
            "1 dependency pairs: 4 pairs\n"
            "  The dependency pairs:\n"
            "    b# c -> a# a b b\n"
            "    b# c -> a# b b\n"
            "    b# c -> b# b\n"
            "    b# c -> b#\n"
            "2 dependency graph: 1 component, 2 pairs on no cycle\n"
            "  A pair q can follow a pair p when the front of p's right side that no rule can "
            "rewrite agrees with q's left side, and the front of q's left side that no rule can "
            "have made agrees with p's right side.\n"
            "  Component 1:\n"
            "    b# c -> b# b\n"
            "    b# c -> b#\n"
            "3 arctic integer matrices of dimension 2, rows for marked letters: removes 1 pair\n"
            "  Interpretation (arctic integer matrices of dimension 2, rows for marked letters):\n"
            "  Entries may be below zero, first entries not: the first entry of a marked string's "
            "value is a natural number, and every removed pair lowers it.\n"
            "    a = |    0    0 |\n"
            "        | -inf    3 |\n"
            "    b = |    0    3 |\n"
            "        | -inf   -3 |\n"
            "    c = | 0 0 |\n"
            "        | 1 3 |\n"
            "    b# = | 1 1 |\n"
            "  Pairs removed (strictly decreasing, all others weakly):\n"
            "    b# c -> b#\n"
            "4 arctic integer matrices of dimension 2, rows for marked letters: removes 1 pair\n"
            "  Interpretation (arctic integer matrices of dimension 2, rows for marked letters):\n"
            "  Entries may be below zero, first entries not: the first entry of a marked string's "
            "value is a natural number, and every removed pair lowers it.\n"
            "    a = |    0    3 |\n"
            "        | -inf    3 |\n"
            "    b = |    3    3 |\n"
            "        | -inf   -3 |\n"
            "    c = | 0 3 |\n"
            "        | 3 3 |\n"
            "    b# = | 0 3 |\n"
            "  Pairs removed (strictly decreasing, all others weakly):\n"
            "    b# c -> b# b\n");
}

TEST(Strategy, AnErasingSystemWhosePairsFallToArcticMatricesOfDimensionThree) {
  // std-0477, which no search proved within 10 s while the arctic 3x3 search of its pairs had
  // the budget of every other shape: given several times that, it removes both pairs on cycles.
  const EngineResult r = Engine(Rules({"a->", "abb->bbbc", "cb->aa"}), 1, 300);
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  EXPECT_EQ(
      Joined(r.proof),
      "SELKO 1.4 extended engine is applied to the string rewriting system\n"
      "a ->\n"
      "a b b -> b b b c\n"
      "c b -> a a\n"
      "Outline:\n"
      "1 dependency pairs: 3 pairs; 3 pairs remain\n"
      "2 arctic matrices of dimension 3, rows for marked letters: removes 1 pair; 2 pairs remain\n"
      "3 arctic matrices of dimension 3, rows for marked letters: removes 1 pair; 1 pair remains\n"
      "4 dependency graph: 0 components, 1 pair on no cycle\n"
      "Terminating.\n"
      "Details:\n"
      "1 dependency pairs: 3 pairs\n"
      "  The dependency pairs:\n"
      "    a# b b -> c#\n"
      "    c# b -> a# a\n"
      "    c# b -> a#\n"
      "2 arctic matrices of dimension 3, rows for marked letters: removes 1 pair\n"
      "  Interpretation (arctic matrices of dimension 3, rows for marked letters):\n"
      "    a = |    0    1 -inf |\n"
      "        | -inf    0 -inf |\n"
      "        | -inf    0    0 |\n"
      "    b = |    0    0    1 |\n"
      "        |    0 -inf    0 |\n"
      "        | -inf    0    0 |\n"
      "    c = |    0    0    1 |\n"
      "        | -inf -inf    0 |\n"
      "        | -inf -inf    0 |\n"
      "    a# = |    0 -inf    2 |\n"
      "    c# = |    2 -inf    0 |\n"
      "  Pairs removed (strictly decreasing, all others weakly):\n"
      "    c# b -> a#\n"
      "3 arctic matrices of dimension 3, rows for marked letters: removes 1 pair\n"
      "  Interpretation (arctic matrices of dimension 3, rows for marked letters):\n"
      "    a = |    0 -inf    0 |\n"
      "        |    0    0    0 |\n"
      "        |    0 -inf    0 |\n"
      "    b = |    0 -inf    0 |\n"
      "        |    0    0 -inf |\n"
      "        |    0    1 -inf |\n"
      "    c = |    0 -inf -inf |\n"
      "        |    0    0 -inf |\n"
      "        |    0 -inf -inf |\n"
      "    a# = |    0 -inf    2 |\n"
      "    c# = |    2 -inf    1 |\n"
      "  Pairs removed (strictly decreasing, all others weakly):\n"
      "    a# b b -> c#\n"
      "4 dependency graph: 0 components, 1 pair on no cycle\n"
      "  A pair q can follow a pair p when the front of p's right side that no rule can rewrite "
      "agrees with q's left side, and the front of q's left side that no rule can have made agrees "
      "with p's right side.\n");
}

TEST(Strategy, ALoopIsShownAsItsDerivationAndNothingElse) {
  const EngineResult r = Engine(Rules({"ab->bab"}));
  ASSERT_EQ(r.verdict, Verdict::No) << r.error;
  EXPECT_EQ(Joined(r.proof), "SELKO 1.4 extended engine is applied to the string rewriting system\n"
                             "a b -> b a b\n"
                             "Non-terminating: a looping derivation (positions count from 0).\n"
                             "start: a b\n"
                             "a b -> b a b at position 0: b a b\n"
                             "contains the start string: b [a b]\n");
  EXPECT_EQ(r.technique, "loop");
  ASSERT_TRUE(r.loop);
  EXPECT_EQ(r.loop->steps.size(), 1u);

  // Relative: the loop needs the weak rule to bring back the a; b ->= b alone would be a
  // weak-only cycle, which is no loop.
  const EngineResult relative = Engine(Rules({"ab->bb", "bb->=aab", "c->=c"}));
  ASSERT_EQ(relative.verdict, Verdict::No) << relative.error;
  EXPECT_NE(Joined(relative.proof).find("->= a a b"), std::string::npos);
}

TEST(Strategy, TheTextIsTheSameOnAnyNumberOfThreads) {
  const Problem p = Rules({"aab->baa", "bba->abb", "ab->c", "c->ba"});
  const EngineResult one = Engine(p, 1);
  ASSERT_NE(one.verdict, Verdict::Error) << one.error;
  for (const int workers : {2, 4}) {
    const EngineResult many = Engine(p, workers);
    EXPECT_EQ(many.verdict, one.verdict);
    EXPECT_EQ(Joined(many.proof), Joined(one.proof));
  }
}

TEST(Strategy, ASystemProvedByThePairsOfItsReversal) {
  SELKO_ENGINE_NEED_CORPUS();
  // std-0482: a -> b, a -> c, a b -> b a c, c c -> a. Neither an interpretation of the whole
  // system nor the pairs of the system itself give a proof within the level at which the pairs
  // of its reversal do: the solver goes back from the first pair problem to the second.
  const EngineResult r = Engine(testing::ReadCorpusProblem("std-0482"), 1, 300);
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  const std::vector<std::string> outline = Outline(r.proof);
  ASSERT_GE(outline.size(), 3u);
  EXPECT_EQ(outline[0], "1 reversal: every side read backwards");
  EXPECT_EQ(outline[1].rfind("2 dependency pairs: ", 0), 0u) << outline[1];

  // Without the pairs (the comparison run of the corpus benchmark) no step takes them, whatever
  // else the run finds in its time.
  EngineOptions options;
  options.timeoutSeconds = 2;
  options.dependencyPairs = false;
  const EngineResult without = Prove(testing::ReadCorpusProblem("std-0482"), options);
  ASSERT_NE(without.verdict, Verdict::Error) << without.error;
  for (const std::string& line : without.proof)
    EXPECT_EQ(line.find("dependency pair"), std::string::npos) << line;
}

TEST(Strategy, ASystemProvedThroughAModel) {
  SELKO_ENGINE_NEED_CORPUS();
  // std-0485: a -> b, a b -> (empty), b a -> a c a b, c c -> (empty). Its one model reads every
  // letter as x -> 1 - x (the parity of what follows); the labelled system falls at once (the
  // pairs of its reversal, then arctic matrices), while the system itself takes the engine
  // arctic matrices of dimension 3 at a late level.
  const Problem p = testing::ReadCorpusProblem("std-0485");
  const std::vector<BooleanModel> models = BooleanModels(p, 2);
  ASSERT_EQ(models.size(), 1u);
  const std::optional<Step> step = LabellingStep(p, models[0]);
  ASSERT_TRUE(step.has_value());
  std::string why;
  ASSERT_TRUE(CheckStep(p, *step, why)) << why;
  EXPECT_EQ(step->summary,
            "semantic labelling by a model over {0, 1}: a labelled system of 8 rules");
  const EngineResult r = Engine(step->remaining[0], 1, 300);
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  const std::vector<std::string> outline = Outline(r.proof);
  ASSERT_GE(outline.size(), 2u);
  EXPECT_EQ(outline[0], "1 reversal: every side read backwards");
  EXPECT_EQ(outline[1].rfind("2 dependency pairs: ", 0), 0u) << outline[1];
}

TEST(Strategy, OneRuleSystemsProvedThroughTheirCommonEnds) {
  // std-0630: neither the rule nor its reversal is match-bounded within 10 s; cut to
  // b a a a a -> a a a a b a a a b, its reversal has match bound 1.
  EngineResult r = Engine(Rules({"aaabaaaa->aaaaaaabaaab"}));
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  EXPECT_EQ(Outline(r.proof),
            (std::vector<std::string>{"1 common ends: 1 rule shortened by the letters both sides "
                                      "begin with; 1 strict rule remains",
                                      "2 reversal: every side read backwards",
                                      "3 match bound 1: an automaton of 18 states and 26 "
                                      "transitions"}));
  // std-0641: cut at both ends the rule loops, so that step is not taken; cut at its back
  // alone, it has match bound 1.
  r = Engine(Rules({"aabaaabaab->abaaabaabaaab"}));
  ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
  EXPECT_EQ(Outline(r.proof),
            (std::vector<std::string>{"1 common ends: 1 rule shortened by the letters both sides "
                                      "end with; 1 strict rule remains",
                                      "2 match bound 1: an automaton of 20 states and 24 "
                                      "transitions"}));
}

TEST(Strategy, SidesBeyondTheFixedCapacitiesAndAStopFlag) {
  // 30 a's become 29 b's: a weight of 2 for a proves it, whatever the side's length.
  Problem p = Rules({"a->b"});
  p.rules[0].lhs.assign(30, 0);
  p.rules[0].rhs.assign(29, 1);
  const EngineResult r = Engine(p);
  EXPECT_EQ(r.verdict, Verdict::Yes) << r.error;

  // A raised stop flag ends the run at once without an answer.
  std::atomic<bool> stop{true};
  EngineOptions options;
  options.stop = &stop;
  EXPECT_EQ(Prove(Rules({"aabb->bbba", "ba->aaaa"}), options).verdict, Verdict::Maybe);
}

} // namespace
} // namespace selko::engine
