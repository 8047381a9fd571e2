#include "engine/readers/xml_reader.hpp"

#include <cstring>
#include <vector>

#include <pugixml.hpp>

#include "engine/readers/input_format.hpp"

namespace selko::engine {

namespace {

std::string Trimmed(const char* raw) {
  std::string s(raw);
  const char* blanks = " \t\r\n";
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

pugi::xml_node FirstElement(pugi::xml_node parent) {
  for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
    if (n.type() == pugi::node_element) return n;
  }
  return {};
}

// Reads one side: a chain of unary applications ending in a variable. The symbols go to
// names outermost first; the variable's name goes to variable.
bool ReadSide(pugi::xml_node side, std::vector<std::string>& names, std::string& variable,
              std::string& error) {
  const char* which = std::strcmp(side.name(), "lhs") == 0 ? "left" : "right";
  pugi::xml_node term = FirstElement(side);
  if (!term) {
    error = std::string("the ") + which + "-hand side holds no term";
    return false;
  }
  while (true) {
    if (std::strcmp(term.name(), "var") == 0) {
      variable = Trimmed(term.child_value());
      if (variable.empty()) {
        error = "a variable without a name";
        return false;
      }
      return true;
    }
    if (std::strcmp(term.name(), "funapp") != 0) {
      error = std::string("unexpected element <") + term.name() + "> in a term";
      return false;
    }
    const std::string name = Trimmed(term.child("name").child_value());
    if (name.empty()) {
      error = "a function application without a name";
      return false;
    }
    int arguments = 0;
    pugi::xml_node argument;
    for (pugi::xml_node a = term.child("arg"); a; a = a.next_sibling("arg")) {
      if (arguments == 0) argument = a;
      ++arguments;
    }
    if (arguments == 0) {
      error = "symbol " + name + " is a constant; only unary symbols over one variable can be read";
      return false;
    }
    if (arguments > 1) {
      error = "symbol " + name + " has " + std::to_string(arguments) +
              " arguments; only unary symbols over one variable can be read";
      return false;
    }
    names.push_back(name);
    term = FirstElement(argument);
    if (!term) {
      error = "symbol " + name + " has an empty argument";
      return false;
    }
  }
}

bool ReadRule(pugi::xml_node rule, bool strict, int number, RuleSink& sink, std::string& error) {
  const std::string where = "rule " + std::to_string(number) + ": ";
  if (rule.child("conditions")) {
    error = where + "conditional rules cannot be read";
    return false;
  }
  const pugi::xml_node lhs = rule.child("lhs");
  const pugi::xml_node rhs = rule.child("rhs");
  if (!lhs || !rhs) {
    error = where + "a rule needs <lhs> and <rhs>";
    return false;
  }
  std::vector<std::string> left;
  std::vector<std::string> right;
  std::string leftVariable;
  std::string rightVariable;
  if (!ReadSide(lhs, left, leftVariable, error) || !ReadSide(rhs, right, rightVariable, error)) {
    error = where + error;
    return false;
  }
  if (leftVariable != rightVariable) {
    error = where + "two variables, " + leftVariable + " and " + rightVariable +
            "; only unary symbols over one variable can be read";
    return false;
  }
  return sink.AddRule(left, right, strict, error);
}

bool ReadRules(pugi::xml_node rules, bool strict, int& number, RuleSink& sink, std::string& error) {
  for (pugi::xml_node n = rules.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_element) continue;
    if (std::strcmp(n.name(), "rule") == 0) {
      if (!ReadRule(n, strict, ++number, sink, error)) return false;
    } else if (std::strcmp(n.name(), "relrules") == 0 && strict) {
      if (!ReadRules(n, false, number, sink, error)) return false;
    }
  }
  return true;
}

} // namespace

bool ReadXmlRules(const std::string& text, RuleSink& sink, std::string& error) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    int line = 0;
    int column = 0;
    LineAndColumn(text, static_cast<std::size_t>(parsed.offset), line, column);
    error = "malformed XML at line " + std::to_string(line) + ", column " + std::to_string(column) +
            ": " + parsed.description();
    return false;
  }
  const pugi::xml_node trs = document.child("problem").child("trs");
  if (!trs) {
    error = "no <problem><trs> element";
    return false;
  }
  const pugi::xml_node rules = trs.child("rules");
  if (!rules) {
    error = "no <rules> element";
    return false;
  }
  for (pugi::xml_node f = trs.child("signature").child("funcsym"); f;
       f = f.next_sibling("funcsym")) {
    const std::string arity = Trimmed(f.child("arity").child_value());
    if (arity != "1") {
      error = "symbol " + Trimmed(f.child("name").child_value()) + " has arity " +
              (arity.empty() ? std::string("?") : arity) +
              "; only unary symbols over one variable can be read";
      return false;
    }
  }
  int number = 0;
  if (!ReadRules(rules, true, number, sink, error)) return false;
  // Weak rules kept beside <rules> rather than inside it.
  for (pugi::xml_node weak = trs.child("relrules"); weak; weak = weak.next_sibling("relrules")) {
    if (!ReadRules(weak, false, number, sink, error)) return false;
  }
  return true;
}

} // namespace selko::engine
