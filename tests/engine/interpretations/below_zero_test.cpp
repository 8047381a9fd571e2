// Arctic interpretations with entries below zero (never a [1][1] entry or a marked row's first
// entry): found only in arctic shapes, accepted by the checker, and decreasing on actual strings,
// not only on matrices, at the front of pairs and on plain and relative problems.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/check/check_step.hpp"
#include "engine/engine_testing.hpp"
#include "engine/interpretations/matrix_search.hpp"
#include "engine/pairs/dependency_pairs.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

MatrixShape BelowZero(int d, int bits) {
  return {Domain::Arctic, Compared::TopRight, d, bits, true};
}

Problem PairProblemOf(const Problem& p) {
  std::optional<Step> pairs = DependencyPairStep(p);
  return pairs ? pairs->remaining[0] : Problem{};
}

bool HasEntryBelowZero(const MatrixInterpretation& m) {
  for (const Matrix& letter : m.letters) {
    for (const std::int64_t x : letter.entries) {
      if (x < 0 && x != kMinusInfinity) return true;
    }
  }
  return false;
}

TEST(ArcticBelowZero, OnlyArcticShapes) {
  const Problem plain = Rules({"aba->bbba", "bbba->aaab"});
  MatrixShape natural = BelowZero(2, 2);
  natural.domain = Domain::Natural;
  EXPECT_FALSE(FindMatrixRemoval(PairProblemOf(plain), natural, -1, Deadline()));
}

// The pairs of the reversal of a b a -> b b b a, b b b a -> a a a b: a below-zero interpretation
// of dimension 3 removes three of the four, and it uses values below zero.
TEST(ArcticBelowZero, RemovesPairsWithEntriesBelowZero) {
  const Problem pairs = PairProblemOf(Rules({"aba->bbba", "bbba->aaab"}).Reversed());
  ASSERT_EQ(pairs.pairs.size(), 4u);
  const auto removal = FindMatrixRemoval(pairs, BelowZero(3, 2), 20000, Deadline());
  ASSERT_TRUE(removal);
  EXPECT_EQ(removal->removedPairs.size(), 3u);
  EXPECT_TRUE(HasEntryBelowZero(removal->interpretation));
  std::string why;
  const Problem rest = pairs.Without(removal->removedRules, removal->removedPairs);
  EXPECT_TRUE(CheckRuleRemoval(pairs, *removal, {rest}, why)) << why;
}

// The first entry of the value of a marked string, computed here by max-plus on rows: the
// quantity whose decrease makes chains of pairs finite.
std::int64_t FirstEntry(const MatrixInterpretation& m, const String& s) {
  std::vector<std::int64_t> row = m.letters[s[0]].entries;
  const int d = m.dimension;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const Matrix& a = m.letters[s[i]];
    std::vector<std::int64_t> next(static_cast<std::size_t>(d), kMinusInfinity);
    for (int j = 0; j < d; ++j) {
      for (int k = 0; k < d; ++k) {
        if (row[k] == kMinusInfinity || a.At(k, j) == kMinusInfinity) continue;
        next[j] = std::max(next[j], row[k] + a.At(k, j));
      }
    }
    row = std::move(next);
  }
  return row[0];
}

String Concat(std::initializer_list<const String*> parts) {
  String s;
  for (const String* p : parts)
    s.insert(s.end(), p->begin(), p->end());
  return s;
}

// On random small systems: wherever a below-zero interpretation removes pairs, the first entry of
// every marked string is a natural number, every removed pair lowers it and every other pair and
// every rule (anywhere behind the front) keeps it or lowers it, whatever follows.
TEST(ArcticBelowZero, EveryRemovalLowersTheFirstEntryOfActualStrings) {
  std::mt19937 random(20261209);
  const char letters[] = "abc";
  auto randomWord = [&](std::size_t minLength, std::size_t maxLength, int alphabet) {
    std::string w;
    const std::size_t n = std::uniform_int_distribution<std::size_t>(minLength, maxLength)(random);
    for (std::size_t i = 0; i < n; ++i)
      w += letters[std::uniform_int_distribution<int>(0, alphabet - 1)(random)];
    return w;
  };
  int removals = 0;
  for (int trial = 0; trial < 150; ++trial) {
    const int alphabet = trial % 3 == 0 ? 3 : 2;
    std::vector<std::string> rules;
    for (int r = 0; r < 2; ++r)
      rules.push_back(randomWord(1, 4, alphabet) + "->" + randomWord(0, 4, alphabet));
    const Problem problem = PairProblemOf(Rules(rules));
    if (problem.pairs.empty()) continue;
    const auto removal = FindMatrixRemoval(problem, BelowZero(2, 2), 2000, Deadline());
    if (!removal) continue;
    ++removals;
    std::string why;
    const Problem rest = problem.Without(removal->removedRules, removal->removedPairs);
    ASSERT_TRUE(CheckRuleRemoval(problem, *removal, {rest}, why)) << why;
    const MatrixInterpretation& m = removal->interpretation;
    std::vector<Letter> unmarked, marked;
    for (Letter a = 0; a < problem.LetterCount(); ++a)
      (problem.IsMarked(a) ? marked : unmarked).push_back(a);
    auto randomString = [&](std::size_t maxLength) {
      String s;
      const std::size_t n = std::uniform_int_distribution<std::size_t>(0, maxLength)(random);
      for (std::size_t i = 0; i < n; ++i)
        s.push_back(
            unmarked[std::uniform_int_distribution<std::size_t>(0, unmarked.size() - 1)(random)]);
      return s;
    };
    for (int sample = 0; sample < 40; ++sample) {
      const String x = randomString(6);
      for (std::size_t k = 0; k < problem.pairs.size(); ++k) {
        const Rule& p = problem.pairs[k];
        const std::int64_t before = FirstEntry(m, Concat({&p.lhs, &x}));
        const std::int64_t after = FirstEntry(m, Concat({&p.rhs, &x}));
        ASSERT_GE(after, 0) << problem.RuleText(p);
        const bool removed =
            std::binary_search(removal->removedPairs.begin(), removal->removedPairs.end(), k);
        if (removed) {
          ASSERT_GT(before, after) << problem.RuleText(p);
        } else {
          ASSERT_GE(before, after) << problem.RuleText(p);
        }
      }
      const String front{marked[static_cast<std::size_t>(sample) % marked.size()]};
      const String u = randomString(3);
      for (const Rule& r : problem.rules) {
        ASSERT_GE(FirstEntry(m, Concat({&front, &u, &r.lhs, &x})),
                  FirstEntry(m, Concat({&front, &u, &r.rhs, &x})))
            << problem.RuleText(r);
      }
    }
  }
  EXPECT_GT(removals, 30);
}

// The [1][1] entry of the value of a string (the identity's for the empty one), by max-plus.
std::int64_t TopLeft(const MatrixInterpretation& m, const String& s) {
  const int d = m.dimension;
  std::vector<std::int64_t> row(static_cast<std::size_t>(d), kMinusInfinity);
  row[0] = 0;
  for (const Letter a : s) {
    std::vector<std::int64_t> next(static_cast<std::size_t>(d), kMinusInfinity);
    for (int j = 0; j < d; ++j) {
      for (int k = 0; k < d; ++k) {
        const std::int64_t x = m.letters[a].At(k, j);
        if (row[static_cast<std::size_t>(k)] == kMinusInfinity || x == kMinusInfinity) continue;
        next[static_cast<std::size_t>(j)] =
            std::max(next[static_cast<std::size_t>(j)], row[static_cast<std::size_t>(k)] + x);
      }
    }
    row = std::move(next);
  }
  return row[0];
}

// Random arctic matrices with entries below zero (never at [1][1]) on random small relative
// systems: wherever the checker accepts the removal of a rule, the [1][1] entry of every string's
// value is a natural number, a step by the removed rule lowers it in every context and a step by
// the other rule keeps it or lowers it. And the search finds such removals too.
TEST(ArcticBelowZero, RuleRemovalsLowerTheTopLeftEntryOfActualStrings) {
  std::mt19937 random(20261211);
  auto randomWord = [&](std::size_t minLength, std::size_t maxLength) {
    std::string w;
    const std::size_t n = std::uniform_int_distribution<std::size_t>(minLength, maxLength)(random);
    for (std::size_t i = 0; i < n; ++i)
      w += "ab"[std::uniform_int_distribution<int>(0, 1)(random)];
    return w;
  };
  auto randomEntry = [&](bool first) -> std::int64_t {
    const int x = std::uniform_int_distribution<int>(first ? 0 : -4, 3)(random);
    return !first && x == -4 ? kMinusInfinity : x;
  };
  int accepted = 0;
  int negative = 0;
  int found = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const Problem problem = Rules({"a" + randomWord(0, 3) + "->" + randomWord(0, 3),
                                   "b" + randomWord(0, 2) + "->=" + randomWord(0, 3)});
    MatrixInterpretation m{Domain::Arctic, Compared::TopRight, 2, {}};
    for (std::size_t a = 0; a < problem.LetterCount(); ++a) {
      m.letters.push_back(
          {2, 2, {randomEntry(true), randomEntry(false), randomEntry(false), randomEntry(false)}});
    }
    RuleRemoval removal{m, {0}, {}};
    if (trial % 10 == 0) {
      // The search on the same problem: what it finds passes the same test below.
      if (auto searched = FindMatrixRemoval(problem, BelowZero(2, 2), 500, Deadline())) {
        removal = std::move(*searched);
        ++found;
      }
    }
    std::string why;
    const Problem rest = problem.Without(removal.removedRules, {});
    if (!CheckRuleRemoval(problem, removal, {rest}, why)) continue;
    ++accepted;
    negative += HasEntryBelowZero(removal.interpretation) ? 1 : 0;
    auto randomString = [&](std::size_t maxLength) {
      String s;
      const std::size_t n = std::uniform_int_distribution<std::size_t>(0, maxLength)(random);
      for (std::size_t i = 0; i < n; ++i)
        s.push_back(std::uniform_int_distribution<Letter>(0, 1)(random));
      return s;
    };
    for (int sample = 0; sample < 40; ++sample) {
      const String u = randomString(5);
      const String v = randomString(5);
      for (std::size_t k = 0; k < problem.rules.size(); ++k) {
        const Rule& r = problem.rules[k];
        const std::int64_t before = TopLeft(removal.interpretation, Concat({&u, &r.lhs, &v}));
        const std::int64_t after = TopLeft(removal.interpretation, Concat({&u, &r.rhs, &v}));
        ASSERT_GE(after, 0) << problem.RuleText(r);
        if (std::binary_search(removal.removedRules.begin(), removal.removedRules.end(), k)) {
          ASSERT_GT(before, after) << problem.RuleText(r);
        } else {
          ASSERT_GE(before, after) << problem.RuleText(r);
        }
      }
    }
  }
  EXPECT_GT(accepted, 30);
  EXPECT_GT(negative, 10);
  EXPECT_GT(found, 10);
}

} // namespace
} // namespace selko::engine
