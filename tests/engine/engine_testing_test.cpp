// The test reader of the TPDB text format, on the shapes the corpus uses.
#include "engine/engine_testing.hpp"

#include <gtest/gtest.h>

namespace selko::engine::testing {
namespace {

TEST(ReadTpdbText, RulesWeakRulesAndEmptySides) {
  const Problem p = ReadTpdbText("(RULES\nb a -> a b b,\na ->= ,\n ->= c a\n)\n");
  EXPECT_EQ(p.names, (std::vector<std::string>{"b", "a", "c"}));
  ASSERT_EQ(p.rules.size(), 3u);
  EXPECT_EQ(p.rules[0], (Rule{{0, 1}, {1, 0, 0}, true}));
  EXPECT_EQ(p.rules[1], (Rule{{1}, {}, false}));
  EXPECT_EQ(p.rules[2], (Rule{{}, {2, 1}, false}));
}

TEST(ReadTpdbText, EveryCorpusProblemReads) {
  const auto index = CorpusIndex();
  ASSERT_GT(index.size(), 1000u);
  for (const auto& [name, row] : index) {
    const Problem p = CorpusProblem(name);
    ASSERT_EQ(std::to_string(p.rules.size()), row.at(1)) << name;
    ASSERT_EQ(std::to_string(p.LetterCount()), row.at(2)) << name;
    ASSERT_EQ(p.IsRelative() ? "1" : "0", row.at(4)) << name;
  }
}

} // namespace
} // namespace selko::engine::testing
