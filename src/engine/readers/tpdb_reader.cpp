#include "engine/readers/tpdb_reader.hpp"

#include <vector>

#include "engine/readers/problem_builder.hpp"

namespace selko::engine {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The reading position in the text, with the line it is on.
class TpdbText {
public:
  explicit TpdbText(const std::string& text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  void Advance() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek()))
      Advance();
  }
  // The characters up to a blank, '(' or ')': a section's keyword.
  std::string Keyword() {
    const std::size_t start = pos_;
    while (!AtEnd() && !IsBlank(Peek()) && Peek() != '(' && Peek() != ')')
      Advance();
    return text_.substr(start, pos_ - start);
  }
  // A name: the characters up to a blank, ',', ')' or '-'.
  std::string Name() {
    const std::size_t start = pos_;
    while (!AtEnd() && !IsBlank(Peek()) && Peek() != ',' && Peek() != ')' && Peek() != '-')
      Advance();
    return text_.substr(start, pos_ - start);
  }
  std::string Where() const { return Where(line_); }
  static std::string Where(int line) { return "line " + std::to_string(line) + ": "; }
  int Line() const { return line_; }

private:
  const std::string& text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

class TpdbReader {
public:
  explicit TpdbReader(const std::string& text) : in_(text) {}

  bool Read(Problem& problem, std::string& error) {
    bool anyRules = false;
    while (true) {
      in_.SkipBlanks();
      if (in_.AtEnd()) break;
      if (in_.Peek() != '(') return Fail("expected '(' and a section such as (RULES ...)", error);
      const int opened = in_.Line();
      in_.Advance();
      in_.SkipBlanks();
      const std::string keyword = in_.Keyword();
      if (keyword == "RULES") {
        anyRules = true;
        if (!Rules(error)) return false;
      } else if (!SkipSection(keyword, opened, error)) {
        return false;
      }
    }
    if (!anyRules) {
      error = "no (RULES section";
      return false;
    }
    problem = builder_.Take();
    return true;
  }

private:
  bool Fail(const std::string& what, std::string& error) const {
    error = in_.Where() + what;
    return false;
  }

  // Skips to the ')' that closes the section, over nested parentheses.
  bool SkipSection(const std::string& keyword, int opened, std::string& error) {
    int depth = 1;
    while (!in_.AtEnd()) {
      const char c = in_.Peek();
      in_.Advance();
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0) return true;
    }
    error = TpdbText::Where(opened) + "(" + keyword + " is never closed";
    return false;
  }

  // A separator or name after blanks: ',' ')' '-' as themselves, 'n' for a name in name_, '\0'
  // at the end of the text.
  char Token() {
    in_.SkipBlanks();
    if (in_.AtEnd()) return '\0';
    const char c = in_.Peek();
    if (c == ',' || c == ')' || c == '-') {
      in_.Advance();
      return c;
    }
    name_ = in_.Name();
    return 'n';
  }

  bool Put(std::vector<std::string>& side, std::string& error) {
    if (side.size() >= kMaxProblemSide) return Fail(SideTooLongMessage(), error);
    side.push_back(name_);
    return true;
  }

  // The rules of one section, up to and with its ')'.
  bool Rules(std::string& error) {
    const char* const unclosed = "no closing ')' before the end of the text";
    while (true) {
      char t = Token();
      if (t == '\0') return Fail(unclosed, error);
      if (t == ')') return true;
      if (t == ',') continue; // an empty entry between two commas, or before the ')'
      if (builder_.RuleCount() >= kMaxProblemRules) return Fail(TooManyRulesMessage(), error);
      lhs_.clear();
      rhs_.clear();
      while (t != '-') {
        if (t == ')' || t == ',') return Fail("a rule without an arrow", error);
        if (t == '\0') return Fail(unclosed, error);
        if (!Put(lhs_, error)) return false;
        t = Token();
      }
      if (in_.AtEnd()) return Fail(unclosed, error);
      if (in_.Peek() != '>') return Fail("a '-' that is not followed by '>'", error);
      in_.Advance();
      bool strict = true;
      if (!in_.AtEnd() && in_.Peek() == '=') {
        strict = false;
        in_.Advance();
      }
      for (t = Token(); t != ')' && t != ','; t = Token()) {
        if (t == '-') return Fail("a '-' inside a right-hand side", error);
        if (t == '\0') return Fail(unclosed, error);
        if (!Put(rhs_, error)) return false;
      }
      if (!builder_.AddRule(lhs_, rhs_, strict, error)) return Fail(error, error);
      if (t == ')') return true;
    }
  }

  TpdbText in_;
  ProblemBuilder builder_;
  std::string name_;
  std::vector<std::string> lhs_;
  std::vector<std::string> rhs_;
};

} // namespace

bool ReadTpdbProblem(const std::string& text, Problem& problem, std::string& error) {
  TpdbReader reader(text);
  return reader.Read(problem, error);
}

} // namespace selko::engine
