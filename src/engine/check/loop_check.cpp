#include "engine/check/loop_check.hpp"

#include <algorithm>

namespace selko::engine {

namespace {

// No derivation the search could find comes near these; a longer string, or more letters
// rewritten in all, is refused rather than built.
constexpr std::size_t kMaxCheckedLength = std::size_t{1} << 22;
constexpr std::size_t kMaxCheckedWork = std::size_t{1} << 26;

std::string StepName(std::size_t i) { return "step " + std::to_string(i + 1); }

} // namespace

bool CheckLoop(const Problem& problem, const Loop& loop, std::string& why) {
  if (problem.pairProblem) {
    why = "a loop is checked on a plain or relative problem, not on a pair problem";
    return false;
  }
  if (loop.steps.empty()) {
    why = "the derivation has no step";
    return false;
  }
  for (Letter a : loop.start) {
    if (a >= problem.LetterCount()) {
      why = "the start string has a letter the problem does not have";
      return false;
    }
  }
  String current = loop.start;
  String following;
  bool strictStep = false;
  std::size_t work = 0;
  for (std::size_t i = 0; i < loop.steps.size(); ++i) {
    const RewriteStep& step = loop.steps[i];
    if (step.rule >= problem.rules.size()) {
      why = StepName(i) + " names rule " + std::to_string(step.rule + 1) + " of " +
            std::to_string(problem.rules.size());
      return false;
    }
    const Rule& rule = problem.rules[step.rule];
    if (step.position > current.size() || rule.lhs.size() > current.size() - step.position) {
      why = StepName(i) + " applies at position " + std::to_string(step.position) +
            ", beyond the string of length " + std::to_string(current.size());
      return false;
    }
    const auto at = current.begin() + static_cast<std::ptrdiff_t>(step.position);
    if (!std::equal(rule.lhs.begin(), rule.lhs.end(), at)) {
      why = StepName(i) + ": the left side of " + problem.RuleText(rule) +
            " does not stand at position " + std::to_string(step.position);
      return false;
    }
    if (current.size() - rule.lhs.size() + rule.rhs.size() > kMaxCheckedLength) {
      why = StepName(i) + " makes the string too long to check";
      return false;
    }
    work += current.size();
    if (work > kMaxCheckedWork) {
      why = "the derivation is too long to check (" + std::to_string(loop.steps.size()) + " steps)";
      return false;
    }
    following.clear();
    following.insert(following.end(), current.begin(), at);
    following.insert(following.end(), rule.rhs.begin(), rule.rhs.end());
    following.insert(following.end(), at + static_cast<std::ptrdiff_t>(rule.lhs.size()),
                     current.end());
    current.swap(following);
    strictStep = strictStep || rule.strict;
  }
  if (!strictStep) {
    why = "no step uses a strict rule";
    return false;
  }
  if (std::search(current.begin(), current.end(), loop.start.begin(), loop.start.end()) ==
      current.end()) {
    why = "the last string does not contain the start string";
    return false;
  }
  why.clear();
  return true;
}

} // namespace selko::engine
