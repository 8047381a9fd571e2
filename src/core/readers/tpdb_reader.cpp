// The TPDB input format: everything up to the first capital S (the end of the keyword RULES) is
// skipped; then come rules separated by ',' and closed by ')'. Names have one or more characters
// and are separated by blanks; a rule is a list of names, "->" or "->=", and a list of names.
// The text is one stream of characters: the lines follow one another with nothing in between,
// and an empty line reads as one blank.
//
// Input outside this shape ends the reading with a message in InputError that names the line
// (from 1): the reader never reads past the end of the text and never loops.
#include "core/prover.hpp"

namespace selko {

namespace {

constexpr int kEndOfText = -1; // NextChar past the last character of the last line

// The reading position in the stream and the last character and name read.
class TpdbScanner {
public:
  explicit TpdbScanner(const Prover& prover) : prover_(prover), line_(&prover.InputLine(0)) {
    lineCount_ = prover.Input == nullptr ? 0 : static_cast<int>(prover.Input->size());
  }

  // The next character of the stream (as an unsigned byte value), a blank for an empty line,
  // or kEndOfText when the last line is used up; lineNo stays on the last line then.
  int NextChar() {
    if (pos < static_cast<int>(line_->size())) {
      ++pos;
    } else {
      if (lineNo + 1 >= lineCount_) return kEndOfText;
      ++lineNo;
      line_ = &prover_.InputLine(lineNo);
      pos = 1;
    }
    if (line_->empty()) return ' ';
    return static_cast<unsigned char>((*line_)[static_cast<std::size_t>(pos - 1)]);
  }

  // Reads the next name into token (ch becomes a blank) or the next separator ')', ',' or '-'
  // into ch (token keeps its old value). False when the text ends first.
  bool NextToken() {
    int c = NextChar();
    while (c == ' ')
      c = NextChar();
    if (c == kEndOfText) return false;
    if (c == ')' || c == ',' || c == '-') {
      ch = c;
      return true;
    }
    token.assign(1, static_cast<char>(c));
    for (c = NextChar(); c != kEndOfText && !Separates(c); c = NextChar()) {
      token += static_cast<char>(c);
    }
    if (c == kEndOfText) return false;
    if (c != ' ') StepBack();
    ch = ' ';
    return true;
  }

  // Makes NextChar return the character just read once more (only after a non-blank, which
  // never comes from an empty line).
  void StepBack() { --pos; }

  // "line N: " for the line being read.
  std::string Where() const { return "line " + std::to_string(lineNo + 1) + ": "; }

  int lineNo = 0;    // the line being read, from 0
  int pos = 0;       // position of the last character read in it, from 1; 0 before the first
  int ch = ' ';      // the last separator read, or a blank after a name
  std::string token; // the last name read

private:
  static bool Separates(int c) { return c == ' ' || c == ')' || c == ',' || c == '-'; }

  const Prover& prover_;
  const std::string* line_;
  int lineCount_ = 0;
};

} // namespace

void Prover::ReadTpdb() {
  TpdbScanner in(*this);
  PlainMode = 1;
  LogCount = 0;
  WorkTable.symbolCount = 0;
  WorkTable.ruleCount = 0;
  InputError.clear();

  auto fail = [&](const std::string& what) { InputError = in.Where() + what; };
  auto textEnds = [&] { fail("no closing ')' before the end of the text"); };

  // Appends the symbol named by the last token to a side; false (with the message) at a limit.
  auto put = [&](Word& side, int& length) {
    if (length >= kMaxWordLength) {
      fail("a side has more than " + std::to_string(kMaxWordLength) + " symbols");
      return false;
    }
    const int s = InternSymbol(in.token);
    if (s == 0) {
      fail("more than " + std::to_string(kMaxSymbols) + " distinct symbols");
      return false;
    }
    side[static_cast<std::size_t>(length++)] = static_cast<Symbol>(s);
    return true;
  };

  for (int c = in.NextChar(); c != 'S'; c = in.NextChar()) {
    if (c == kEndOfText) {
      fail("no capital S before the end of the text");
      return;
    }
  }

  in.ch = ' ';
  for (;;) {
    if (!in.NextToken()) return textEnds();
    if (in.ch == ')') return;
    if (in.ch == ',') continue; // an empty entry between two commas, or before the ')'

    if (WorkTable.ruleCount >= kMaxRules) {
      fail("more than " + std::to_string(kMaxRules) + " rules");
      return;
    }
    const int r = ++WorkTable.ruleCount;
    WorkTable.strict[r] = 1;

    int length = 0;
    while (in.ch != '-') {
      if (in.ch == ')' || in.ch == ',') {
        fail("a rule without an arrow");
        return;
      }
      if (!put(WorkTable.lhs[r], length)) return;
      if (!in.NextToken()) return textEnds();
    }
    WorkTable.lhs[r][static_cast<std::size_t>(length)] = 0;

    // The arrow: '>' must follow the '-'; a '=' after it makes the rule relative, and any other
    // non-blank character is read again as the start of the right-hand side.
    int c = in.NextChar();
    if (c == kEndOfText) return textEnds();
    if (c != '>') {
      fail("a '-' that is not followed by '>'");
      return;
    }
    c = in.NextChar();
    if (c == kEndOfText) return textEnds();
    if (c == '=') {
      WorkTable.strict[r] = 0;
      PlainMode = 0;
    } else if (c != ' ') {
      in.StepBack();
    }

    length = 0;
    if (!in.NextToken()) return textEnds();
    while (in.ch != ')' && in.ch != ',') {
      if (in.ch == '-') {
        fail("a '-' inside a right-hand side");
        return;
      }
      if (!put(WorkTable.rhs[r], length)) return;
      if (!in.NextToken()) return textEnds();
    }
    WorkTable.rhs[r][static_cast<std::size_t>(length)] = 0;

    if (in.ch == ')') return;
  }
}

} // namespace selko
