// Run(): one press of START, from input lines and options to what the window shows.
#include "core/prover.hpp"

#include <exception>

namespace selko {

const char* StatusWord(Status status) {
  switch (status) {
  case Status::Terminating: return "terminating";
  case Status::LoopFound: return "loop found";
  case Status::NoProof: return " no proof ";
  case Status::Error: return "error";
  }
  return "";
}

RunResult Prover::Run(const std::vector<std::string>& inputLines, const RunOptions& options) {
  RunResult result;
  Options = options;
  Input = &inputLines;
  InputError.clear();
  AttemptsError.clear();
  Interrupted = false;
  HasDeadline = options.timeoutSeconds > 0;
  if (HasDeadline) {
    Deadline = std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(options.timeoutSeconds));
  }
  try {
    ProofRun();
  } catch (const std::exception& e) {
    InputError = std::string("internal error: ") + e.what();
  }
  Input = nullptr;

  if (!InputError.empty()) {
    result.status = Status::Error;
    result.error = InputError;
  } else if (!AttemptsError.empty()) {
    result.status = Status::Error;
    result.error = AttemptsError;
  } else if (Proved != 0) {
    // A proof completed before the deadline stands, even when a later check found time up.
    result.status = Status::Terminating;
    result.proof = ShownProof();
  } else if (LoopFound != 0) {
    result.status = Status::LoopFound;
    result.proof = ShownProof();
  } else {
    result.status = Status::NoProof;
  }
  return result;
}

} // namespace selko
