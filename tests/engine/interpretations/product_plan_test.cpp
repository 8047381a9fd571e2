#include "engine/interpretations/product_plan.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace selko::engine {
namespace {

String Concatenation(const ProductPlan& plan, const std::vector<ProductPlan::Symbol>& s) {
  String word;
  for (auto symbol : s) {
    const String part = plan.Expand(symbol);
    word.insert(word.end(), part.begin(), part.end());
  }
  return word;
}

// The plan stands for the strings, defines each product from earlier symbols only, and
// leaves no adjacent pair that occurs twice without overlap.
void CheckPlan(const std::vector<String>& strings, std::size_t letters) {
  const ProductPlan plan = PlanProducts(strings, letters);
  ASSERT_EQ(plan.strings.size(), strings.size());
  for (std::size_t i = 0; i < strings.size(); ++i)
    EXPECT_EQ(Concatenation(plan, plan.strings[i]), strings[i]);
  for (std::size_t k = 0; k < plan.products.size(); ++k) {
    EXPECT_LT(plan.products[k].first, letters + k);
    EXPECT_LT(plan.products[k].second, letters + k);
  }
  std::map<std::pair<ProductPlan::Symbol, ProductPlan::Symbol>, int> counts;
  for (const auto& s : plan.strings) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
      if (i > 0 && s[i - 1] == s[i] && s[i] == s[i + 1]) continue; // overlapping in a run
      ++counts[{s[i], s[i + 1]}];
    }
  }
  for (const auto& [pair, count] : counts)
    EXPECT_LT(count, 2) << pair.first << " " << pair.second;
}

TEST(ProductPlan, CommonFactorsBecomeOneProduct) {
  // "0 1 2" occurs in both strings: it is built once and both strings use it.
  const ProductPlan plan = PlanProducts({{0, 1, 2, 0}, {2, 0, 1, 2}}, 3);
  ASSERT_EQ(plan.products.size(), 2u);
  EXPECT_EQ(plan.Expand(4), (String{0, 1, 2}));
  EXPECT_EQ(plan.strings[0], (std::vector<ProductPlan::Symbol>{4, 0}));
  EXPECT_EQ(plan.strings[1], (std::vector<ProductPlan::Symbol>{2, 4}));
  CheckPlan({{0, 1, 2, 0}, {2, 0, 1, 2}}, 3);
}

TEST(ProductPlan, LongRunsCompressToLogarithmicallyManyProducts) {
  const String run(200, 0);
  const ProductPlan plan = PlanProducts({run, {0}, {}}, 1);
  EXPECT_LE(plan.products.size(), 10u);
  EXPECT_LE(plan.strings[0].size(), 8u);
  EXPECT_TRUE(plan.strings[2].empty());
  CheckPlan({run, {0}, {}}, 1);
}

TEST(ProductPlan, RandomStringsAreRepresentedExactly) {
  std::mt19937 random(7);
  for (int round = 0; round < 30; ++round) {
    const std::size_t letters = 1 + random() % 4;
    std::vector<String> strings(1 + random() % 8);
    for (String& s : strings) {
      s.resize(random() % 40);
      for (Letter& a : s)
        a = static_cast<Letter>(random() % letters);
    }
    CheckPlan(strings, letters);
  }
}

TEST(ProductPlan, WithoutSharingEachStringIsItsLetters) {
  const ProductPlan plan = PlanProducts({{0, 1, 0, 1}, {1, 0}}, 2, false);
  EXPECT_TRUE(plan.products.empty());
  EXPECT_EQ(plan.strings[0], (std::vector<ProductPlan::Symbol>{0, 1, 0, 1}));
}

} // namespace
} // namespace selko::engine
