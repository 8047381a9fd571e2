#include "engine/bounds/rfc_rules.hpp"

#include <map>

namespace selko::engine::bounds {

std::optional<RfcRules> PrepareRfcRules(const Problem& problem, std::size_t maxRules) {
  if (problem.pairProblem || !problem.pairs.empty()) return std::nullopt;
  const std::size_t letters = problem.LetterCount();
  if (letters >= 0xFFFFFFFFu) return std::nullopt; // no number left for the end marker
  std::size_t count = 0;
  for (const Rule& r : problem.rules) {
    if (!r.strict || r.lhs.empty()) return std::nullopt;
    for (Letter a : r.lhs)
      if (a >= letters) return std::nullopt;
    for (Letter a : r.rhs)
      if (a >= letters) return std::nullopt;
    count += r.rhs.empty() ? letters : 1;
    if (count > maxRules) return std::nullopt;
  }

  RfcRules rules;
  rules.endMarker = static_cast<Letter>(letters);
  rules.byLetter.resize(letters);
  std::map<String, std::uint32_t> rhsNumber, lhsNumber;
  auto add = [&](String lhs, String rhs) {
    auto [it, fresh] =
        rhsNumber.emplace(std::move(rhs), static_cast<std::uint32_t>(rhsNumber.size()));
    if (fresh) rules.rhs.push_back(it->first);
    const auto [left, freshLeft] =
        lhsNumber.emplace(lhs, static_cast<std::uint32_t>(lhsNumber.size()));
    if (freshLeft) {
      for (std::size_t i = 0; i < lhs.size(); ++i)
        rules.byLetter[lhs[i]].push_back({left->second, static_cast<std::uint32_t>(i)});
      rules.leftSides.push_back(lhs);
      rules.rulesOf.emplace_back();
    }
    rules.rulesOf[left->second].push_back(static_cast<std::uint32_t>(rules.lhs.size()));
    rules.lhs.push_back(std::move(lhs));
    rules.rhsOf.push_back(it->second);
  };
  for (const Rule& r : problem.rules) {
    if (!r.rhs.empty()) {
      add(r.lhs, r.rhs);
      continue;
    }
    for (std::size_t a = 0; a < letters; ++a) {
      String lhs = r.lhs;
      lhs.push_back(static_cast<Letter>(a));
      add(std::move(lhs), String{static_cast<Letter>(a)});
    }
  }
  return rules;
}

} // namespace selko::engine::bounds
