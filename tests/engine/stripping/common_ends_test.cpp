// Common ends: rules shortened in full (both ends, each end alone, the letter a left side keeps,
// weak rules), the problems with nothing to cut, the checker refusing every kind of wrong cut and
// agreeing with every cut of the corpus.
#include <gtest/gtest.h>

#include <limits>

#include "engine/check/check_step.hpp"
#include "engine/stripping/common_ends.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;
using testing::Rules;
using testing::RuleTexts;

TEST(CommonEnds, ARuleThatOverlapsItselfShortenedInFull) {
  // std-0630: both sides begin with a a a; the shortened rule has no self-overlap left that a
  // match bound could not follow.
  const Problem p = ProblemOf({"a a a b a a a a -> a a a a a a a b a a a b"});
  const std::optional<Step> step = CommonEndsStep(p, Ends::Both);
  ASSERT_TRUE(step.has_value());
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
  EXPECT_EQ(step->technique, "common ends");
  EXPECT_EQ(step->summary, "common ends: 1 rule shortened by the letters both sides begin with");
  EXPECT_EQ(step->details,
            (std::vector<std::string>{"A step by a rule u l v -> u r v is a step by l -> r: the "
                                      "problem terminates when the shortened one does. The "
                                      "shortened rules:",
                                      "  b a a a a -> a a a a b a a a b"}));
  ASSERT_EQ(step->remaining.size(), 1u);
  EXPECT_TRUE(step->remaining[0].stripped);
  EXPECT_EQ(std::get<CommonEnds>(step->certificate).cuts,
            (std::vector<std::array<std::size_t, 2>>{{3, 0}}));
}

TEST(CommonEnds, EachEndAloneWeakRulesAndTheLetterALeftSideKeeps) {
  // Rule 1 has a common front and back; rule 2 is weak; in rule 3 the left side is a prefix of
  // the right one and keeps its last letter; rule 4 has nothing in common at its ends, nor has
  // rule 5, whose left side is empty.
  const Problem p = Rules({"aba->aca", "cab->=cb", "ab->abc", "ab->ba", "->=cc"});
  auto shortened = [&p](Ends ends) {
    const std::optional<Step> step = CommonEndsStep(p, ends);
    EXPECT_TRUE(step.has_value());
    if (!step) return std::vector<std::string>{};
    std::string why;
    EXPECT_TRUE(CheckStep(p, *step, why)) << why;
    return RuleTexts(step->remaining[0]);
  };
  EXPECT_EQ(shortened(Ends::Both),
            (std::vector<std::string>{"b -> c", "a ->=", "b -> b c", "a b -> b a", "->= c c"}));
  EXPECT_EQ(shortened(Ends::Front), (std::vector<std::string>{"b a -> c a", "a b ->= b", "b -> b c",
                                                              "a b -> b a", "->= c c"}));
  EXPECT_EQ(shortened(Ends::Back),
            (std::vector<std::string>{"a b -> a c", "c a ->= c", "a b -> a b c", "a b -> b a",
                                      "->= c c"}));
  EXPECT_EQ(CommonEndsStep(p, Ends::Both)->summary,
            "common ends: 3 rules shortened by the letters both sides begin or end with");
  EXPECT_EQ(CommonEndsStep(p, Ends::Back)->summary,
            "common ends: 2 rules shortened by the letters both sides end with");

  // Nothing to cut, or a pair problem: no step.
  EXPECT_FALSE(CommonEndsStep(Rules({"ab->ba", "a->"}), Ends::Both).has_value());
  EXPECT_FALSE(CommonEndsStep(Rules({"ab->ac"}), Ends::Back).has_value());
  Problem pairs = Rules({"aba->aca"});
  pairs.pairProblem = true;
  EXPECT_FALSE(CommonEndsStep(pairs, Ends::Both).has_value());
}

TEST(CommonEnds, TheCheckRefusesEveryKindOfWrongCut) {
  const Problem p = Rules({"aba->aca", "bc->=cb"});
  const Step good = *CommonEndsStep(p, Ends::Both);
  std::string why;
  ASSERT_TRUE(CheckStep(p, good, why)) << why;
  auto refused = [&](const std::array<std::size_t, 2>& cut, const std::string& reason) {
    Step s = good;
    std::get<CommonEnds>(s.certificate).cuts[1] = cut;
    EXPECT_FALSE(CheckStep(p, s, why));
    EXPECT_EQ(why, reason);
  };
  // b c and c b differ at both ends; a cut of both letters leaves no left side; cuts so large
  // that their sum would wrap around.
  refused({1, 0}, "the letters cut from rule 2 differ between its sides");
  refused({0, 1}, "the letters cut from rule 2 differ between its sides");
  refused({1, 1}, "rule 2 would lose its whole left side");
  refused({2, 1}, "rule 2 is cut by more letters than its sides have");
  const std::size_t huge = std::numeric_limits<std::size_t>::max();
  refused({huge, 1}, "rule 2 is cut by more letters than its sides have");
  refused({1, huge}, "rule 2 is cut by more letters than its sides have");

  Step s = good;
  s.remaining[0].rules[0].strict = false; // a strict rule made weak
  EXPECT_FALSE(CheckStep(p, s, why));
  EXPECT_EQ(why, "rule 1 is not shortened as its cut says");
  s = good;
  s.remaining[0].rules[0].rhs.push_back(0); // a letter too many
  EXPECT_FALSE(CheckStep(p, s, why));
  EXPECT_EQ(why, "rule 1 is not shortened as its cut says");
  s = good;
  s.remaining[0].rules.pop_back();
  EXPECT_FALSE(CheckStep(p, s, why));
  EXPECT_EQ(why, "not every rule has its cut and its shortened rule");
  // Unmarked, the shortened problem's loops would be taken for the problem's.
  s = good;
  s.remaining[0].stripped = false;
  EXPECT_FALSE(CheckStep(p, s, why));
  EXPECT_EQ(why, "the shortened problem is not a marked problem of the same letters");
}

TEST(CommonEnds, EveryCutOfTheCorpusPassesTheCheck) {
  SELKO_ENGINE_NEED_CORPUS();
  // Technique and checker are written apart: they must agree on every problem, relative ones
  // with their empty left sides included.
  int checked = 0;
  for (const auto& [name, entry] : testing::ReadCorpusIndex()) {
    if (entry.rules > 200) continue;
    const Problem p = testing::ReadCorpusProblem(name);
    for (const Ends ends : {Ends::Both, Ends::Front, Ends::Back}) {
      const std::optional<Step> step = CommonEndsStep(p, ends);
      if (!step) continue;
      std::string why;
      EXPECT_TRUE(CheckStep(p, *step, why)) << name << ": " << why;
      ++checked;
    }
  }
  EXPECT_GE(checked, 1000);
}

} // namespace
} // namespace selko::engine
