#include "engine/loops/derivation.hpp"

#include <algorithm>

namespace selko::engine {

namespace {

std::string Shown(const Problem& problem, const String& s) {
  return s.empty() ? "(the empty string)" : problem.Text(s);
}

} // namespace

std::vector<std::string> DerivationLines(const Problem& problem, const Loop& loop) {
  std::vector<std::string> lines;
  lines.push_back("start: " + Shown(problem, loop.start));
  String current = loop.start;
  for (std::size_t i = 0; i < loop.steps.size(); ++i) {
    const RewriteStep& step = loop.steps[i];
    const bool applies =
        step.rule < problem.rules.size() && step.position <= current.size() &&
        problem.rules[step.rule].lhs.size() <= current.size() - step.position &&
        std::equal(problem.rules[step.rule].lhs.begin(), problem.rules[step.rule].lhs.end(),
                   current.begin() + static_cast<std::ptrdiff_t>(step.position));
    if (!applies) {
      lines.push_back("step " + std::to_string(i + 1) + " does not apply");
      return lines;
    }
    const Rule& rule = problem.rules[step.rule];
    const auto at = current.begin() + static_cast<std::ptrdiff_t>(step.position);
    String next(current.begin(), at);
    next.insert(next.end(), rule.rhs.begin(), rule.rhs.end());
    next.insert(next.end(), at + static_cast<std::ptrdiff_t>(rule.lhs.size()), current.end());
    current.swap(next);
    lines.push_back(problem.RuleText(rule) + " at position " + std::to_string(step.position) +
                    ": " + Shown(problem, current));
  }
  const auto found =
      std::search(current.begin(), current.end(), loop.start.begin(), loop.start.end());
  if (found == current.end()) {
    lines.push_back("the start string does not occur in the last string");
    return lines;
  }
  const String left(current.begin(), found);
  const String right(found + static_cast<std::ptrdiff_t>(loop.start.size()), current.end());
  std::string context;
  if (!left.empty()) context += problem.Text(left) + " ";
  context += "[" + problem.Text(loop.start) + "]";
  if (!right.empty()) context += " " + problem.Text(right);
  lines.push_back("contains the start string: " + context);
  return lines;
}

} // namespace selko::engine
