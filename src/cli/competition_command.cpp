#include "cli/competition_command.hpp"

#include <algorithm>
#include <ostream>

#include "cli/batch_rows.hpp"
#include "cli/extended_run.hpp"
#include "cli/problem_run.hpp"
#include "cli/prove_command.hpp"
#include "cli/seconds_option.hpp"

namespace selko {

namespace {

bool StartsWith(const std::string& s, const char* head) { return s.rfind(head, 0) == 0; }

const char* kUsage =
    "usage: selko-cli --name\n"
    "       selko-cli --timeout=N --category=SRS_Standard|SRS_Relative [--workers=N] FILE\n";

} // namespace

bool IsCompetitionCall(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--name" || StartsWith(a, "--timeout") || StartsWith(a, "--category")) return true;
    if (a == "--workers") ++i;             // its value follows
    if (!StartsWith(a, "-")) return false; // a subcommand or a file comes first
  }
  return false;
}

void CompetitionDeadlines(double limitSeconds, double& proverSeconds, double& hardSeconds) {
  hardSeconds = limitSeconds - std::max(0.3, std::min(0.05 * limitSeconds, 3.0));
  proverSeconds = hardSeconds - std::max(0.2, std::min(0.1 * limitSeconds, 10.0));
  if (hardSeconds < 0.05) hardSeconds = 0.05;
  if (proverSeconds < 0.02) proverSeconds = 0.02;
}

int RunCompetitionCommand(const std::vector<std::string>& args,
                          std::chrono::steady_clock::time_point start, std::ostream& out,
                          std::ostream& err) {
  std::string timeoutText;
  std::string category;
  std::string workersText;
  std::string file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--name") {
      out << "SELKO 1.4\n";
      return 0;
    }
    std::string* target = nullptr;
    std::string value;
    if (StartsWith(a, "--timeout=")) {
      target = &timeoutText;
      value = a.substr(10);
    } else if (StartsWith(a, "--category=")) {
      target = &category;
      value = a.substr(11);
    } else if (StartsWith(a, "--workers=")) {
      target = &workersText;
      value = a.substr(10);
    } else if (a == "--timeout" || a == "--category" || a == "--workers") {
      if (i + 1 >= args.size()) {
        err << "error: " << a << " needs a value\n" << kUsage;
        return 2;
      }
      target = a == "--timeout" ? &timeoutText : a == "--category" ? &category : &workersText;
      value = args[++i];
    } else if (StartsWith(a, "-") && a != "-") {
      err << "error: unknown option " << a << "\n" << kUsage;
      return 2;
    } else if (file.empty()) {
      file = a;
      continue;
    } else {
      err << "error: more than one problem file\n" << kUsage;
      return 2;
    }
    *target = value;
  }
  if (file.empty()) {
    err << "error: no problem file\n" << kUsage;
    return 2;
  }
  double limit = 0;
  if (!timeoutText.empty()) {
    const std::string wrong = ParseSeconds(timeoutText, limit);
    if (!wrong.empty()) {
      err << "error: --timeout " << timeoutText << ": " << wrong << "\n";
      return 2;
    }
  }

  int workers = 0;
  if (!workersText.empty() && !ParseWorkers(workersText, workers)) {
    err << "error: --workers needs a whole number from 1 to " << kMaxWorkers << ", not "
        << workersText << "\n";
    return 2;
  }

  if (!category.empty() && category != "SRS_Standard" && category != "SRS_Relative") {
    out << "MAYBE\n";
    err << "error: category " << category << " is not one this tool proves\n";
    return 1;
  }

  // Always extended: the fixed-capacity run first, then the engine on the rest of the time.
  const Problem problem = LoadProblem(file, InputFormat::Auto, false);
  ExtendedLimits limits;
  limits.start = start;
  limits.guarded = true;
  limits.workers = workers > 0 ? workers : ProcessorCount();
  if (limit > 0) CompetitionDeadlines(limit, limits.proverSeconds, limits.hardSeconds);
  const ProblemOutcome outcome = RunExtended(problem, RunOptions{}, true, limits);

  out << TermcompAnswer(outcome.result.status) << "\n";
  for (const std::string& line : outcome.result.proof)
    out << line << "\n";
  // The engine's proof of a NO is its derivation already.
  if (outcome.result.status == Status::LoopFound && !outcome.byEngine) {
    for (const std::string& line : outcome.derivation.lines)
      out << line << "\n";
  }
  out.flush();
  if (outcome.result.status == Status::Error) {
    err << "error: " << OutcomeError(file, outcome) << "\n";
    return 1;
  }
  return 0;
}

} // namespace selko
