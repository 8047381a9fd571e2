// One problem proved on a fresh Prover, as by the first START after a launch; optionally on a
// thread that is given up when a hard limit passes, so that the caller can answer in time.
#pragma once

#include "cli/loop_derivation.hpp"
#include "cli/problem.hpp"

namespace selko {

struct ProblemOutcome {
  RunResult result;
  double seconds = 0;        // wall-clock time of the run
  bool abandoned = false;    // the hard limit passed first; the run was left behind
  int rules = 0;             // rules of the system as read (0 when it was refused)
  int symbols = 0;           // its symbols
  LoopDerivation derivation; // for a loop found, when asked for
  bool unreadable = false;   // the file could not be read; the error names it
  bool refused = false;      // a reader refused the input (its format or the capacities)
  bool byEngine = false;     // the answer is the extended engine's
  bool internal = false;     // the error is an internal one, not about the file
  bool badAttempts = false;  // the error is the attempts text's (--attempts), not the file's
  std::string technique;     // for an answer of the engine: its last step's technique
};

// A refusal for the fixed capacities (rules, side length, distinct symbols).
bool IsCapacityRefusal(const std::string& error);
// The note on standard error after such a refusal of a run without the engine.
std::string CapacityNote();

// The run ended in the error of its attempts text (--attempts), not of the file.
bool EndedOnAttemptsText(const Prover& prover, const RunResult& result);

// The error of an outcome as shown to the user: naming the file when the message does not.
std::string OutcomeError(const std::string& path, const ProblemOutcome& outcome);

// Runs the problem; a refused problem gives Status::Error with its message.
ProblemOutcome RunProblem(const Problem& problem, const RunOptions& options, bool withDerivation);

// The same, but returns an outcome with `abandoned` set (and Status::NoProof) once
// `hardLimitSeconds` have passed. The abandoned run keeps its own copies of everything it
// reads; the caller should end the process soon after.
ProblemOutcome RunProblemGuarded(const Problem& problem, const RunOptions& options,
                                 bool withDerivation, double hardLimitSeconds);

// The loop search's graph of a run that found a loop; false when the prover keeps none.
bool AncestorGraphOf(const Prover& prover, AncestorGraph& graph);

// The checked looping derivation of a run that found a loop, or the line saying that none
// could be built.
LoopDerivation DerivationOfRun(const Prover& prover);

// Whether a guarded run has been left behind; the process should then end with _Exit.
bool AnyRunAbandoned();

// Records that a guarded run (of either prover) has been left behind.
void MarkRunAbandoned();

} // namespace selko
