#include "engine/check/common_ends_check.hpp"

#include <algorithm>

namespace selko::engine {

bool CheckCommonEnds(const Problem& problem, const CommonEnds& ends,
                     const std::vector<Problem>& remaining, std::string& why) {
  if (problem.pairProblem || !problem.pairs.empty()) {
    return (why = "the ends of a pair problem are not cut", false);
  }
  if (remaining.size() != 1) return (why = "cutting common ends leaves one problem", false);
  const Problem& s = remaining[0];
  if (s.pairProblem || !s.pairs.empty() || !s.stripped || s.names != problem.names) {
    return (why = "the shortened problem is not a marked problem of the same letters", false);
  }
  if (ends.cuts.size() != problem.rules.size() || s.rules.size() != problem.rules.size()) {
    return (why = "not every rule has its cut and its shortened rule", false);
  }
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    const Rule& r = problem.rules[i];
    const std::size_t front = ends.cuts[i][0];
    const std::size_t back = ends.cuts[i][1];
    const std::string which = "rule " + std::to_string(i + 1);
    // Written so that no sum can overflow, whatever the certificate holds.
    if (front > r.lhs.size() || back > r.lhs.size() - front || front > r.rhs.size() ||
        back > r.rhs.size() - front) {
      return (why = which + " is cut by more letters than its sides have", false);
    }
    // A rule with an empty left side (a weak rule, say) may stay as it is.
    if (front + back > 0 && front + back == r.lhs.size()) {
      return (why = which + " would lose its whole left side", false);
    }
    if (!std::equal(r.lhs.begin(), r.lhs.begin() + static_cast<std::ptrdiff_t>(front),
                    r.rhs.begin()) ||
        !std::equal(r.lhs.end() - static_cast<std::ptrdiff_t>(back), r.lhs.end(),
                    r.rhs.end() - static_cast<std::ptrdiff_t>(back))) {
      return (why = "the letters cut from " + which + " differ between its sides", false);
    }
    const Rule& t = s.rules[i];
    if (t.strict != r.strict ||
        !std::equal(t.lhs.begin(), t.lhs.end(), r.lhs.begin() + static_cast<std::ptrdiff_t>(front),
                    r.lhs.end() - static_cast<std::ptrdiff_t>(back)) ||
        !std::equal(t.rhs.begin(), t.rhs.end(), r.rhs.begin() + static_cast<std::ptrdiff_t>(front),
                    r.rhs.end() - static_cast<std::ptrdiff_t>(back))) {
      return (why = which + " is not shortened as its cut says", false);
    }
  }
  return true;
}

} // namespace selko::engine
