#include "engine/check/check_step.hpp"

#include "engine/check/common_ends_check.hpp"
#include "engine/check/labelling_check.hpp"
#include "engine/check/loop_check.hpp"
#include "engine/check/match_bound_check.hpp"
#include "engine/check/narrowing_check.hpp"
#include "engine/check/relative_check.hpp"
#include "engine/check/tiling_check.hpp"

#include <algorithm>
#include <type_traits>

namespace selko::engine {

bool SameProblem(const Problem& a, const Problem& b) {
  return a.pairProblem == b.pairProblem && a.labelled == b.labelled && a.stripped == b.stripped &&
         a.noLoops == b.noLoops && a.names == b.names && a.marked == b.marked &&
         a.rules == b.rules && a.pairs == b.pairs;
}

namespace {

bool CheckReversal(const Problem& problem, const std::vector<Problem>& remaining,
                   std::string& why) {
  if (problem.pairProblem) return (why = "a pair problem is not reversed", false);
  if (remaining.size() != 1) return (why = "a reversal leaves one problem", false);
  const Problem& r = remaining[0];
  if (r.pairProblem || r.names != problem.names || !r.pairs.empty() ||
      r.rules.size() != problem.rules.size()) {
    return (why = "the remaining problem is not the reversal", false);
  }
  for (std::size_t i = 0; i < r.rules.size(); ++i) {
    const Rule& a = problem.rules[i];
    const Rule& b = r.rules[i];
    if (a.strict != b.strict ||
        !std::equal(a.lhs.rbegin(), a.lhs.rend(), b.lhs.begin(), b.lhs.end()) ||
        !std::equal(a.rhs.rbegin(), a.rhs.rend(), b.rhs.begin(), b.rhs.end())) {
      return (why = "rule " + std::to_string(i + 1) + " is not reversed", false);
    }
  }
  return true;
}

} // namespace

bool CheckStep(const Problem& problem, const Step& step, std::string& why) {
  return std::visit(
      [&](const auto& certificate) -> bool {
        using C = std::decay_t<decltype(certificate)>;
        if constexpr (std::is_same_v<C, RuleRemoval>) {
          return CheckRuleRemoval(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, Reversal>) {
          if (problem.pairProblem) return (why = "a pair problem is not reversed", false);
          return CheckReversal(problem, step.remaining, why);
        } else if constexpr (std::is_same_v<C, DependencyPairs>) {
          return CheckDependencyPairs(problem, step.remaining, why);
        } else if constexpr (std::is_same_v<C, GraphSplit>) {
          return CheckGraphSplit(problem, step.remaining, why);
        } else if constexpr (std::is_same_v<C, Loop>) {
          // A loop disproves termination; it leaves nothing.
          if (!step.remaining.empty()) return (why = "a loop leaves no problem", false);
          return CheckLoop(problem, certificate, why);
        } else if constexpr (std::is_same_v<C, Tiling>) {
          return CheckTiling(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, BooleanModel>) {
          return CheckBooleanModel(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, CommonEnds>) {
          return CheckCommonEnds(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, PairNarrowing>) {
          return CheckPairNarrowing(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, Cleaning>) {
          return CheckCleaning(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, Strictification>) {
          return CheckStrictification(problem, step.remaining, why);
        } else if constexpr (std::is_same_v<C, ContextClosure>) {
          return CheckContextClosure(problem, certificate, step.remaining, why);
        } else if constexpr (std::is_same_v<C, Inversion>) {
          return CheckInversion(problem, step.remaining, why);
        } else {
          static_assert(std::is_same_v<C, MatchBound>);
          if (problem.pairProblem || problem.IsRelative()) {
            return (why = "match bounds are for plain problems", false);
          }
          if (!step.remaining.empty()) return (why = "a match bound leaves no problem", false);
          return CheckMatchBound(problem, certificate, why);
        }
      },
      step.certificate);
}

} // namespace selko::engine
