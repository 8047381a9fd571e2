// The competition's calling convention: `selko-cli --name` answers with the tool's name, and
// `selko-cli --timeout=N --category=SRS_Standard FILE` (or SRS_Relative) answers YES, NO or
// MAYBE on the first line, then the proof, within N seconds of the start. The run is always
// extended: the engine takes what the fixed-capacity run leaves open (--workers=N threads,
// every core by default).
#pragma once

#include <chrono>
#include <iosfwd>
#include <string>
#include <vector>

namespace selko {

// True when the arguments (without the program name) are the competition's: --name, or a
// --timeout or --category option before any subcommand (--workers may come first).
bool IsCompetitionCall(const std::vector<std::string>& args);

// Runs a competition call; `start` is when the process began. Returns the exit status:
// 0 answered, 1 the problem was refused (MAYBE was still printed), 2 usage.
int RunCompetitionCommand(const std::vector<std::string>& args,
                          std::chrono::steady_clock::time_point start, std::ostream& out,
                          std::ostream& err);

// The two deadlines for a limit of `limitSeconds`: the prover's own (it stops at a safe point
// and reports no proof) and the hard one (the answer MAYBE is printed whatever the prover is
// doing), both counted from the start of the process.
void CompetitionDeadlines(double limitSeconds, double& proverSeconds, double& hardSeconds);

} // namespace selko
