#include "engine/check/match_bound_check.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace selko::engine {
namespace {

constexpr std::uint32_t kNoHeight = 0xFFFFFFFFu;

// Transitions sorted by source and letter, looked up by binary search.
class Transitions {
public:
  explicit Transitions(std::vector<BoundTransition> all) : all_(std::move(all)) {
    std::sort(all_.begin(), all_.end(), [](const BoundTransition& x, const BoundTransition& y) {
      return std::tie(x.from, x.letter, x.height, x.to) <
             std::tie(y.from, y.letter, y.height, y.to);
    });
  }

  // The transitions leaving `from` that read `letter`, any height.
  std::pair<const BoundTransition*, const BoundTransition*> Leaving(std::uint32_t from,
                                                                    Letter letter) const {
    const auto range =
        std::equal_range(all_.begin(), all_.end(), BoundTransition{from, letter, 0, 0},
                         [](const BoundTransition& x, const BoundTransition& y) {
                           return std::tie(x.from, x.letter) < std::tie(y.from, y.letter);
                         });
    return {all_.data() + (range.first - all_.begin()),
            all_.data() + (range.second - all_.begin())};
  }

  // The states reached from `from` reading `word` with every height `height`, sorted.
  std::vector<std::uint32_t> Read(std::uint32_t from, const String& word,
                                  std::uint32_t height) const {
    std::vector<std::uint32_t> at{from}, next;
    for (Letter a : word) {
      next.clear();
      for (std::uint32_t s : at) {
        auto [t, end] = Leaving(s, a);
        for (; t != end; ++t)
          if (t->height == height) next.push_back(t->to);
      }
      std::sort(next.begin(), next.end());
      next.erase(std::unique(next.begin(), next.end()), next.end());
      at.swap(next);
    }
    return at;
  }

private:
  std::vector<BoundTransition> all_;
};

// R: the rules with erasing rules expanded (left side, right side).
std::vector<std::pair<String, String>> ExpandedRules(const Problem& problem) {
  std::vector<std::pair<String, String>> rules;
  for (const Rule& rule : problem.rules) {
    if (!rule.rhs.empty()) {
      rules.emplace_back(rule.lhs, rule.rhs);
      continue;
    }
    for (Letter a = 0; a < problem.LetterCount(); ++a) {
      String lhs = rule.lhs;
      lhs.push_back(a);
      rules.emplace_back(lhs, String{a});
    }
  }
  return rules;
}

bool ProblemFits(const Problem& problem, std::string& why) {
  if (problem.pairProblem || !problem.pairs.empty()) {
    why = "a match bound proves plain problems only, not pair problems";
    return false;
  }
  for (const Rule& rule : problem.rules) {
    if (!rule.strict) {
      why = "a match bound proves plain problems only, but the rule " + problem.RuleText(rule) +
            " is weak";
      return false;
    }
    if (rule.lhs.empty()) {
      why = "the rule " + problem.RuleText(rule) + " has an empty left side";
      return false;
    }
    for (const String* side : {&rule.lhs, &rule.rhs})
      for (Letter a : *side)
        if (a >= problem.LetterCount()) {
          why = "a rule uses a letter without a name";
          return false;
        }
  }
  return true;
}

bool ShapeFits(const Problem& problem, const MatchBound& m, std::string& why) {
  if (m.endMarker != problem.LetterCount()) {
    why = "the end marker is not the letter after the problem's letters";
    return false;
  }
  if (m.initial >= m.stateCount) {
    why = "the initial state is not a state";
    return false;
  }
  if (m.finals.empty()) {
    why = "there is no final state";
    return false;
  }
  for (std::uint32_t f : m.finals)
    if (f >= m.stateCount) {
      why = "final state " + std::to_string(f) + " is not a state";
      return false;
    }
  for (const BoundTransition& t : m.transitions) {
    if (t.from >= m.stateCount || t.to >= m.stateCount || t.letter > m.endMarker) {
      why = "a transition leaves the automaton's states or letters";
      return false;
    }
    if (t.height > m.bound) {
      why = "a transition has height " + std::to_string(t.height) + " above the bound " +
            std::to_string(m.bound);
      return false;
    }
  }
  return true;
}

bool AcceptsStart(const Problem& problem, const MatchBound& m, const Transitions& transitions,
                  const std::vector<std::pair<String, String>>& rules, std::string& why) {
  const std::set<std::uint32_t> finals(m.finals.begin(), m.finals.end());
  for (const auto& [lhs, rhs] : rules) {
    const std::vector<std::uint32_t> reached = transitions.Read(m.initial, rhs, 0);
    if (std::none_of(reached.begin(), reached.end(),
                     [&](std::uint32_t s) { return finals.count(s) > 0; })) {
      why = "the right side " + problem.Text(rhs) + " is not accepted at height 0";
      return false;
    }
  }
  for (std::uint32_t f : finals) {
    auto [t, end] = transitions.Leaving(f, m.endMarker);
    if (std::none_of(t, end, [&](const BoundTransition& x) {
          return x.height == 0 && finals.count(x.to) > 0;
        })) {
      why = "final state " + std::to_string(f) +
            " has no end-marker transition at height 0 into a final state";
      return false;
    }
  }
  return true;
}

// Every path reading lhs (or a proper prefix of it and then an end marker) from some state p
// into q, smallest height h, has each of the right sides `rhss` read from p into q at height
// h + 1.
bool Compatible(const Problem& problem, const MatchBound& m, const Transitions& transitions,
                const std::vector<std::uint32_t>& sources, const String& lhs,
                const std::vector<String>& rhss, std::string& why) {
  using Reached = std::pair<std::uint32_t, std::uint32_t>; // (state, smallest height)
  std::vector<Reached> at, next;
  // Per right side: the heights read from p so far and the states each reaches.
  std::vector<std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>>> readsAt(
      rhss.size());
  for (std::uint32_t p : sources) {
    for (auto& cache : readsAt)
      cache.clear();
    auto reads = [&](std::size_t r, std::uint32_t q, std::uint32_t h) {
      auto& cache = readsAt[r];
      auto it =
          std::find_if(cache.begin(), cache.end(), [h](const auto& e) { return e.first == h; });
      if (it == cache.end()) {
        cache.emplace_back(h, transitions.Read(p, rhss[r], h));
        it = cache.end() - 1;
      }
      return std::binary_search(it->second.begin(), it->second.end(), q);
    };
    auto fail = [&](std::size_t r, std::uint32_t q, std::uint32_t smallest,
                    const std::string& what) {
      why = "from state " + std::to_string(p) + " to state " + std::to_string(q) + ", " + what +
            " is read with smallest height " + std::to_string(smallest) + " but " +
            problem.Text(rhss[r]) + " is not read at height " + std::to_string(smallest + 1);
      return false;
    };
    at.assign(1, {p, kNoHeight});
    for (std::size_t k = 0; k < lhs.size() && !at.empty(); ++k) {
      next.clear();
      for (const auto& [s, smallest] : at) {
        auto [t, end] = transitions.Leaving(s, lhs[k]);
        for (; t != end; ++t)
          next.emplace_back(t->to, std::min(smallest, t->height));
      }
      std::sort(next.begin(), next.end());
      next.erase(std::unique(next.begin(), next.end()), next.end());
      at.swap(next);
      for (const auto& [s, smallest] : at) {
        for (std::size_t r = 0; r < rhss.size(); ++r) {
          if (k + 1 == lhs.size()) {
            if (!reads(r, s, smallest + 1)) return fail(r, s, smallest, problem.Text(lhs));
            continue;
          }
          auto [t, end] = transitions.Leaving(s, m.endMarker);
          for (; t != end; ++t) {
            const std::uint32_t h = std::min(smallest, t->height);
            if (!reads(r, t->to, h + 1)) {
              const String prefix(lhs.begin(), lhs.begin() + static_cast<std::ptrdiff_t>(k + 1));
              return fail(r, t->to, h, problem.Text(prefix) + " #");
            }
          }
        }
      }
    }
  }
  return true;
}

} // namespace

bool CheckMatchBound(const Problem& problem, const MatchBound& certificate, std::string& why) {
  if (!ProblemFits(problem, why) || !ShapeFits(problem, certificate, why)) return false;
  const Transitions transitions(certificate.transitions);
  const std::vector<std::pair<String, String>> rules = ExpandedRules(problem);
  if (!AcceptsStart(problem, certificate, transitions, rules, why)) return false;
  // A path reading a non-empty word starts at a state with a transition.
  std::vector<std::uint32_t> sources;
  for (const BoundTransition& t : certificate.transitions)
    sources.push_back(t.from);
  std::sort(sources.begin(), sources.end());
  sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
  // Rules of one left side share the walks along it.
  std::map<String, std::vector<String>> byLhs;
  for (const auto& [lhs, rhs] : rules)
    byLhs[lhs].push_back(rhs);
  for (const auto& [lhs, rhss] : byLhs) {
    if (!Compatible(problem, certificate, transitions, sources, lhs, rhss, why)) return false;
  }
  return true;
}

} // namespace selko::engine
