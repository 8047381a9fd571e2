#include "engine/readers/plain_reader.hpp"

#include <array>

#include "engine/readers/problem_builder.hpp"

namespace selko::engine {

namespace {

bool EndsLhs(char c) { return c == ' ' || c == '-' || c == '=' || c == '>'; }

constexpr Letter kNoLetter = ~Letter{0};

} // namespace

bool ReadPlainProblem(const std::string& text, Problem& problem, std::string& error) {
  // Every letter is one character: a table by character replaces the builder's name lookup.
  Problem read;
  std::array<Letter, 256> letterOf;
  letterOf.fill(kNoLetter);
  std::size_t start = 0;
  for (std::size_t lineNo = 1; start < text.size(); ++lineNo) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t n = end;
    if (n > start && text[n - 1] == '\r') --n;
    if (n == start || text[start] == ' ') break;
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    if (read.rules.size() >= kMaxProblemRules) {
      error = where + TooManyRulesMessage();
      return false;
    }
    // Appends the letter named by character c to a side; false at the side limit.
    auto put = [&](String& side, char c) {
      if (side.size() >= kMaxProblemSide) {
        error = where + SideTooLongMessage();
        return false;
      }
      Letter& letter = letterOf[static_cast<unsigned char>(c)];
      if (letter == kNoLetter) {
        letter = static_cast<Letter>(read.names.size());
        read.names.emplace_back(1, c);
      }
      side.push_back(letter);
      return true;
    };
    Rule rule;
    std::size_t p = start;
    for (; p < n && !EndsLhs(text[p]); ++p) {
      if (!put(rule.lhs, text[p])) return false;
    }
    for (; p < n && EndsLhs(text[p]); ++p) {
      if (text[p] == '=') rule.strict = false;
    }
    for (; p < n && text[p] != ' ' && text[p] != 'e'; ++p) {
      if (!put(rule.rhs, text[p])) return false;
    }
    rule.lhs.shrink_to_fit(); // large problems keep no spare capacity
    rule.rhs.shrink_to_fit();
    read.rules.push_back(std::move(rule));
    start = end + 1;
  }
  problem = std::move(read);
  return true;
}

} // namespace selko::engine
