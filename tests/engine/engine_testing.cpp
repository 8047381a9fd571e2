#include "engine/engine_testing.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace selko::engine::testing {
namespace {

String Letters(const std::string& side, std::vector<std::string>& names) {
  String letters;
  std::istringstream words(side);
  std::string name;
  while (words >> name) {
    auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) it = names.insert(names.end(), name);
    letters.push_back(static_cast<Letter>(it - names.begin()));
  }
  return letters;
}

} // namespace

Problem MakeProblem(const std::vector<std::string>& rules) {
  Problem problem;
  for (const std::string& text : rules) {
    const std::size_t arrow = text.find("->");
    if (arrow == std::string::npos) continue;
    const bool weak = text.compare(arrow, 3, "->=") == 0;
    Rule rule;
    rule.lhs = Letters(text.substr(0, arrow), problem.names);
    rule.rhs = Letters(text.substr(arrow + (weak ? 3 : 2)), problem.names);
    rule.strict = !weak;
    problem.rules.push_back(rule);
  }
  return problem;
}

std::optional<Problem> ReadTpdbFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  const std::size_t open = text.find("(RULES");
  const std::size_t close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
  text = text.substr(open + 6, close - open - 6);
  std::vector<std::string> rules;
  std::istringstream parts(text);
  std::string rule;
  while (std::getline(parts, rule, ','))
    rules.push_back(rule);
  return MakeProblem(rules);
}

std::string CorpusDir() { return SELKO_CORPUS_DIR; }

} // namespace selko::engine::testing
