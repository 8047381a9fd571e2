#include "cli/problem.hpp"

#include <map>

#include "cli/ari_system.hpp"
#include "cli/input_file.hpp"
#include "cli/xml_system.hpp"

namespace selko {

bool ParseInputFormat(const std::string& text, InputFormat& format) {
  static const std::map<std::string, InputFormat> formats = {{"auto", InputFormat::Auto},
                                                             {"plain", InputFormat::Plain},
                                                             {"tpdb", InputFormat::Tpdb},
                                                             {"xml", InputFormat::Xml},
                                                             {"ari", InputFormat::Ari}};
  const auto found = formats.find(text);
  if (found == formats.end()) return false;
  format = found->second;
  return true;
}

const char* InputFormatName(InputFormat format) {
  switch (format) {
  case InputFormat::Auto: return "auto";
  case InputFormat::Plain: return "plain";
  case InputFormat::Tpdb: return "tpdb";
  case InputFormat::Xml: return "xml";
  case InputFormat::Ari: return "ari";
  }
  return "plain";
}

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

InputFormat DetectInputFormat(const std::string& path, const std::string& text) {
  if (EndsWith(path, ".xml")) return InputFormat::Xml;
  std::size_t start = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3; // a byte order mark
  if (text.compare(start, 5, "<?xml") == 0) return InputFormat::Xml;
  if (LooksLikeAri(text)) return InputFormat::Ari;
  std::size_t p = start;
  while (p < text.size() && IsBlank(text[p]))
    ++p;
  if (p < text.size() && text[p] == '(' && text.find("(RULES") != std::string::npos) {
    return InputFormat::Tpdb;
  }
  return InputFormat::Plain;
}

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

Problem PrepareProblem(const std::string& path, const std::string& text, InputFormat format,
                       bool windowTpdb) {
  Problem problem;
  // A NUL byte never occurs in a text file: refuse binary files with a clear message instead
  // of reading their bytes as symbols.
  if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
    int line = 0;
    int column = 0;
    LineAndColumn(text, nul, line, column);
    problem.error = "not a text file: a NUL byte at line " + std::to_string(line) + ", column " +
                    std::to_string(column);
    return problem;
  }
  if (windowTpdb) {
    // The window's box: its reader on the text exactly as it is.
    problem.format = InputFormat::Tpdb;
    problem.tpdbReader = true;
    problem.lines = SplitLines(text);
    return problem;
  }
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
