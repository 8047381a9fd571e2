// Properties of whole proof runs over small generated systems: runs are repeatable, no proof
// of termination is given for a system with a loop that an independent bounded search finds,
// and every reported loop start really begins an infinite derivation.
#include <cstdint>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/prover.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

struct GenRule {
  std::string lhs;
  std::string rhs;
  bool strict = true;
};

// A small system over the letters a, b, c with sides of at most four letters.
std::vector<GenRule> GenerateSystem(std::mt19937& random, bool relative) {
  std::uniform_int_distribution<int> ruleCount(1, 3);
  std::uniform_int_distribution<int> letterCount(2, 3);
  const int letters = letterCount(random);
  auto side = [&](int minLength) {
    std::uniform_int_distribution<int> length(minLength, 4);
    std::uniform_int_distribution<int> letter(0, letters - 1);
    std::string s;
    for (int n = length(random); n > 0; --n)
      s += static_cast<char>('a' + letter(random));
    return s;
  };
  std::vector<GenRule> rules;
  for (int n = ruleCount(random); n > 0; --n)
    rules.push_back({side(1), side(0), true});
  if (relative) rules.push_back({side(1), side(0), false});
  return rules;
}

std::vector<std::string> InputLines(const std::vector<GenRule>& rules) {
  std::vector<std::string> lines;
  for (const GenRule& r : rules)
    lines.push_back(r.lhs + (r.strict ? "->" : "->=") + r.rhs);
  return lines;
}

// One-step successors of s; `usedStrict` tells whether the step used a strict rule.
template <typename Visit>
void ForEachStep(const std::vector<GenRule>& rules, const std::string& s, Visit visit) {
  for (const GenRule& r : rules) {
    for (std::size_t at = s.find(r.lhs); at != std::string::npos; at = s.find(r.lhs, at + 1)) {
      visit(s.substr(0, at) + r.rhs + s.substr(at + r.lhs.size()), r.strict);
    }
  }
}

constexpr std::size_t kMaxLength = 24;
constexpr std::size_t kMaxStates = 4000;

// Whether s rewrites in one or more steps, at least one of them strict, to a string that
// contains s (a loop of the relation R/S). Bounded breadth-first search.
bool LoopsOnItself(const std::vector<GenRule>& rules, const std::string& s) {
  std::set<std::pair<std::string, bool>> seen;
  std::deque<std::pair<std::string, bool>> queue;
  ForEachStep(rules, s, [&](const std::string& t, bool strict) {
    if (seen.insert({t, strict}).second) queue.push_back({t, strict});
  });
  while (!queue.empty() && seen.size() < kMaxStates) {
    const auto [t, strict] = queue.front();
    queue.pop_front();
    if (strict && t.find(s) != std::string::npos) return true;
    if (t.size() > kMaxLength) continue;
    ForEachStep(rules, t, [&](const std::string& u, bool usedStrict) {
      const std::pair<std::string, bool> next{u, strict || usedStrict};
      if (seen.insert(next).second) queue.push_back(next);
    });
  }
  return false;
}

// Whether some string reachable from s (s included) loops on itself.
bool StartsInfiniteDerivation(const std::vector<GenRule>& rules, const std::string& s) {
  std::set<std::string> seen{s};
  std::deque<std::string> queue{s};
  while (!queue.empty() && seen.size() < 300) {
    const std::string t = queue.front();
    queue.pop_front();
    if (LoopsOnItself(rules, t)) return true;
    if (t.size() > kMaxLength) continue;
    ForEachStep(rules, t, [&](const std::string& u, bool) {
      if (seen.insert(u).second) queue.push_back(u);
    });
  }
  return false;
}

// A loop found by the independent search: some left-hand side, or a short string over the
// letters of the system, loops on itself.
bool HasLoop(const std::vector<GenRule>& rules) {
  std::set<std::string> starts;
  for (const GenRule& r : rules) {
    starts.insert(r.lhs);
    starts.insert(r.lhs + r.lhs);
  }
  for (const std::string& s : starts)
    if (LoopsOnItself(rules, s)) return true;
  return false;
}

RunResult RunFresh(const std::vector<std::string>& lines, const RunOptions& options) {
  auto prover = testing::MakeProver();
  return prover->Run(lines, options);
}

RunOptions SmallOptions(std::uint32_t seed) {
  RunOptions options;
  options.matchBound = (seed & 1) == 0;
  options.remLabels = (seed & 2) == 0;
  options.attemptsText = "2";
  return options;
}

constexpr char kLoopLine[] = "Non-terminating; looping derivation starting in: ";

TEST(GeneratedSystems, RunsAreRepeatableAndVerdictsAgreeWithABoundedSearch) {
  int terminating = 0;
  int loops = 0;
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    std::mt19937 random(seed);
    const bool relative = seed % 4 == 0;
    const std::vector<GenRule> rules = GenerateSystem(random, relative);
    const std::vector<std::string> lines = InputLines(rules);
    const RunOptions options = SmallOptions(seed);
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + lines.front() +
                 (lines.size() > 1 ? " " + lines[1] : "") +
                 (lines.size() > 2 ? " " + lines[2] : "") +
                 (lines.size() > 3 ? " " + lines[3] : ""));

    const RunResult first = RunFresh(lines, options);
    const RunResult second = RunFresh(lines, options);
    ASSERT_EQ(first.status, second.status);
    ASSERT_TRUE(testing::SameLines(first.proof, second.proof));
    ASSERT_NE(first.status, Status::Error) << first.error;

    if (first.status == Status::Terminating) {
      ++terminating;
      EXPECT_FALSE(HasLoop(rules)) << "termination claimed for a system with a loop";
    }
    if (first.status == Status::LoopFound) {
      ++loops;
      ASSERT_FALSE(relative) << "the loop search runs on plain systems only";
      ASSERT_FALSE(first.proof.empty());
      const std::string& line = first.proof.back();
      ASSERT_EQ(line.rfind(kLoopLine, 0), 0u) << line;
      const std::string start = line.substr(sizeof(kLoopLine) - 1);
      EXPECT_TRUE(StartsInfiniteDerivation(rules, start))
          << "no infinite derivation from the reported string " << start;
    }
  }
  // The generator reaches both verdicts, so the checks above are not vacuous.
  EXPECT_GT(terminating, 20);
  EXPECT_GT(loops, 10);
}

} // namespace
} // namespace selko
