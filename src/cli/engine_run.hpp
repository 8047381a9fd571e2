// The extended engine on one problem, its answer turned into an outcome of the command line:
// YES terminating, NO loop found with the checked derivation, MAYBE no proof, and a failed
// internal check an internal error (never an answer).
#pragma once

#include <memory>

#include "cli/problem_run.hpp"
#include "engine/engine.hpp"

namespace selko {

// The outcome shown for an engine result on `problem`.
ProblemOutcome EngineOutcome(const engine::EngineResult& result, const engine::Problem& problem);

// Runs the engine on `problem` with the options (their stop flag is the run's own). With
// hardLimitSeconds > 0 it runs on a thread of its own: when that limit passes first, the engine
// is told to stop and left behind, and the outcome is `abandoned` with no proof.
ProblemOutcome RunEngine(const std::shared_ptr<const engine::Problem>& problem,
                         const engine::EngineOptions& options, double hardLimitSeconds);

} // namespace selko
