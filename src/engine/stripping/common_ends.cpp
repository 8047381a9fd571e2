#include "engine/stripping/common_ends.hpp"

#include <string>

namespace selko::engine {

std::optional<Step> CommonEndsStep(const Problem& problem, Ends ends) {
  if (problem.pairProblem) return std::nullopt;
  CommonEnds certificate;
  Problem shortened;
  shortened.names = problem.names;
  shortened.stripped = true;
  std::size_t changed = 0;
  bool anyFront = false;
  bool anyBack = false;
  for (const Rule& r : problem.rules) {
    const std::size_t n = r.lhs.size();
    std::size_t front = 0;
    if (ends != Ends::Back) {
      while (front + 1 < n && front < r.rhs.size() && r.lhs[front] == r.rhs[front])
        ++front;
    }
    std::size_t back = 0;
    if (ends != Ends::Front) {
      while (front + back + 1 < n && front + back < r.rhs.size() &&
             r.lhs[n - 1 - back] == r.rhs[r.rhs.size() - 1 - back])
        ++back;
    }
    if (front + back > 0) ++changed;
    anyFront = anyFront || front > 0;
    anyBack = anyBack || back > 0;
    certificate.cuts.push_back({front, back});
    Rule s;
    s.strict = r.strict;
    s.lhs.assign(r.lhs.begin() + static_cast<std::ptrdiff_t>(front),
                 r.lhs.end() - static_cast<std::ptrdiff_t>(back));
    s.rhs.assign(r.rhs.begin() + static_cast<std::ptrdiff_t>(front),
                 r.rhs.end() - static_cast<std::ptrdiff_t>(back));
    shortened.rules.push_back(std::move(s));
  }
  if (changed == 0) return std::nullopt;

  Step step;
  step.technique = "common ends";
  step.summary = "common ends: " + std::to_string(changed) + (changed == 1 ? " rule" : " rules") +
                 " shortened by the letters both sides " +
                 (anyFront && anyBack ? "begin or end with"
                  : anyFront          ? "begin with"
                                      : "end with");
  step.details.push_back("A step by a rule u l v -> u r v is a step by l -> r: the problem "
                         "terminates when the shortened one does. The shortened rules:");
  for (const Rule& r : shortened.rules)
    step.details.push_back("  " + shortened.RuleText(r));
  step.remaining.push_back(std::move(shortened));
  step.certificate = std::move(certificate);
  return step;
}

} // namespace selko::engine
