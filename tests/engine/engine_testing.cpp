#include "engine_testing.hpp"

#include <algorithm>
#include <stdexcept>

namespace selko::engine::testing {

namespace {

Letter Intern(Problem& p, char c) {
  const std::string name(1, c);
  auto it = std::find(p.names.begin(), p.names.end(), name);
  if (it != p.names.end()) return static_cast<Letter>(it - p.names.begin());
  p.names.push_back(name);
  return static_cast<Letter>(p.names.size() - 1);
}

} // namespace

Problem Rules(const std::vector<std::string>& rules) {
  Problem p;
  for (const std::string& text : rules) {
    const std::size_t arrow = text.find("->");
    if (arrow == std::string::npos) throw std::invalid_argument("no arrow in " + text);
    Rule r;
    std::size_t right = arrow + 2;
    if (right < text.size() && text[right] == '=') {
      r.strict = false;
      ++right;
    }
    for (std::size_t i = 0; i < arrow; ++i)
      r.lhs.push_back(Intern(p, text[i]));
    for (std::size_t i = right; i < text.size(); ++i)
      r.rhs.push_back(Intern(p, text[i]));
    p.rules.push_back(std::move(r));
  }
  return p;
}

String Letters(const Problem& problem, const std::string& text) {
  String s;
  for (const char c : text) {
    auto it = std::find(problem.names.begin(), problem.names.end(), std::string(1, c));
    if (it == problem.names.end()) throw std::invalid_argument(std::string("unknown letter ") + c);
    s.push_back(static_cast<Letter>(it - problem.names.begin()));
  }
  return s;
}

} // namespace selko::engine::testing
