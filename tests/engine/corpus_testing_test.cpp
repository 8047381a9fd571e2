// The tests' reader of the corpus, on the shapes the corpus uses.
#include "engine/engine_testing.hpp" // SELKO_ENGINE_NEED_CORPUS and the corpus reader

#include <gtest/gtest.h>

namespace selko::engine::testing {
namespace {

TEST(ParseTpdbRules, RulesWeakRulesAndEmptySides) {
  const Problem p = ParseTpdbRules("(RULES\nb a -> a b b,\na ->= ,\n ->= c a\n)\n");
  EXPECT_EQ(p.names, (std::vector<std::string>{"b", "a", "c"}));
  ASSERT_EQ(p.rules.size(), 3u);
  EXPECT_EQ(p.rules[0], (Rule{{0, 1}, {1, 0, 0}, true}));
  EXPECT_EQ(p.rules[1], (Rule{{1}, {}, false}));
  EXPECT_EQ(p.rules[2], (Rule{{}, {2, 1}, false}));
}

TEST(ParseTpdbRules, EveryCorpusProblemReadsAsItsIndexSays) {
  SELKO_ENGINE_NEED_CORPUS();
  const auto index = ReadCorpusIndex();
  ASSERT_GT(index.size(), 1000u);
  for (const auto& [name, entry] : index) {
    const Problem p = ReadCorpusProblem(name);
    ASSERT_EQ(p.rules.size(), entry.rules) << name;
    ASSERT_EQ(p.LetterCount(), entry.symbols) << name;
    ASSERT_EQ(p.IsRelative(), entry.weak) << name;
    ASSERT_EQ(entry.category, entry.weak ? "relative" : "standard") << name;
    ASSERT_TRUE(entry.status == "YES" || entry.status == "NO" || entry.status == "open") << name;
  }
}

} // namespace
} // namespace selko::engine::testing
