// An extended run of one problem: the fixed-capacity proof run first, exactly as without the
// engine, and the extended engine after it when that run neither proved the problem nor found a
// loop, or refused the problem as beyond its capacities.
#pragma once

#include <chrono>
#include <string>

#include "cli/problem_run.hpp"

namespace selko {

// The engine's limit when no time limit is given.
constexpr double kDefaultEngineSeconds = 60;
// The part of a time limit the fixed-capacity run may use; it usually ends much earlier.
constexpr double kFixedRunShare = 1.0 / 3;

// --workers: the engine's threads for one problem.
constexpr int kMaxWorkers = 1024;
// A whole number from 1 to kMaxWorkers; false for anything else.
bool ParseWorkers(const std::string& text, int& workers);
// The default for one problem at a time: every core.
int ProcessorCount();

struct ExtendedLimits {
  std::chrono::steady_clock::time_point start; // when the time began to run
  double proverSeconds = 0; // from start: both runs end by then (0: no limit; the fixed run
                            // then has none and the engine kDefaultEngineSeconds)
  double hardSeconds = 0;   // from start: an answer is given by then whatever runs (guarded only;
                            // 0: the limit of each run and a grace period)
  bool guarded = false;     // runs on threads that are left behind when their hard limit passes
  int workers = 1;          // the engine's threads
  bool dependencyPairs = true; // false: the engine's strategy without the pairs
  bool fullListings = false;   // the engine's proof lists every automaton in full
};

// The outcome of the extended run. The fixed run's outcome stands when it proved the problem,
// found a loop, or ended in an error that is not a refusal of the input; otherwise the engine
// takes the problem as its reader read it. When that reader refused it too, its message is the
// error shown (it names the engine's limits, not the fixed capacities).
ProblemOutcome RunExtended(const Problem& problem, const RunOptions& options, bool withDerivation,
                           const ExtendedLimits& limits);

} // namespace selko
