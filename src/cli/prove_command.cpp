#include "cli/prove_command.hpp"

#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/input_file.hpp"

namespace selko {

const char* TermcompAnswer(Status status) {
  switch (status) {
  case Status::Terminating: return "YES";
  case Status::LoopFound: return "NO";
  default: return "MAYBE";
  }
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
  for (const std::string& line : result.proof) out << line << "\n";
}

void WriteTermcomp(const RunResult& result, std::ostream& out, std::ostream& err) {
  out << TermcompAnswer(result.status) << "\n";
  if (result.status == Status::Error) err << "error: " << result.error << "\n";
  for (const std::string& line : result.proof) out << line << "\n";
}

} // namespace

int RunProveCommand(const ProveRequest& request, std::ostream& out, std::ostream& err) {
  std::string text;
  std::string error;
  std::vector<RunResult> results;
  if (!ReadWholeFile(request.file, text, error)) {
    RunResult failed;
    failed.status = Status::Error;
    failed.error = error;
    results.push_back(failed);
  } else {
    const std::vector<std::string> lines = SplitLines(text);
    auto prover = std::make_unique<Prover>();
    const int presses = request.repeat < 1 ? 1 : request.repeat;
    for (int i = 0; i < presses; ++i) {
      RunResult result = prover->Run(lines, request.options);
      if (result.status == Status::Error && request.file != "-") {
        result.error = request.file + ": " + result.error;
      }
      results.push_back(std::move(result));
    }
  }

  bool anyError = false;
  for (const RunResult& result : results) anyError = anyError || result.status == Status::Error;

  switch (request.format) {
  case OutputFormat::Text:
    for (const RunResult& result : results) WriteText(result, out);
    break;
  case OutputFormat::Termcomp:
    for (const RunResult& result : results) WriteTermcomp(result, out, err);
    break;
  case OutputFormat::Json:
    if (request.repeat > 1) {
      nlohmann::json array = nlohmann::json::array();
      for (const RunResult& result : results) array.push_back(ResultJson(result));
      out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
      out << ResultJson(results.front()).dump(2, ' ', false,
                                               nlohmann::json::error_handler_t::replace)
          << "\n";
    }
    break;
  }
  return anyError ? 1 : 0;
}

} // namespace selko
