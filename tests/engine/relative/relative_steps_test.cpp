// Steps on relative problems: cleaning, strictification and context closure, each written out in
// full with its text, the checker refusing every kind of wrong certificate, and whole proofs of
// relative problems that need them.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine/engine.hpp"
#include "engine/relative/relative_steps.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;
using testing::RuleTexts;

// The reason the checker gives for a step, "" when it passes.
std::string Refusal(const Problem& p, const Step& step) {
  std::string why;
  return CheckStep(p, step, why) ? "" : why;
}

TEST(Cleaning, WeakIdentitiesGoAndNothingElse) {
  const Problem p = Rules({"ab->ba", "ab->=ab", "b->=b", "ba->=ab", "c->c"});
  const std::optional<Step> step = CleaningStep(p);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(Refusal(p, *step), "");
  EXPECT_EQ(step->summary, "cleaning: 2 weak rules l ->= l removed");
  EXPECT_EQ(step->details,
            (std::vector<std::string>{"A step by a weak rule l ->= l changes no string: the "
                                      "problem terminates exactly when the one without them "
                                      "does. Removed:",
                                      "  a b ->= a b", "  b ->= b"}));
  // The strict identity stays: it loops.
  EXPECT_EQ(RuleTexts(step->remaining[0]),
            (std::vector<std::string>{"a b -> b a", "b a ->= a b", "c -> c"}));
  EXPECT_FALSE(CleaningStep(Rules({"ab->ba", "c->c"})).has_value());

  // Wrong certificates: a rule that is no weak identity, a strict identity, a rule lost.
  Step other = *step;
  std::get<Cleaning>(other.certificate).removed = {1, 3};
  other.remaining[0] = p.Without({1, 3}, {});
  EXPECT_EQ(Refusal(p, other), "rule 4 is not a weak rule l ->= l");
  Step strict = *step;
  std::get<Cleaning>(strict.certificate).removed = {1, 2, 4};
  strict.remaining[0] = p.Without({1, 2, 4}, {});
  EXPECT_EQ(Refusal(p, strict), "rule 5 is not a weak rule l ->= l");
  Step lost = *step;
  lost.remaining[0].rules.pop_back();
  EXPECT_EQ(Refusal(p, lost), "the remaining problem lacks rule 5");
}

TEST(Strictification, EveryWeakRuleStrictAndNoLoopSearchOfItsOwn) {
  const Problem p = Rules({"aa->aba", "b->=bb"});
  const std::optional<Step> step = StrictificationStep(p);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(Refusal(p, *step), "");
  EXPECT_EQ(step->summary, "every weak rule taken as strict: R/S terminates when R u S does");
  EXPECT_EQ(step->details,
            (std::vector<std::string>{"A derivation of R/S is one of R u S: the problem "
                                      "terminates relatively when the plain problem of all its "
                                      "rules, every rule strict, terminates.",
                                      "The rules of R u S:", "  a a -> a b a", "  b -> b b"}));
  EXPECT_TRUE(step->remaining[0].noLoops);
  EXPECT_FALSE(StrictificationStep(Rules({"ab->ba"})).has_value());

  Step weak = *step;
  weak.remaining[0].rules[1].strict = false;
  EXPECT_EQ(Refusal(p, weak), "rule 2 is not the problem's, strict");
  Step looping = *step;
  looping.remaining[0].noLoops = false;
  EXPECT_EQ(Refusal(p, looping), "the plain problem is open to a loop search");
  Step other = *step;
  other.remaining[0].rules[0].rhs.pop_back();
  EXPECT_EQ(Refusal(p, other), "rule 1 is not the problem's, strict");
}

TEST(ContextClosure, EveryRuleInEveryOneLetterContextOnEitherSide) {
  const Problem p = Rules({"abba->", "->=a"});
  ASSERT_TRUE(HasEmptySide(p));
  const std::optional<Step> right = ContextClosureStep(p, false);
  ASSERT_TRUE(right.has_value());
  EXPECT_EQ(Refusal(p, *right), "");
  EXPECT_EQ(right->summary, "right context closure: every rule in each of 2 contexts, 4 rules");
  EXPECT_EQ(right->details,
            (std::vector<std::string>{"Every rule l -> r becomes l a -> r a for every letter a "
                                      "(weak rules stay weak). A letter put at the end of every "
                                      "string of a derivation makes it one of the closed problem "
                                      "with the same strict steps: both terminate together.",
                                      "The closed rules:", "  a b b a a -> a", "  a b b a b -> b",
                                      "  a ->= a a", "  b ->= a b"}));
  const std::optional<Step> left = ContextClosureStep(p, true);
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(Refusal(p, *left), "");
  EXPECT_EQ(
      RuleTexts(left->remaining[0]),
      (std::vector<std::string>{"a a b b a -> a", "b a b b a -> b", "a ->= a a", "b ->= b a"}));
  EXPECT_FALSE(HasEmptySide(right->remaining[0]));

  // Wrong certificates: a rule left out, a context on the wrong side, a weak rule made strict.
  Step missing = *right;
  missing.remaining[0].rules.pop_back();
  EXPECT_EQ(Refusal(p, missing), "the closed problem has not one rule per rule and letter");
  Step side = *right;
  std::get<ContextClosure>(side.certificate).left = true;
  EXPECT_EQ(Refusal(p, side), "rule 1 in the context of letter a is missing");
  Step strict = *right;
  strict.remaining[0].rules[3].strict = true;
  EXPECT_EQ(Refusal(p, strict), "rule 2 in the context of letter b is missing");
  // Without a letter there is no context: the empty problem's rule -> would vanish.
  EXPECT_FALSE(ContextClosureStep(Rules({"->"}), false).has_value());
}

EngineResult ProveFor(const Problem& p, double seconds = 10) {
  EngineOptions options;
  options.timeoutSeconds = seconds;
  options.workers = 1;
  return Prove(p, options);
}

TEST(Inversion, EveryRuleTurnedAroundWhereAllKeepTheLength) {
  const Problem p = Rules({"aab->cca", "cbb->=cab"});
  ASSERT_TRUE(LengthPreserving(p));
  const std::optional<Step> step = InversionStep(p);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(Refusal(p, *step), "");
  EXPECT_EQ(step->summary, "inversion: every rule turned around (all rules keep the length)");
  EXPECT_EQ(RuleTexts(step->remaining[0]),
            (std::vector<std::string>{"c c a -> a a b", "c a b ->= c b b"}));
  EXPECT_TRUE(step->remaining[0].noLoops);
  EXPECT_FALSE(InversionStep(Rules({"aab->cca", "c->=cc"})).has_value());

  Step kept = *step;
  kept.remaining[0].rules[1] = p.rules[1];
  EXPECT_EQ(Refusal(p, kept), "rule 2 is not turned around");
  Step kind = *step;
  kind.remaining[0].rules[0].strict = false;
  EXPECT_EQ(Refusal(p, kind), "rule 1 is not turned around");
  // A rule that changes the length makes the inverted problem no equivalent one.
  const Problem growing = Rules({"ab->ba", "b->=bb"});
  Step forced = *step;
  forced.remaining[0] = growing;
  forced.remaining[0].noLoops = true;
  std::swap(forced.remaining[0].rules[1].lhs, forced.remaining[0].rules[1].rhs);
  std::swap(forced.remaining[0].rules[0].lhs, forced.remaining[0].rules[0].rhs);
  EXPECT_EQ(Refusal(growing, forced), "rule 2 changes the length");
}

TEST(RelativeStrategy, AProblemProvedThroughItsStrictifiedFormInFull) {
  // a b -> b a relative to a c ->= c a: R u S sorts the a's behind the b's and c's.
  const EngineResult result = ProveFor(Rules({"ab->ba", "c->=c", "ac->=ca"}));
  ASSERT_EQ(result.verdict, Verdict::Yes) << result.error;
  EXPECT_EQ(result.proof,
            (std::vector<std::string>{
                "SELKO 1.4 extended engine is applied to the relative string rewriting system",
                "a b -> b a",
                "c ->= c",
                "a c ->= c a",
                "Outline:",
                "1 cleaning: 1 weak rule l ->= l removed; 1 strict and 1 weak rules remain",
                "2 every weak rule taken as strict: R/S terminates when R u S does; 2 strict rules "
                "remain",
                "3 match bound 1: an automaton of 4 states and 9 transitions",
                "Terminating.",
                "Details:",
                "1 cleaning: 1 weak rule l ->= l removed",
                "  A step by a weak rule l ->= l changes no string: the problem terminates exactly "
                "when the one without them does. Removed:",
                "    c ->= c",
                "2 every weak rule taken as strict: R/S terminates when R u S does",
                "  A derivation of R/S is one of R u S: the problem terminates relatively when the "
                "plain problem of all its rules, every rule strict, terminates.",
                "  The rules of R u S:",
                "    a b -> b a",
                "    a c -> c a",
                "3 match bound 1: an automaton of 4 states and 9 transitions",
                "  An automaton compatible with the match-heighted rules, accepting their right "
                "sides: 4 states, 9 transitions, heights up to 1.",
                "  Transitions (from, letter with its height, to; # the end marker):",
                "    1 #_0 1",
                "    0 b_0 2",
                "    2 a_0 1",
                "    0 c_0 2",
                "    2 b_1 3",
                "    3 a_1 1",
                "    2 c_1 3",
                "    3 c_1 3",
                "    3 b_1 3"}));
}

TEST(RelativeStrategy, StrictifiedFormLoopsButTheProblemTerminatesRelatively) {
  // ->= a loops on its own, so R u S loops; b a -> a a still terminates relative to it (the strict
  // rule lowers the number of b's, which no weak step raises).
  const EngineResult result = ProveFor(Rules({"ba->aa", "->=a"}));
  ASSERT_EQ(result.verdict, Verdict::Yes) << result.error;
  EXPECT_EQ(result.proof,
            (std::vector<std::string>{
                "SELKO 1.4 extended engine is applied to the relative string rewriting system",
                "b a -> a a",
                "->= a",
                "Outline:",
                "1 right context closure: every rule in each of 2 contexts, 4 rules; 2 strict and "
                "2 weak rules remain",
                "2 natural matrices of dimension 1: removes 2 rules; nothing remains to prove",
                "Terminating.",
                "Details:",
                "1 right context closure: every rule in each of 2 contexts, 4 rules",
                "  Every rule l -> r becomes l a -> r a for every letter a (weak rules stay weak). "
                "A letter put at the end of every string of a derivation makes it one of the "
                "closed problem with the same strict steps: both terminate together.",
                "  The closed rules:",
                "    b a b -> a a b",
                "    b a a -> a a a",
                "    b ->= a b",
                "    a ->= a a",
                "2 natural matrices of dimension 1: removes 2 rules",
                "  Interpretation (natural matrices of dimension 1):",
                "    b = | 8 |",
                "    a = | 1 |",
                "  Rules removed (strictly decreasing, all others weakly):",
                "    b a b -> a a b",
                "    b a a -> a a a"}));

  // A loop through weak rules alone is no NO: b ->= b b loops, and a b -> b lowers the a's.
  const EngineResult weakLoop = ProveFor(Rules({"ab->b", "b->=bb"}));
  ASSERT_EQ(weakLoop.verdict, Verdict::Yes) << weakLoop.error;
}

TEST(RelativeStrategy, RulesMetAgainInAProblemOfAnotherKindAreSearchedAfresh) {
  // rel-0101: the strictified problem without its weak rule and the relative problem without it
  // hold the same rules; a step remembered for one (leaving a problem of its kind) was once handed
  // to the other, and its check failed.
  const EngineResult result = ProveFor(
      Rules({"cba->cbb", "bac->bbc", "ccc->bcc", "aca->bcb", "bcb->cbc", "acb->bac", "bba->=cbb"}));
  EXPECT_EQ(result.verdict, Verdict::Yes) << result.error;
}

} // namespace
} // namespace selko::engine
