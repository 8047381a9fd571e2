#include "engine/readers/ari_reader.hpp"

#include <map>
#include <utility>
#include <vector>

namespace selko::engine {

namespace {

// One S-expression: an atom or a parenthesised list, with where it starts.
// A deep chain of forms is taken apart without recursion, so that nesting is bounded by memory
// only, not by the stack.
struct Form {
  bool list = false;
  std::string atom; // the name, without the bars of a |quoted| name
  int line = 0;
  int column = 0;
  std::vector<Form> items;

  Form() = default;
  Form(Form&&) = default;
  Form& operator=(Form&&) = default;
  ~Form() {
    std::vector<Form> pending = std::move(items);
    while (!pending.empty()) {
      Form last = std::move(pending.back());
      pending.pop_back();
      for (Form& item : last.items)
        pending.push_back(std::move(item));
      last.items.clear();
    }
  }
};

std::string At(int line, int column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

class FormReader {
public:
  FormReader(const std::string& text, int maxNesting) : text_(text), maxNesting_(maxNesting) {}

  // Reads the next top-level form into `form` (found false at the end of the text); false with
  // error set on malformed text. Without `keep` the form's items and names are not stored:
  // the text is only checked, in memory bounded by its nesting.
  bool Next(bool keep, Form& form, bool& found, std::string& error) {
    std::vector<Form> open; // lists not yet closed, innermost last
    found = false;
    while (true) {
      SkipBlanksAndComments();
      if (pos_ >= text_.size()) break;
      const char c = text_[pos_];
      Form item;
      item.line = line_;
      item.column = column_;
      if (c == '(') {
        if (open.size() >= static_cast<std::size_t>(maxNesting_)) {
          error = At(line_, column_) + "parentheses nested too deeply";
          return false;
        }
        Advance();
        item.list = true;
        open.push_back(std::move(item));
        continue;
      }
      if (c == ')') {
        if (open.empty()) {
          error = At(line_, column_) + "')' without a matching '('";
          return false;
        }
        Advance();
        item = std::move(open.back());
        open.pop_back();
      } else if (c == '|') {
        Advance();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '|')
          Advance();
        if (pos_ >= text_.size()) {
          error = At(item.line, item.column) + "'|' without a closing '|'";
          return false;
        }
        if (keep) item.atom = text_.substr(start, pos_ - start);
        Advance();
      } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !EndsAtom(text_[pos_]))
          Advance();
        if (keep) item.atom = text_.substr(start, pos_ - start);
      }
      if (open.empty()) {
        form = std::move(item);
        found = true;
        return true;
      }
      if (keep) open.back().items.push_back(std::move(item));
    }
    if (!open.empty()) {
      error = At(open.back().line, open.back().column) + "'(' is never closed";
      return false;
    }
    return true;
  }

  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == ';') {
        while (pos_ < text_.size() && text_[pos_] != '\n')
          Advance();
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
        Advance();
      } else {
        break;
      }
    }
  }

  std::size_t Position() const { return pos_; }

private:
  static bool EndsAtom(char c) {
    return c == '(' || c == ')' || c == ';' || c == '|' || c == ' ' || c == '\t' || c == '\r' ||
           c == '\n' || c == '\f' || c == '\v';
  }

  void Advance() {
    if (text_[pos_] == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++pos_;
  }

  const std::string& text_;
  int maxNesting_ = kAriNesting;
  std::size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

const char* kUnaryOnly = "only unary symbols over one variable can be read";

class AriSystem {
public:
  explicit AriSystem(RuleSink& sink) : sink_(sink) {}

  // Takes the text's forms one at a time, in order; the text has been checked before.
  bool Read(FormReader& reader, std::string& error) {
    Form form;
    bool found = false;
    for (std::size_t k = 0;; ++k) {
      if (!reader.Next(true, form, found, error)) return false;
      if (!found) break;
      if (!Take(form, k == 0, error)) return false;
    }
    if (taken_ == 0) {
      error = At(1, 1) + "the text holds no (format TRS)";
      return false;
    }
    return true;
  }

private:
  bool Take(const Form& form, bool first, std::string& error) {
    ++taken_;
    if (!form.list || form.items.empty() || form.items[0].list) {
      error = At(form.line, form.column) + "expected a form such as (rule ...)";
      return false;
    }
    const std::string& head = form.items[0].atom;
    if (first && head != "format") {
      error = At(form.line, form.column) + "the first form must be (format TRS)";
      return false;
    }
    if (head == "format") return Format(form, first, error);
    if (head == "fun") return Fun(form, error);
    if (head == "rule") return Rule(form, error);
    if (head == "meta-info") return true;
    error = At(form.line, form.column) + "unknown form (" + head + " ...)";
    return false;
  }

  static bool Format(const Form& form, bool first, std::string& error) {
    if (!first) {
      error = At(form.line, form.column) + "a second (format ...)";
      return false;
    }
    if (form.items.size() != 2 || form.items[1].list) {
      error = At(form.line, form.column) + "expected (format TRS)";
      return false;
    }
    if (form.items[1].atom != "TRS") {
      error = At(form.items[1].line, form.items[1].column) + "format " + form.items[1].atom +
              " cannot be read; only TRS";
      return false;
    }
    return true;
  }

  bool Fun(const Form& form, std::string& error) {
    if (form.items.size() != 3 || form.items[1].list || form.items[2].list) {
      error = At(form.line, form.column) + "expected (fun NAME ARITY)";
      return false;
    }
    const Form& name = form.items[1];
    const Form& arity = form.items[2];
    if (arity.atom.empty() || arity.atom.find_first_not_of("0123456789") != std::string::npos) {
      error = At(arity.line, arity.column) + "the arity of " + name.atom +
              " is not a number: " + arity.atom;
      return false;
    }
    if (arity.atom != "1") {
      error = At(form.line, form.column) + "symbol " + name.atom + " has arity " + arity.atom +
              "; " + kUnaryOnly;
      return false;
    }
    if (!declared_.emplace(name.atom, true).second) {
      error = At(name.line, name.column) + "symbol " + name.atom + " is declared twice";
      return false;
    }
    return true;
  }

  // A term: a variable, or (f t) with f declared; symbols go to names outermost first.
  bool Term(const Form* term, std::vector<std::string>& names, std::string& variable,
            std::string& error) const {
    while (true) {
      if (!term->list) {
        if (declared_.count(term->atom) != 0) {
          error = At(term->line, term->column) + "symbol " + term->atom +
                  " is used as a constant; " + kUnaryOnly;
          return false;
        }
        variable = term->atom;
        return true;
      }
      if (term->items.empty()) {
        error = At(term->line, term->column) + "an empty term ()";
        return false;
      }
      const Form& head = term->items[0];
      if (head.list) {
        error = At(head.line, head.column) + "a term must start with a symbol";
        return false;
      }
      if (declared_.count(head.atom) == 0) {
        error = At(head.line, head.column) + "undeclared symbol " + head.atom;
        return false;
      }
      if (term->items.size() != 2) {
        error = At(head.line, head.column) + "symbol " + head.atom + " is applied to " +
                std::to_string(term->items.size() - 1) + " arguments; " + kUnaryOnly;
        return false;
      }
      names.push_back(head.atom);
      term = &term->items[1];
    }
  }

  bool Rule(const Form& form, std::string& error) {
    const std::size_t n = form.items.size();
    if (n != 3 && n != 5) {
      error = At(form.line, form.column) + "expected (rule LHS RHS) or (rule LHS RHS :cost N)";
      return false;
    }
    bool strict = true;
    if (n == 5) {
      const Form& key = form.items[3];
      const Form& value = form.items[4];
      if (key.list || key.atom != ":cost") {
        error = At(key.line, key.column) + "expected :cost";
        return false;
      }
      if (value.list || (value.atom != "0" && value.atom != "1")) {
        error = At(value.line, value.column) + "a rule's cost must be 0 (weak) or 1 (strict)";
        return false;
      }
      strict = value.atom == "1";
    }
    std::vector<std::string> lhs;
    std::vector<std::string> rhs;
    std::string leftVariable;
    std::string rightVariable;
    if (!Term(&form.items[1], lhs, leftVariable, error) ||
        !Term(&form.items[2], rhs, rightVariable, error)) {
      return false;
    }
    if (leftVariable != rightVariable) {
      error = At(form.line, form.column) + "two variables, " + leftVariable + " and " +
              rightVariable + "; " + kUnaryOnly;
      return false;
    }
    if (!sink_.AddRule(lhs, rhs, strict, error)) {
      error = At(form.line, form.column) + error;
      return false;
    }
    return true;
  }

  RuleSink& sink_;
  std::map<std::string, bool> declared_;
  std::size_t taken_ = 0;
};

} // namespace

bool LooksLikeAri(const std::string& text) {
  FormReader reader(text, kAriNesting);
  reader.SkipBlanksAndComments();
  std::size_t p = reader.Position();
  if (p >= text.size() || text[p] != '(') return false;
  ++p;
  while (p < text.size() &&
         (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n')) {
    ++p;
  }
  return text.compare(p, 6, "format") == 0;
}

bool ReadAriRules(const std::string& text, RuleSink& sink, int maxNesting, std::string& error) {
  // Malformed text is refused before any form is taken; then the forms are read again one at a
  // time, so that only the largest one is ever held.
  FormReader checker(text, maxNesting);
  Form form;
  bool found = true;
  while (found) {
    if (!checker.Next(false, form, found, error)) return false;
  }
  FormReader reader(text, maxNesting);
  AriSystem system(sink);
  return system.Read(reader, error);
}

} // namespace selko::engine
