// The dependency graph against rewriting itself: on many small random systems, every pair that
// a search of short rewrites shows following another must be joined to it by an edge, and the
// checker must refuse to drop a pair the search shows following itself.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/check/check_step.hpp"
#include "engine/pairs/dependency_pairs.hpp"
#include "engine/pairs/pair_graph.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

// A random plain system over {a, b, c}: left sides of 1 to 3 letters, right sides of 0 to 4.
Problem RandomSystem(std::mt19937& random) {
  std::vector<std::string> rules;
  const int count = 1 + static_cast<int>(random() % 3);
  for (int i = 0; i < count; ++i) {
    std::string rule;
    const int l = 1 + static_cast<int>(random() % 3);
    const int r = static_cast<int>(random() % 5);
    for (int k = 0; k < l; ++k)
      rule += static_cast<char>('a' + random() % 3);
    rule += "->";
    for (int k = 0; k < r; ++k)
      rule += static_cast<char>('a' + random() % 3);
    rules.push_back(rule);
  }
  return testing::Rules(rules);
}

// Every string reached from `start` by rewriting behind its first letter, up to a length and
// a count.
std::set<String> Reached(const Problem& p, const String& start) {
  constexpr std::size_t kMaxLength = 12;
  constexpr std::size_t kMaxStrings = 2000;
  std::set<String> seen{start};
  std::vector<String> todo{start};
  while (!todo.empty() && seen.size() < kMaxStrings) {
    const String s = todo.back();
    todo.pop_back();
    for (std::size_t k = 1; k < s.size(); ++k) {
      for (const Rule& r : p.rules) {
        if (k + r.lhs.size() > s.size() ||
            !std::equal(r.lhs.begin(), r.lhs.end(), s.begin() + static_cast<std::ptrdiff_t>(k)))
          continue;
        String t(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(k));
        t.insert(t.end(), r.rhs.begin(), r.rhs.end());
        t.insert(t.end(), s.begin() + static_cast<std::ptrdiff_t>(k + r.lhs.size()), s.end());
        if (t.size() <= kMaxLength && seen.insert(t).second) todo.push_back(t);
      }
    }
  }
  return seen;
}

TEST(PairGraph, EveryFollowingThatRewritingShowsIsAnEdge) {
  std::mt19937 random(20261209);
  int edgesSeen = 0;
  int cyclesSeen = 0;
  for (int system = 0; system < 400; ++system) {
    const Problem plain = RandomSystem(random);
    std::optional<Step> dp = DependencyPairStep(plain);
    if (!dp) continue;
    const Problem& p = dp->remaining[0];
    const std::vector<std::vector<std::size_t>> next = PairGraph(p);
    const auto unmarked = static_cast<Letter>(plain.LetterCount());
    for (std::size_t i = 0; i < p.pairs.size(); ++i) {
      // The right side followed by every string of up to two letters.
      std::vector<String> starts{p.pairs[i].rhs};
      for (Letter x = 0; x < unmarked; ++x) {
        starts.push_back(p.pairs[i].rhs);
        starts.back().push_back(x);
        for (Letter y = 0; y < unmarked; ++y) {
          starts.push_back(p.pairs[i].rhs);
          starts.back().insert(starts.back().end(), {x, y});
        }
      }
      std::set<std::size_t> follows;
      for (const String& start : starts) {
        for (const String& s : Reached(p, start)) {
          for (std::size_t j = 0; j < p.pairs.size(); ++j) {
            const String& u = p.pairs[j].lhs;
            if (s.size() >= u.size() && std::equal(u.begin(), u.end(), s.begin()))
              follows.insert(j);
          }
        }
      }
      for (const std::size_t j : follows) {
        ++edgesSeen;
        EXPECT_TRUE(std::binary_search(next[i].begin(), next[i].end(), j))
            << "pair " << p.RuleText(p.pairs[j]) << " follows " << p.RuleText(p.pairs[i]) << " in "
            << testing::RuleTexts(plain).size()
            << " rules: " << ::testing::PrintToString(testing::RuleTexts(plain));
      }
      if (follows.count(i) != 0) {
        ++cyclesSeen;
        Step dropAll;
        dropAll.technique = "dependency graph";
        dropAll.certificate = GraphSplit{};
        std::string why;
        EXPECT_FALSE(CheckStep(p, dropAll, why)) << p.RuleText(p.pairs[i]);
      }
    }
  }
  // The search must have had something to compare.
  EXPECT_GT(edgesSeen, 1000);
  EXPECT_GT(cyclesSeen, 100);
}

} // namespace
} // namespace selko::engine
