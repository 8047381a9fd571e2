#include "cli/extended_run.hpp"

#include <algorithm>
#include <thread>

#include "cli/engine_run.hpp"
#include "cli/prove_command.hpp"

namespace selko {

bool ParseWorkers(const std::string& text, int& workers) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const int value = std::stoi(text);
  if (value < 1 || value > kMaxWorkers) return false;
  workers = value;
  return true;
}

int ProcessorCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

namespace {

// Never less than this for a run that is still to start, so that a late start still runs.
constexpr double kLeastSeconds = 0.01;

ProblemOutcome RunFixed(const Problem& problem, RunOptions options, bool withDerivation,
                        const ExtendedLimits& limits, double used) {
  if (limits.proverSeconds <= 0) return RunProblem(problem, options, withDerivation);
  const double share = std::max(kLeastSeconds, limits.proverSeconds * kFixedRunShare - used);
  options.timeoutSeconds = share;
  if (!limits.guarded) return RunProblem(problem, options, withDerivation);
  double hard = share + ProveGraceSeconds(share);
  if (limits.hardSeconds > 0) hard = std::min(hard, limits.hardSeconds - used);
  return RunProblemGuarded(problem, options, withDerivation, std::max(kLeastSeconds, hard));
}

} // namespace

ProblemOutcome RunExtended(const Problem& problem, const RunOptions& options, bool withDerivation,
                           const ExtendedLimits& limits) {
  const auto begin = std::chrono::steady_clock::now();
  auto since = [](std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
  };

  ProblemOutcome fixed = RunFixed(problem, options, withDerivation, limits, since(limits.start));
  const Status status = fixed.result.status;
  if (status == Status::Terminating || status == Status::LoopFound) return fixed;
  if (status == Status::Error && !fixed.refused) return fixed;
  if (problem.engineProblem == nullptr) {
    if (status == Status::Error && !problem.engineError.empty()) {
      fixed.result.error = problem.engineError;
    }
    fixed.seconds = since(begin);
    return fixed;
  }

  const double used = since(limits.start);
  double seconds = kDefaultEngineSeconds;
  if (limits.proverSeconds > 0) seconds = std::max(kLeastSeconds, limits.proverSeconds - used);
  double hard = 0;
  if (limits.guarded) {
    hard = limits.hardSeconds > 0 ? std::max(kLeastSeconds, limits.hardSeconds - used)
                                  : seconds + ProveGraceSeconds(seconds);
  }
  engine::EngineOptions engineOptions;
  engineOptions.timeoutSeconds = seconds;
  engineOptions.workers = limits.workers;
  engineOptions.dependencyPairs = limits.dependencyPairs;
  engineOptions.fullListings = limits.fullListings;
  ProblemOutcome outcome = RunEngine(problem.engineProblem, engineOptions, hard);
  outcome.seconds = since(begin);
  return outcome;
}

} // namespace selko
