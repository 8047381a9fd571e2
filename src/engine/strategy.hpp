// The strategy: which technique to try on which problem, in what order, with what budget,
// on how many threads. Techniques come as attempts, listed per problem and level by
// AttemptsFor (strategy.cpp, the one place that knows the order of techniques); the
// solver runs them by iterative deepening over the levels, checks every step they return, and
// builds the proof tree.
//
// The answer depends on nothing but the problem and the deadline: every attempt that can prove
// is bounded by its own budget (conflicts, transitions), never by a share of the time, and when
// several attempts run at once the one first in the list wins, whichever finishes first. Only
// the loop search runs in slices of time; what it finds is a checked loop, never a proof.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/deadline.hpp"
#include "engine/step.hpp"

namespace selko::engine {

// What an attempt found: a chain of steps (each but the last leaves one problem, which the
// next step is applied to), or a loop of the problem it was given.
using Outcome = std::variant<std::vector<Step>, Loop>;

// What an attempt keeps on a problem from one level to the next (a SAT encoding with its
// learnt clauses, say). The solver keeps one slot per problem and attempt name, and may empty
// it at any time (to bound the memory): an attempt must then start afresh.
struct AttemptState {
  virtual ~AttemptState() = default;
  int level = -1; // the last level run
};
using AttemptSlot = std::unique_ptr<AttemptState>;

// Levels go from 0 up; each level's budgets are a few times the previous one's.
constexpr int kMaxLevel = 14;

struct Attempt {
  std::string name; // unique per problem and level: the key of the attempt's remembered result
  // A transformation (dependency pairs, say) whose subproof may fail: then the next attempt
  // of the list is tried. Any other step, once taken, is kept.
  bool mayBacktrack = false;
  // The last level at which the problems its step leaves are searched: a transformation whose
  // problems are either easy or hopeless costs the levels after it nothing.
  int partsLevel = kMaxLevel;
  // Run on the problem as given at the start of every deepening, before the proof search goes
  // down into the problems that steps leave (the loop search, so that a non-terminating
  // problem gets its share of time however deep the proofs of its parts are sought).
  bool first = false;
  std::function<std::optional<Outcome>(const Problem&, const Deadline&)> run;
  // Used instead of `run` when set: the same, with the attempt's slot on this problem.
  std::function<std::optional<Outcome>(const Problem&, const Deadline&, AttemptSlot&)> runKept;
};

std::vector<Attempt> AttemptsFor(const Problem& problem, int level);
// The same without the dependency-pair transformation: the strategy as it was before the pairs,
// for comparisons.
std::vector<Attempt> AttemptsWithoutPairs(const Problem& problem, int level);

} // namespace selko::engine
