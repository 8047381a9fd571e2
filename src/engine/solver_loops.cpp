// A loop found on some problem of the proof tree is a loop of the problem as given: every
// problem reached by removals holds a subset of its rules, and a reversed problem's loop read
// backwards is a loop of the problem it reverses.
#include <algorithm>

#include "engine/check/loop_check.hpp"
#include "engine/loops/derivation.hpp"
#include "engine/solver.hpp"

namespace selko::engine {

namespace {

// The index of the root's rule with these sides (read backwards when reversed) and this kind.
std::optional<std::size_t> RootRule(const Problem& root, const Rule& rule, bool reversed) {
  String lhs = rule.lhs;
  String rhs = rule.rhs;
  if (reversed) {
    std::reverse(lhs.begin(), lhs.end());
    std::reverse(rhs.begin(), rhs.end());
  }
  for (std::size_t i = 0; i < root.rules.size(); ++i) {
    const Rule& r = root.rules[i];
    if (r.strict == rule.strict && r.lhs == lhs && r.rhs == rhs) return i;
  }
  return std::nullopt;
}

} // namespace

bool Solver::AcceptLoop(const Problem& problem, const Loop& loop, bool reversed) {
  Loop mapped;
  mapped.start = loop.start;
  if (reversed) std::reverse(mapped.start.begin(), mapped.start.end());
  std::size_t length = loop.start.size();
  for (const RewriteStep& s : loop.steps) {
    if (s.rule >= problem.rules.size()) {
      Fail("a loop names a rule the problem does not have");
      return false;
    }
    const Rule& rule = problem.rules[s.rule];
    const std::optional<std::size_t> index = RootRule(root_, rule, reversed);
    if (!index || s.position + rule.lhs.size() > length) {
      Fail("a loop step cannot be read in the problem as given");
      return false;
    }
    RewriteStep m;
    m.rule = *index;
    // Backwards, the left side starting at p of a string of length n starts at n - p - |l|.
    m.position = reversed ? length - s.position - rule.lhs.size() : s.position;
    mapped.steps.push_back(m);
    length = length - rule.lhs.size() + rule.rhs.size();
  }
  std::string why;
  if (!CheckLoop(root_, mapped, why)) {
    Fail("the check of a loop failed: " + why);
    return false;
  }
  std::lock_guard<std::mutex> lock(memoMutex_);
  loop_ = std::move(mapped);
  return true;
}

EngineResult Solver::LoopResult() const {
  EngineResult result;
  result.verdict = Verdict::No;
  result.loop = loop_;
  result.derivation = DerivationLines(root_, *loop_);
  result.proof = RenderLoopProof(root_, result.derivation);
  result.technique = "loop";
  return result;
}

} // namespace selko::engine
