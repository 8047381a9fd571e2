#include "engine/interpretations/product_plan.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace selko::engine {
namespace {

constexpr PlanKind kKinds[] = {PlanKind::Grammar, PlanKind::Prefixes, PlanKind::Suffixes};

// The plan stands for the strings, defines each product from earlier symbols only and never
// builds the same product twice.
void CheckPlan(const ProductPlan& plan, const std::vector<String>& strings) {
  ASSERT_EQ(plan.strings.size(), strings.size());
  for (std::size_t i = 0; i < strings.size(); ++i)
    EXPECT_EQ(plan.Expand(plan.strings[i]), strings[i]);
  std::set<std::pair<ProductPlan::Symbol, ProductPlan::Symbol>> seen;
  for (std::size_t k = 0; k < plan.products.size(); ++k) {
    EXPECT_LT(plan.products[k].first, plan.letterCount + k);
    EXPECT_LT(plan.products[k].second, plan.letterCount + k);
    EXPECT_TRUE(seen.insert(plan.products[k]).second);
  }
}

TEST(ProductPlan, GrammarBuildsCommonFactorsOnce) {
  // "0 1 2" occurs in both strings: it is built once, then each string takes one product more.
  const std::vector<String> strings = {{0, 1, 2, 0}, {2, 0, 1, 2}};
  const ProductPlan plan = PlanProducts(strings, 3, PlanKind::Grammar);
  CheckPlan(plan, strings);
  EXPECT_EQ(plan.Expand(4), (String{0, 1, 2}));
  EXPECT_EQ(plan.products.size(), 4u);
}

TEST(ProductPlan, PrefixesAndSuffixesShareWhatTheirStringsShare) {
  const std::vector<String> strings = {{0, 1, 2}, {0, 1, 0}, {2, 1, 0}};
  const ProductPlan prefixes = PlanProducts(strings, 3, PlanKind::Prefixes);
  CheckPlan(prefixes, strings);
  EXPECT_EQ(prefixes.products.size(), 5u); // 01, 012, 010, 21, 210
  const ProductPlan suffixes = PlanProducts(strings, 3, PlanKind::Suffixes);
  CheckPlan(suffixes, strings);
  EXPECT_EQ(suffixes.products.size(), 5u); // 12, 012, 10, 010, 210
  EXPECT_EQ(suffixes.products[0], (std::pair<ProductPlan::Symbol, ProductPlan::Symbol>{1, 2}));
}

TEST(ProductPlan, LongRunsNeedLogarithmicallyManyGrammarProducts) {
  const std::vector<String> strings = {String(200, 0), {0}, {}};
  const ProductPlan plan = PlanProducts(strings, 1, PlanKind::Grammar);
  CheckPlan(plan, strings);
  EXPECT_LE(plan.products.size(), 16u);
  EXPECT_EQ(plan.strings[1], 0u);
  EXPECT_EQ(plan.strings[2], ProductPlan::kEmpty);
  EXPECT_EQ(PlanProducts(strings, 1, PlanKind::Prefixes).products.size(), 199u);
}

TEST(ProductPlan, RandomStringsAreRepresentedExactlyByEveryKind) {
  std::mt19937 random(7);
  for (int round = 0; round < 30; ++round) {
    const std::size_t letters = 1 + random() % 4;
    std::vector<String> strings(1 + random() % 8);
    for (String& s : strings) {
      s.resize(random() % 40);
      for (Letter& a : s)
        a = static_cast<Letter>(random() % letters);
    }
    for (const PlanKind kind : kKinds)
      CheckPlan(PlanProducts(strings, letters, kind), strings);
  }
}

} // namespace
} // namespace selko::engine

namespace selko::engine {
namespace {

TEST(ProductPlan, LargeInputsStayExact) {
  // At the grammar's limit and beyond it (folded only): both stand for their strings.
  std::mt19937 random(11);
  for (const std::size_t total : {kMaxGrammarLetters, kMaxGrammarLetters + 1}) {
    std::vector<String> strings(total / 100, String(100));
    strings.front().resize(100 + total % 100);
    for (String& s : strings) {
      for (Letter& a : s)
        a = static_cast<Letter>(random() % 6);
    }
    const ProductPlan plan = PlanProducts(strings, 6, PlanKind::Grammar);
    for (std::size_t i = 0; i < strings.size(); ++i)
      ASSERT_EQ(plan.Expand(plan.strings[i]), strings[i]);
  }
}

} // namespace
} // namespace selko::engine
