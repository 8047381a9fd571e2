#include "engine/readers/plain_reader.hpp"

#include <vector>

#include "engine/readers/problem_builder.hpp"

namespace selko::engine {

namespace {

bool EndsLhs(char c) { return c == ' ' || c == '-' || c == '=' || c == '>'; }

} // namespace

bool ReadPlainProblem(const std::string& text, Problem& problem, std::string& error) {
  ProblemBuilder builder;
  std::vector<std::string> lhs;
  std::vector<std::string> rhs;
  std::size_t start = 0;
  for (std::size_t lineNo = 1; start < text.size(); ++lineNo) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t n = end;
    if (n > start && text[n - 1] == '\r') --n;
    if (n == start || text[start] == ' ') break;
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    if (builder.RuleCount() >= kMaxProblemRules) {
      error = where + TooManyRulesMessage();
      return false;
    }
    // Appends the letter named by character c to a side; false at the side limit.
    auto put = [&](std::vector<std::string>& side, char c) {
      if (side.size() >= kMaxProblemSide) {
        error = where + SideTooLongMessage();
        return false;
      }
      side.emplace_back(1, c);
      return true;
    };
    lhs.clear();
    rhs.clear();
    bool strict = true;
    std::size_t p = start;
    for (; p < n && !EndsLhs(text[p]); ++p) {
      if (!put(lhs, text[p])) return false;
    }
    for (; p < n && EndsLhs(text[p]); ++p) {
      if (text[p] == '=') strict = false;
    }
    for (; p < n && text[p] != ' ' && text[p] != 'e'; ++p) {
      if (!put(rhs, text[p])) return false;
    }
    if (!builder.AddRule(lhs, rhs, strict, error)) {
      error = where + error;
      return false;
    }
    start = end + 1;
  }
  problem = builder.Take();
  return true;
}

} // namespace selko::engine
