// `selko-cli prove`: one problem file, proved as by START in the window.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/problem.hpp"
#include "cli/problem_run.hpp"
#include "core/prover.hpp"

namespace selko {

enum class OutputFormat { Text, Json, Termcomp };

struct ProveRequest {
  std::string file; // "-" for standard input
  OutputFormat format = OutputFormat::Text;
  RunOptions options; // the window's options; tpdbFormat is the --tpdb box
  int repeat = 1;     // presses of START on one Prover
  InputFormat input = InputFormat::Auto;
  double timeoutSeconds = 0; // 0: no deadline
  bool extended = false;     // the extended engine after the fixed-capacity run
  int workers = 0;           // the engine's threads; 0: one per core
  bool full = false;         // the engine's proof lists every automaton in full
};

// Runs the request and writes the result; returns the exit status (0 completed, 1 error).
int RunProveCommand(const ProveRequest& request, std::ostream& out, std::ostream& err);

// Writes one outcome as `prove` shows it in `format` (JSON: one object). An answer of the
// engine shows its derivation after a NO in every format (JSON: a "derivation" array).
void WriteOutcome(const ProblemOutcome& shown, OutputFormat format, std::ostream& out,
                  std::ostream& err);

// The first line of the competition's answer for a result: YES, NO or MAYBE.
const char* TermcompAnswer(Status status);

// How long after a prove deadline a run that has not reached a safe point is given up.
double ProveGraceSeconds(double timeoutSeconds);

} // namespace selko
