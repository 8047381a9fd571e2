#include "cli/prove_command.hpp"

#include <algorithm>
#include <chrono>
#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/extended_run.hpp"
#include "cli/problem_run.hpp"

namespace selko {

const char* TermcompAnswer(Status status) {
  switch (status) {
  case Status::Terminating: return "YES";
  case Status::LoopFound: return "NO";
  default: return "MAYBE";
  }
}

double ProveGraceSeconds(double timeoutSeconds) {
  return std::max(0.5, std::min(0.1 * timeoutSeconds, 5.0));
}

namespace {

const char* JsonStatus(Status status) {
  switch (status) {
  case Status::Terminating: return "terminating";
  case Status::LoopFound: return "loop found";
  case Status::NoProof: return "no proof";
  case Status::Error: return "error";
  }
  return "error";
}

nlohmann::json ResultJson(const ProblemOutcome& shown) {
  const RunResult& result = shown.result;
  nlohmann::json object;
  object["status"] = JsonStatus(result.status);
  object["proof"] = result.proof;
  object["error"] = result.error;
  if (shown.byEngine && result.status == Status::LoopFound) {
    object["derivation"] = shown.derivation.lines;
  }
  return object;
}

void WriteText(const ProblemOutcome& shown, std::ostream& out) {
  const RunResult& result = shown.result;
  if (result.status == Status::Error) {
    out << "error: " << result.error << "\n";
    return;
  }
  out << JsonStatus(result.status) << "\n";
  for (const std::string& line : result.proof)
    out << line << "\n";
}

void WriteTermcomp(const ProblemOutcome& shown, std::ostream& out, std::ostream& err) {
  const RunResult& result = shown.result;
  out << TermcompAnswer(result.status) << "\n";
  if (result.status == Status::Error) err << "error: " << result.error << "\n";
  for (const std::string& line : result.proof)
    out << line << "\n";
  // The engine's proof of a NO is its derivation already.
  if (result.status == Status::LoopFound && !shown.byEngine) {
    for (const std::string& line : shown.derivation.lines)
      out << line << "\n";
  }
}

} // namespace

void WriteOutcome(const ProblemOutcome& shown, OutputFormat format, std::ostream& out,
                  std::ostream& err) {
  switch (format) {
  case OutputFormat::Text: WriteText(shown, out); break;
  case OutputFormat::Termcomp: WriteTermcomp(shown, out, err); break;
  case OutputFormat::Json:
    out << ResultJson(shown).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    break;
  }
}

int RunProveCommand(const ProveRequest& request, std::ostream& out, std::ostream& err) {
  const auto start = std::chrono::steady_clock::now();
  const Problem problem = LoadProblem(request.file, request.input, request.options.tpdbFormat);
  RunOptions options = request.options;
  options.timeoutSeconds = request.timeoutSeconds;
  const bool derivation = request.format == OutputFormat::Termcomp;

  std::vector<ProblemOutcome> shown;
  const int presses = request.repeat < 1 ? 1 : request.repeat;
  if (request.extended) {
    ExtendedLimits limits;
    limits.start = start;
    limits.proverSeconds = request.timeoutSeconds;
    if (request.timeoutSeconds > 0) {
      limits.hardSeconds = request.timeoutSeconds + ProveGraceSeconds(request.timeoutSeconds);
    }
    limits.guarded = true;
    limits.workers = request.workers > 0 ? request.workers : ProcessorCount();
    limits.fullListings = request.full;
    options.timeoutSeconds = 0; // the extended run shares the time out itself
    shown.push_back(RunExtended(problem, options, derivation, limits));
  } else if (presses == 1 || !problem.error.empty()) {
    shown.push_back(
        request.timeoutSeconds > 0
            ? RunProblemGuarded(problem, options, derivation,
                                request.timeoutSeconds + ProveGraceSeconds(request.timeoutSeconds))
            : RunProblem(problem, options, derivation));
  } else {
    // Several presses of START on one prover: the random sequence goes on between them.
    auto prover = std::make_unique<Prover>();
    const RunOptions runOptions = ProblemOptions(problem, options);
    for (int i = 0; i < presses; ++i) {
      ProblemOutcome press;
      press.result = prover->Run(problem.lines, runOptions);
      press.badAttempts = EndedOnAttemptsText(*prover, press.result);
      if (derivation && press.result.status == Status::LoopFound) {
        press.derivation = DerivationOfRun(*prover);
      }
      shown.push_back(std::move(press));
    }
  }

  bool anyError = false;
  bool beyondCapacities = false;
  for (ProblemOutcome& outcome : shown) {
    if (outcome.result.status != Status::Error) continue;
    anyError = true;
    beyondCapacities =
        beyondCapacities || (outcome.refused && IsCapacityRefusal(outcome.result.error));
    outcome.result.error = OutcomeError(request.file, outcome);
  }

  if (request.format == OutputFormat::Json && request.repeat > 1) {
    nlohmann::json array = nlohmann::json::array();
    for (const ProblemOutcome& outcome : shown)
      array.push_back(ResultJson(outcome));
    out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  } else {
    for (const ProblemOutcome& outcome : shown)
      WriteOutcome(outcome, request.format, out, err);
  }
  if (beyondCapacities && !request.extended) {
    err << CapacityNote() << "\n";
  }
  return anyError ? 1 : 0;
}

} // namespace selko
