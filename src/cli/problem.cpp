#include "cli/problem.hpp"

#include "cli/ari_system.hpp"
#include "cli/input_file.hpp"
#include "cli/reading_agreement.hpp"
#include "cli/xml_system.hpp"
#include "engine/readers/read_problem.hpp"

namespace selko {

bool TpdbRulesLines(const std::string& text, std::vector<std::string>& lines) {
  const std::size_t at = text.find("(RULES");
  if (at == std::string::npos) return false;
  std::string rules = text.substr(at);
  for (char& c : rules) {
    if (c == '\t') c = ' ';
  }
  lines = SplitLines(rules);
  return true;
}

namespace {

// The engine's reading of the same text: the TPDB reader for the window's box, otherwise the
// reader of the format the fixed-capacity reading chose.
void ReadEngineProblem(const std::string& path, const std::string& text, InputFormat format,
                       Problem& problem) {
  auto read = std::make_shared<engine::Problem>();
  if (engine::ReadProblem(path, text, format, *read, problem.engineError)) {
    problem.engineProblem = std::move(read);
  }
}

// The window's reader on the lines of a plain or TPDB file: its refusal stands as it is; a table
// that is not exactly the engine's problem (a rule the window's reader skips or reads otherwise)
// refuses the file for the fixed-capacity run; an agreeing table is what that run proves.
void HoldToTheEnginesReading(Problem& problem) {
  std::string error;
  std::unique_ptr<RuleTable> fixed = ReadWithWindowReader(problem.lines, problem.tpdbReader, error);
  if (fixed == nullptr) {
    problem.error = error;
  } else if (problem.engineProblem == nullptr) {
    // The window's reader stopped before what the engine's reader refuses.
    problem.error = problem.engineError;
  } else {
    problem.error = ReadingDisagreement(*fixed, *problem.engineProblem);
    if (problem.error.empty()) problem.system = std::move(fixed);
  }
}

} // namespace

Problem PrepareProblem(const std::string& path, const std::string& text, InputFormat format,
                       bool windowTpdb) {
  Problem problem;
  // A NUL byte never occurs in a text file: refuse binary files with a clear message instead
  // of reading their bytes as symbols.
  if (text.find('\0') != std::string::npos) {
    problem.error = engine::RefusedTextMessage(text);
    return problem;
  }
  if (windowTpdb) {
    // The window's box: its reader on the text exactly as it is.
    problem.format = InputFormat::Tpdb;
    problem.tpdbReader = true;
    problem.lines = SplitLines(text);
  } else {
    problem.format = format == InputFormat::Auto ? DetectInputFormat(path, text) : format;
    switch (problem.format) {
    case InputFormat::Auto:
    case InputFormat::Plain: problem.lines = SplitLines(text); break;
    case InputFormat::Tpdb:
      problem.tpdbReader = true;
      if (!TpdbRulesLines(text, problem.lines)) problem.error = "no (RULES section";
      break;
    case InputFormat::Xml: problem.system = ReadXmlSystem(text, problem.error); break;
    case InputFormat::Ari: problem.system = ReadAriSystem(text, problem.error); break;
    }
  }
  ReadEngineProblem(path, text, problem.format, problem);
  if (problem.error.empty() && problem.system == nullptr) HoldToTheEnginesReading(problem);
  return problem;
}

Problem LoadProblem(const std::string& path, InputFormat format, bool windowTpdb) {
  std::string text;
  std::string error;
  if (!ReadWholeFile(path, text, error)) {
    Problem problem;
    problem.error = error;
    problem.unreadable = true;
    return problem;
  }
  return PrepareProblem(path, text, format, windowTpdb);
}

RunOptions ProblemOptions(const Problem& problem, RunOptions options) {
  options.tpdbFormat = problem.tpdbReader;
  options.preparedSystem = problem.system.get();
  return options;
}

} // namespace selko
