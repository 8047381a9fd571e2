// Semantic labelling by models over {0, 1}: the models of a small system and the labelled rules of
// one model written out in full, the refusals, and every labelling of small corpus systems
// passing the independent check.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine/engine_testing.hpp"
#include "engine/labelling/boolean_labelling.hpp"
#include "engine/pairs/dependency_pairs.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;
using testing::RuleTexts;
using Function = std::array<std::uint8_t, 2>;

constexpr Function kId{0, 1}, kZero{0, 0}, kOne{1, 1}, kNeg{1, 0};

TEST(BooleanLabelling, TheModelsOfASwap) {
  // a b -> b a: the models are the commuting pairs (f_a, f_b). The identity commutes with every
  // function, each constant with itself and the identity only, x -> 1 - x with itself and the
  // identity. Of the ten pairs, (id, id) gives two copies of the system, and of (id, 0) and
  // (id, 1), of (0, id) and (1, id), of (0, 0) and (1, 1) only one of the dual pair is listed.
  // All six tell both letters apart: those with no identity come first, each group in the order
  // of the enumeration (identity, 0, 1, 1 - x; a first).
  const std::vector<BooleanModel> models = BooleanModels(ProblemOf({"a b -> b a"}), 10);
  std::vector<std::vector<Function>> functions;
  for (const BooleanModel& m : models)
    functions.push_back(m.functions);
  EXPECT_EQ(
      functions,
      (std::vector<std::vector<Function>>{
          {kZero, kZero}, {kNeg, kNeg}, {kZero, kId}, {kNeg, kId}, {kId, kZero}, {kId, kNeg}}));
  EXPECT_EQ(BooleanModels(ProblemOf({"a b -> b a"}), 2).size(), 2u);
  // a -> (empty) needs f_a = x: the identity everywhere is no labelling.
  EXPECT_EQ(BooleanModels(ProblemOf({"a ->"}), 10).size(), 0u);
}

TEST(BooleanLabelling, TheLabelledRulesOfAModelInFull) {
  // f_a(x) = 1 - x, f_b(x) = x. At x = 0: a b gives b{0}, a{f_b(0) = 0}; b a gives a{0},
  // b{f_a(0) = 1}. At x = 1: a{1} b{1} and b{0} a{1}.
  const Problem p = ProblemOf({"a b -> b a"});
  BooleanModel model;
  model.functions = {kNeg, kId};
  const std::optional<Step> step = LabellingStep(p, model);
  ASSERT_TRUE(step.has_value());
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
  EXPECT_EQ(step->summary,
            "semantic labelling by a model over {0, 1}: a labelled system of 2 rules");
  EXPECT_EQ(step->details,
            (std::vector<std::string>{
                "Model over {0, 1} (both sides of every rule are the same function):",
                "  a(x) = 1 - x", "  b(x) = x",
                "Each letter is labelled {v} by the value v of what follows it, the right end "
                "read as 0 and as 1. The labelled rules:",
                "  a{0} b{0} -> b{1} a{0}", "  a{1} b{1} -> b{0} a{1}"}));
  ASSERT_EQ(step->remaining.size(), 1u);
  const Problem& labelled = step->remaining[0];
  EXPECT_TRUE(labelled.labelled);
  EXPECT_EQ(RuleTexts(labelled),
            (std::vector<std::string>{"a{0} b{0} -> b{1} a{0}", "a{1} b{1} -> b{0} a{1}"}));
  const auto& labels = std::get<BooleanModel>(step->certificate).letterLabels;
  EXPECT_EQ(labels, (std::vector<std::pair<Letter, std::uint8_t>>{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));

  // Weak rules stay weak, erasing rules and names that clash with labelled ones are labelled
  // like any other: f_a = 0, f_b = x.
  const Problem relative = ProblemOf({"a a ->= a", "b a -> a", "b{0} -> b{0}"});
  BooleanModel constant;
  constant.functions = {kZero, kId, kId};
  const std::optional<Step> weak = LabellingStep(relative, constant);
  ASSERT_TRUE(weak.has_value());
  EXPECT_TRUE(CheckStep(relative, *weak, why)) << why;
  EXPECT_EQ(
      RuleTexts(weak->remaining[0]),
      (std::vector<std::string>{"a{0} a{0} ->= a{0}", "a{0} a{1} ->= a{1}", "b{0} a{0} -> a{0}",
                                "b{0} a{1} -> a{1}", "b{0}{0} -> b{0}{0}", "b{0}{1} -> b{0}{1}"}));
}

TEST(BooleanLabelling, RefusesWhatIsNoModel) {
  const Problem p = ProblemOf({"a b -> b a"});
  BooleanModel model;
  model.functions = {kNeg, kZero}; // 1 - 0 differs from 0
  EXPECT_FALSE(LabellingStep(p, model));
  model.functions = {kNeg};
  EXPECT_FALSE(LabellingStep(p, model));
  model.functions = {kNeg, Function{0, 2}};
  EXPECT_FALSE(LabellingStep(p, model));
  Problem labelled = p;
  labelled.labelled = true;
  model.functions = {kNeg, kId};
  EXPECT_FALSE(LabellingStep(labelled, model));
}

TEST(BooleanLabelling, ManyRulesInOnePass) {
  // 50000 copies of a b -> b a: the models are those of one copy, and the labelled problem keeps
  // each labelled rule once.
  Problem p = ProblemOf({"a b -> b a"});
  p.rules.assign(50000, p.rules[0]);
  EXPECT_EQ(BooleanModels(p, 10).size(), 6u);
  BooleanModel model;
  model.functions = {kNeg, kId};
  const std::optional<Step> step = LabellingStep(p, model);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->remaining[0].rules.size(), 2u);
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
}

TEST(CheckBooleanModel, RefusesSpoiltCertificates) {
  const Problem p = ProblemOf({"a b -> b a", "a a ->= b"});
  const std::vector<BooleanModel> models = BooleanModels(p, 1);
  ASSERT_EQ(models.size(), 1u);
  const std::optional<Step> good = LabellingStep(p, models[0]);
  ASSERT_TRUE(good.has_value());
  std::string why;
  ASSERT_TRUE(CheckStep(p, *good, why)) << why;
  auto refused = [&](Step s) {
    why.clear();
    return !CheckStep(p, s, why) && !why.empty();
  };
  auto model = [](Step& s) -> BooleanModel& { return std::get<BooleanModel>(s.certificate); };
  for (std::size_t i = 0; i < good->remaining[0].rules.size(); ++i) {
    Step s = *good;
    s.remaining[0].rules.erase(s.remaining[0].rules.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_TRUE(refused(s)) << "without labelled rule " << i;
  }
  Step s = *good; // a strict rule labelled as weak
  for (Rule& r : s.remaining[0].rules)
    r.strict = false;
  EXPECT_TRUE(refused(s));
  s = *good; // a function that is no model
  model(s).functions[0] = model(s).functions[0] == kOne ? kZero : kOne;
  EXPECT_TRUE(refused(s));
  s = *good;
  model(s).functions[1] = {2, 0};
  EXPECT_TRUE(refused(s));
  s = *good;
  model(s).functions.pop_back();
  EXPECT_TRUE(refused(s));
  s = *good; // two letters for one labelled letter
  model(s).letterLabels[1] = model(s).letterLabels[0];
  EXPECT_TRUE(refused(s));
  s = *good; // a letter that stands for no letter of the problem
  model(s).letterLabels[0].first = 7;
  EXPECT_TRUE(refused(s));
  s = *good;
  model(s).letterLabels.pop_back();
  EXPECT_TRUE(refused(s));
  s = *good; // the labelled problem must say what it is, and be one problem
  s.remaining[0].labelled = false;
  EXPECT_TRUE(refused(s));
  s = *good;
  s.remaining.push_back(s.remaining[0]);
  EXPECT_TRUE(refused(s));
}

TEST(BooleanLabelling, PairProblemsWithPairsThatAreNoModel) {
  // a a ->, a b ->, b b a -> a b a b b: the rules force f_a = f_b, a bijection; the dual of
  // 1 - x is itself, so that is the one model. Its labels are the parity of what follows. The
  // pair b# b a -> b# is no equation of the model (b# is the identity), and is labelled anyway.
  const Problem rules = ProblemOf({"a a ->", "a b ->", "b b a -> a b a b b"});
  const std::optional<Step> pairStep = DependencyPairStep(rules);
  ASSERT_TRUE(pairStep.has_value());
  Problem p = pairStep->remaining[0];
  std::erase_if(p.pairs, [&](const Rule& r) { return p.RuleText(r) != "b# b a -> b#"; });
  ASSERT_EQ(p.pairs.size(), 1u);
  const std::vector<BooleanModel> models = BooleanModels(p, 5);
  ASSERT_EQ(models.size(), 1u);
  EXPECT_EQ(models[0].functions[0], kNeg);
  const std::optional<Step> step = LabellingStep(p, models[0]);
  ASSERT_TRUE(step.has_value());
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
  EXPECT_EQ(step->summary, "semantic labelling by a model over {0, 1}: a labelled system of 6 "
                           "rules and 2 pairs");
  const Problem& labelled = step->remaining[0];
  EXPECT_TRUE(labelled.pairProblem);
  EXPECT_EQ(RuleTexts(labelled),
            (std::vector<std::string>{"a{1} a{0} ->", "a{0} a{1} ->", "a{1} b{0} ->",
                                      "a{0} b{1} ->", "b{0} b{1} a{0} -> a{0} b{1} a{0} b{1} b{0}",
                                      "b{1} b{0} a{1} -> a{1} b{0} a{1} b{0} b{1}"}));
  std::vector<std::string> pairs, marked;
  for (const Rule& r : labelled.pairs)
    pairs.push_back(labelled.RuleText(r));
  for (Letter a = 0; a < labelled.LetterCount(); ++a)
    if (labelled.IsMarked(a)) marked.push_back(labelled.names[a]);
  EXPECT_EQ(pairs,
            (std::vector<std::string>{"b{0}# b{1} a{0} -> b{0}#", "b{1}# b{0} a{1} -> b{1}#"}));
  EXPECT_EQ(marked, (std::vector<std::string>{"b{0}#", "b{1}#"}));

  // The check wants every pair labelled at both values, and the marks kept.
  auto refused = [&](Step s) {
    why.clear();
    return !CheckStep(p, s, why) && !why.empty();
  };
  Step s = *step;
  s.remaining[0].pairs.pop_back();
  EXPECT_TRUE(refused(s));
  s = *step;
  s.remaining[0].marked.assign(s.remaining[0].LetterCount(), 0);
  EXPECT_TRUE(refused(s));
  s = *step;
  s.remaining[0].pairProblem = false;
  EXPECT_TRUE(refused(s));
}

TEST(BooleanLabelling, EveryLabellingOfSmallCorpusSystemsPassesTheCheck) {
  SELKO_ENGINE_NEED_CORPUS();
  // Technique and checker are written apart: they must agree on every model of every system.
  int checked = 0;
  for (const auto& [name, entry] : testing::ReadCorpusIndex()) {
    if (entry.rules > 6 || entry.symbols > 3) continue;
    if (checked >= 200) break;
    const Problem p = testing::ReadCorpusProblem(name);
    for (const Problem& q : {p, p.Reversed()}) {
      for (const BooleanModel& m : BooleanModels(q, 3)) {
        const std::optional<Step> step = LabellingStep(q, m);
        ASSERT_TRUE(step.has_value()) << name;
        std::string why;
        EXPECT_TRUE(CheckStep(q, *step, why)) << name << ": " << why;
        ++checked;
      }
    }
  }
  EXPECT_GE(checked, 100);
}

} // namespace
} // namespace selko::engine
