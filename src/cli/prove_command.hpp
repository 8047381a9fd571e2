// `selko-cli prove`: one problem file, proved as by START in the window.
#pragma once

#include <iosfwd>
#include <string>

#include "core/prover.hpp"

namespace selko {

enum class OutputFormat { Text, Json, Termcomp };

struct ProveRequest {
  std::string file;                  // "-" for standard input
  OutputFormat format = OutputFormat::Text;
  RunOptions options;                // the window's options
  int repeat = 1;                    // presses of START on one Prover
};

// Runs the request and writes the result; returns the exit status (0 completed, 1 error).
int RunProveCommand(const ProveRequest& request, std::ostream& out, std::ostream& err);

// The first line of the competition's answer for a result: YES, NO or MAYBE.
const char* TermcompAnswer(Status status);

} // namespace selko
