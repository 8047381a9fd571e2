#include "cli/engine_run.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>

#include "cli/run_within.hpp"

namespace selko {

ProblemOutcome EngineOutcome(const engine::EngineResult& result, const engine::Problem& problem) {
  ProblemOutcome outcome;
  outcome.byEngine = true;
  outcome.rules = static_cast<int>(problem.rules.size());
  outcome.symbols = static_cast<int>(problem.LetterCount());
  switch (result.verdict) {
  case engine::Verdict::Yes: outcome.result.status = Status::Terminating; break;
  case engine::Verdict::No:
    outcome.result.status = Status::LoopFound;
    outcome.derivation.checked = true;
    outcome.derivation.lines = result.derivation;
    break;
  case engine::Verdict::Maybe: outcome.result.status = Status::NoProof; break;
  case engine::Verdict::Error:
    outcome.result.status = Status::Error;
    outcome.result.error = "internal error: " + result.error;
    outcome.internal = true;
    return outcome;
  }
  outcome.result.proof = result.proof;
  outcome.technique = result.technique;
  return outcome;
}

namespace {

engine::EngineResult Prove(const engine::Problem& problem, engine::EngineOptions options,
                           const std::atomic<bool>* stop) {
  options.workers = std::max(options.workers, 1);
  options.stop = stop;
  try {
    return engine::Prove(problem, options);
  } catch (const std::exception& e) {
    engine::EngineResult failed;
    failed.verdict = engine::Verdict::Error;
    failed.error = e.what();
    return failed;
  }
}

} // namespace

ProblemOutcome RunEngine(const std::shared_ptr<const engine::Problem>& problem,
                         const engine::EngineOptions& options, double hardLimitSeconds) {
  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  if (hardLimitSeconds <= 0) {
    ProblemOutcome outcome = EngineOutcome(Prove(*problem, options, nullptr), *problem);
    outcome.seconds = elapsed();
    return outcome;
  }

  // The stop flag is shared with the run, which may outlive this call.
  auto stop = std::make_shared<std::atomic<bool>>(false);
  std::optional<engine::EngineResult> result = RunWithin(
      [problem, options, stop] { return Prove(*problem, options, stop.get()); }, hardLimitSeconds);
  if (result) {
    ProblemOutcome outcome = EngineOutcome(*result, *problem);
    outcome.seconds = elapsed();
    return outcome;
  }
  *stop = true;
  ProblemOutcome abandoned;
  abandoned.byEngine = true;
  abandoned.abandoned = true;
  abandoned.result.status = Status::NoProof;
  abandoned.rules = static_cast<int>(problem->rules.size());
  abandoned.symbols = static_cast<int>(problem->LetterCount());
  abandoned.seconds = elapsed();
  return abandoned;
}

} // namespace selko
