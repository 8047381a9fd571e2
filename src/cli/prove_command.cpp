#include "cli/prove_command.hpp"

#include <algorithm>
#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

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

nlohmann::json ResultJson(const RunResult& result) {
  nlohmann::json object;
  object["status"] = JsonStatus(result.status);
  object["proof"] = result.proof;
  object["error"] = result.error;
  return object;
}

void WriteText(const RunResult& result, std::ostream& out) {
  if (result.status == Status::Error) {
    out << "error: " << result.error << "\n";
    return;
  }
  out << JsonStatus(result.status) << "\n";
  for (const std::string& line : result.proof)
    out << line << "\n";
}

void WriteTermcomp(const RunResult& result, const LoopDerivation& derivation, std::ostream& out,
                   std::ostream& err) {
  out << TermcompAnswer(result.status) << "\n";
  if (result.status == Status::Error) err << "error: " << result.error << "\n";
  for (const std::string& line : result.proof)
    out << line << "\n";
  if (result.status == Status::LoopFound) {
    for (const std::string& line : derivation.lines)
      out << line << "\n";
  }
}

} // namespace

int RunProveCommand(const ProveRequest& request, std::ostream& out, std::ostream& err) {
  const Problem problem = LoadProblem(request.file, request.input, request.options.tpdbFormat);
  RunOptions options = request.options;
  options.timeoutSeconds = request.timeoutSeconds;
  const bool derivation = request.format == OutputFormat::Termcomp;

  std::vector<RunResult> results;
  std::vector<LoopDerivation> derivations;
  const int presses = request.repeat < 1 ? 1 : request.repeat;
  if (presses == 1 || !problem.error.empty()) {
    ProblemOutcome outcome =
        request.timeoutSeconds > 0
            ? RunProblemGuarded(problem, options, derivation,
                                request.timeoutSeconds + ProveGraceSeconds(request.timeoutSeconds))
            : RunProblem(problem, options, derivation);
    if (outcome.result.status == Status::Error) {
      outcome.result.error = OutcomeError(request.file, outcome);
    }
    results.push_back(std::move(outcome.result));
    derivations.push_back(std::move(outcome.derivation));
  } else {
    // Several presses of START on one prover: the random sequence goes on between them.
    auto prover = std::make_unique<Prover>();
    const RunOptions runOptions = ProblemOptions(problem, options);
    for (int i = 0; i < presses; ++i) {
      RunResult result = prover->Run(problem.lines, runOptions);
      if (result.status == Status::Error && request.file != "-") {
        result.error = request.file + ": " + result.error;
      }
      results.push_back(std::move(result));
      derivations.emplace_back();
      if (derivation && results.back().status == Status::LoopFound) {
        derivations.back() = DerivationOfRun(*prover);
      }
    }
  }

  bool anyError = false;
  for (const RunResult& result : results)
    anyError = anyError || result.status == Status::Error;

  switch (request.format) {
  case OutputFormat::Text:
    for (const RunResult& result : results)
      WriteText(result, out);
    break;
  case OutputFormat::Termcomp:
    for (std::size_t i = 0; i < results.size(); ++i) {
      WriteTermcomp(results[i], derivations[i], out, err);
    }
    break;
  case OutputFormat::Json:
    if (request.repeat > 1) {
      nlohmann::json array = nlohmann::json::array();
      for (const RunResult& result : results)
        array.push_back(ResultJson(result));
      out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
      out << ResultJson(results.front())
                 .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
          << "\n";
    }
    break;
  }
  return anyError ? 1 : 0;
}

} // namespace selko
