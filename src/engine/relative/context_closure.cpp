#include "engine/relative/relative_steps.hpp"

#include <algorithm>
#include <string>

namespace selko::engine {

bool HasEmptySide(const Problem& problem) {
  return std::any_of(problem.rules.begin(), problem.rules.end(),
                     [](const Rule& r) { return r.lhs.empty() || r.rhs.empty(); });
}

std::optional<Step> ContextClosureStep(const Problem& problem, bool left) {
  if (problem.pairProblem || problem.LetterCount() == 0) return std::nullopt;
  Problem closed;
  closed.names = problem.names;
  closed.noLoops = true;
  const auto letters = static_cast<Letter>(problem.LetterCount());
  closed.rules.reserve(problem.rules.size() * letters);
  for (const Rule& r : problem.rules) {
    for (Letter a = 0; a < letters; ++a) {
      Rule c;
      c.strict = r.strict;
      if (left) {
        c.lhs.push_back(a);
        c.rhs.push_back(a);
      }
      c.lhs.insert(c.lhs.end(), r.lhs.begin(), r.lhs.end());
      c.rhs.insert(c.rhs.end(), r.rhs.begin(), r.rhs.end());
      if (!left) {
        c.lhs.push_back(a);
        c.rhs.push_back(a);
      }
      closed.rules.push_back(std::move(c));
    }
  }
  const std::string side = left ? "left" : "right";
  Step step;
  step.technique = "context closure";
  step.summary = side + " context closure: every rule in each of " + std::to_string(letters) +
                 (letters == 1 ? " context" : " contexts") + ", " +
                 std::to_string(closed.rules.size()) + " rules";
  step.details.push_back(std::string("Every rule l -> r becomes ") +
                         (left ? "a l -> a r" : "l a -> r a") +
                         " for every letter a (weak rules stay weak). A letter put at the " +
                         (left ? "front" : "end") +
                         " of every string of a derivation makes it one of the closed problem "
                         "with the same strict steps: both terminate together.");
  ListRules(step, "The closed rules:", closed);
  step.remaining.push_back(std::move(closed));
  step.certificate = ContextClosure{left};
  return step;
}

} // namespace selko::engine
