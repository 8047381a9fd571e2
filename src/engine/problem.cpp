#include "engine/problem.hpp"

#include <algorithm>
#include <unordered_set>

namespace selko::engine {

bool Problem::IsRelative() const {
  return std::any_of(rules.begin(), rules.end(), [](const Rule& r) { return !r.strict; });
}

bool Problem::HasStrictRule() const {
  return std::any_of(rules.begin(), rules.end(), [](const Rule& r) { return r.strict; });
}

bool Problem::IsFinished() const { return pairProblem ? pairs.empty() : !HasStrictRule(); }

Problem Problem::Reversed() const {
  Problem reversed = *this;
  for (Rule& r : reversed.rules) {
    std::reverse(r.lhs.begin(), r.lhs.end());
    std::reverse(r.rhs.begin(), r.rhs.end());
  }
  return reversed;
}

Problem Problem::Without(const std::vector<std::size_t>& ruleIndices,
                         const std::vector<std::size_t>& pairIndices) const {
  Problem rest;
  rest.names = names;
  rest.marked = marked;
  rest.pairProblem = pairProblem;
  rest.labelled = labelled;
  rest.stripped = stripped;
  rest.noLoops = noLoops;
  const std::unordered_set<std::size_t> dropRules(ruleIndices.begin(), ruleIndices.end());
  const std::unordered_set<std::size_t> dropPairs(pairIndices.begin(), pairIndices.end());
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (dropRules.count(i) == 0) rest.rules.push_back(rules[i]);
  }
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (dropPairs.count(i) == 0) rest.pairs.push_back(pairs[i]);
  }
  return rest;
}

std::string Problem::Text(const String& s) const {
  std::string text;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (i > 0) text += ' ';
    text += s[i] < names.size() ? names[s[i]] : "?";
  }
  return text;
}

std::string Problem::RuleText(const Rule& rule) const {
  std::string text = Text(rule.lhs);
  text += rule.strict ? (rule.lhs.empty() ? "-> " : " -> ") : (rule.lhs.empty() ? "->= " : " ->= ");
  text += Text(rule.rhs);
  if (rule.rhs.empty()) text.pop_back();
  return text;
}

Letter AddFreshName(std::vector<std::string>& names, const std::string& name) {
  std::string candidate = name;
  while (std::find(names.begin(), names.end(), candidate) != names.end())
    candidate += '#';
  names.push_back(candidate);
  return static_cast<Letter>(names.size() - 1);
}

} // namespace selko::engine
