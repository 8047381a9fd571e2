// The tiling check on its own: certificates found by the tiling, then each spoilt in one way.
#include <gtest/gtest.h>

#include "engine/check/tiling_check.hpp"
#include "engine/engine_testing.hpp"
#include "engine/tiling/sparse_tiling.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

struct Found {
  Problem problem;
  Tiling tiling;
  std::vector<Problem> remaining;
};

Found Find(const Problem& p, int width) {
  std::optional<Step> step = TilingStep(p, width, Deadline());
  EXPECT_TRUE(step.has_value());
  if (!step) return {p, {}, {}};
  return {p, std::get<Tiling>(step->certificate), step->remaining};
}

bool Accepts(const Found& f, std::string& why) {
  why.clear();
  return CheckTiling(f.problem, f.tiling, f.remaining, why);
}

TEST(CheckTiling, RefusesATileTooFewOrALabelledRuleMissing) {
  const Found good = Find(ProblemOf({"a a b -> b a a a", "b b -> a"}), 3);
  std::string why;
  ASSERT_TRUE(Accepts(good, why)) << why;
  ASSERT_FALSE(good.remaining[0].rules.empty());
  // Without any one tile the set is no longer closed (or misses a right side's tile, or a
  // labelled letter stands for a tile not in it).
  for (std::size_t i = 0; i < good.tiling.tiles.size(); ++i) {
    Found f = good;
    f.tiling.tiles.erase(f.tiling.tiles.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_FALSE(Accepts(f, why)) << "without tile " << i;
  }
  for (std::size_t i = 0; i < good.remaining[0].rules.size(); ++i) {
    Found f = good;
    f.remaining[0].rules.erase(f.remaining[0].rules.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_FALSE(Accepts(f, why)) << "without labelled rule " << i;
    EXPECT_EQ(why, "a labelled rule is missing");
  }
  // A labelled rule that speaks of the wrong tile: the rule of that context is missing.
  Found swapped = good;
  Rule& first = swapped.remaining[0].rules[0];
  first.rhs[0] = first.rhs[0] == 0 ? 1 : 0;
  EXPECT_FALSE(Accepts(swapped, why));
}

TEST(CheckTiling, RefusesMalformedCertificates) {
  const Found good = Find(ProblemOf({"a b -> b b a", "b a -> a"}), 2);
  std::string why;
  ASSERT_TRUE(Accepts(good, why)) << why;
  ASSERT_GE(good.tiling.letterTiles.size(), 2u);

  Found f = good;
  f.tiling.letterTiles[1] = f.tiling.letterTiles[0];
  EXPECT_FALSE(Accepts(f, why));
  EXPECT_EQ(why, "two labelled letters stand for the same tile");

  f = good;
  f.tiling.letterTiles.pop_back();
  EXPECT_FALSE(Accepts(f, why));

  f = good; // a tile ending with a border labels no letter
  for (String& t : f.tiling.letterTiles) {
    if (!t.empty()) t.back() = static_cast<Letter>(good.problem.LetterCount() + 1);
  }
  EXPECT_FALSE(Accepts(f, why));

  f = good;
  f.tiling.width = 1;
  EXPECT_FALSE(Accepts(f, why));
  f = good;
  f.tiling.tiles[0].push_back(0);
  EXPECT_FALSE(Accepts(f, why));
  f = good;
  f.tiling.tiles[0][0] = 99;
  EXPECT_FALSE(Accepts(f, why));

  f = good; // the labelled problem must not be tiled again, nor be anything but plain
  f.remaining[0].labelled = false;
  EXPECT_FALSE(Accepts(f, why));
  f = good;
  f.remaining[0].rules[0].strict = false;
  EXPECT_FALSE(Accepts(f, why));
  f = good;
  f.remaining.push_back(f.remaining[0]);
  EXPECT_FALSE(Accepts(f, why));

  f = good; // relative problems are not tiled
  f.problem.rules.push_back(f.problem.rules[0]);
  f.problem.rules.back().strict = false;
  EXPECT_FALSE(Accepts(f, why));
}

} // namespace
} // namespace selko::engine
