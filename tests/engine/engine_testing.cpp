#include "engine/engine_testing.hpp"

#include <sstream>

#include <gtest/gtest.h>

namespace selko::engine::testing {

namespace {

Letter Intern(Problem& problem, const std::string& name) {
  for (std::size_t i = 0; i < problem.names.size(); ++i) {
    if (problem.names[i] == name) return static_cast<Letter>(i);
  }
  problem.names.push_back(name);
  return static_cast<Letter>(problem.names.size() - 1);
}

// One rule "l1 l2 -> r1" or "l1 ->= r1 r2" into `problem`.
void AddRule(Problem& problem, const std::string& text) {
  std::istringstream words(text);
  Rule rule;
  bool right = false;
  bool arrow = false;
  for (std::string word; words >> word;) {
    if (word == "->" || word == "->=") {
      EXPECT_FALSE(arrow) << "two arrows in \"" << text << "\"";
      arrow = right = true;
      rule.strict = word == "->";
    } else {
      (right ? rule.rhs : rule.lhs).push_back(Intern(problem, word));
    }
  }
  EXPECT_TRUE(arrow) << "no arrow in \"" << text << "\"";
  problem.rules.push_back(rule);
}

} // namespace

Problem ProblemOf(const std::vector<std::string>& rules) {
  Problem problem;
  for (const std::string& rule : rules)
    AddRule(problem, rule);
  return problem;
}

Problem Rules(const std::vector<std::string>& rules) {
  Problem problem;
  for (const std::string& text : rules) {
    const std::size_t arrow = text.find("->");
    EXPECT_NE(arrow, std::string::npos) << "no arrow in " << text;
    if (arrow == std::string::npos) continue;
    Rule rule;
    std::size_t right = arrow + 2;
    if (right < text.size() && text[right] == '=') {
      rule.strict = false;
      ++right;
    }
    for (std::size_t i = 0; i < arrow; ++i)
      rule.lhs.push_back(Intern(problem, std::string(1, text[i])));
    for (std::size_t i = right; i < text.size(); ++i)
      rule.rhs.push_back(Intern(problem, std::string(1, text[i])));
    problem.rules.push_back(std::move(rule));
  }
  return problem;
}

String Letters(const Problem& problem, const std::string& text) {
  String s;
  for (const char c : text) {
    bool found = false;
    for (std::size_t i = 0; i < problem.names.size() && !found; ++i) {
      if (problem.names[i] == std::string(1, c)) {
        s.push_back(static_cast<Letter>(i));
        found = true;
      }
    }
    EXPECT_TRUE(found) << "unknown letter " << c;
  }
  return s;
}

namespace {

std::vector<std::string> Texts(const Problem& problem, const std::vector<Rule>& rules) {
  std::vector<std::string> texts;
  for (const Rule& rule : rules)
    texts.push_back(problem.RuleText(rule));
  return texts;
}

} // namespace

std::vector<std::string> RuleTexts(const Problem& problem) { return Texts(problem, problem.rules); }

std::vector<std::string> PairTexts(const Problem& problem) { return Texts(problem, problem.pairs); }

} // namespace selko::engine::testing
