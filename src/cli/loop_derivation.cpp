#include "cli/loop_derivation.hpp"

#include <map>

namespace selko {

const char* const kNoDerivationLine = "No checked looping derivation could be built.";

namespace {

using Text = std::vector<Symbol>;

constexpr std::size_t kMaxShownLength = 100000; // symbols in one string of the derivation

Text SideOf(const Word& w) { return Text(w.begin(), w.begin() + WordLength(w)); }

bool OccursAt(const Text& big, std::size_t at, const Text& small) {
  if (at + small.size() > big.size()) return false;
  for (std::size_t i = 0; i < small.size(); ++i) {
    if (big[at + i] != small[i]) return false;
  }
  return true;
}

// Rewrites text at `at` (from 0) with rule r of system; false when the left side is not there.
bool Rewrite(const RuleTable& system, int r, std::size_t at, const Text& text, Text& result) {
  const Text lhs = SideOf(system.lhs[r]);
  if (!OccursAt(text, at, lhs)) return false;
  const Text rhs = SideOf(system.rhs[r]);
  result.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at));
  result.insert(result.end(), rhs.begin(), rhs.end());
  result.insert(result.end(), text.begin() + static_cast<std::ptrdiff_t>(at + lhs.size()),
                text.end());
  return true;
}

// One step t -> w with s inside w: the rule, where it applies in t, where s lies in w.
struct EdgeStep {
  int rule = 0;
  std::size_t at = 0;
  std::size_t found = 0;
};

bool FindEdgeStep(const RuleTable& system, const Text& t, const Text& s, EdgeStep& step) {
  Text w;
  for (int r = 1; r <= system.ruleCount; ++r) {
    const std::size_t l = static_cast<std::size_t>(WordLength(system.lhs[r]));
    for (std::size_t at = 0; at + l <= t.size(); ++at) {
      if (!Rewrite(system, r, at, t, w)) continue;
      for (std::size_t q = 0; q + s.size() <= w.size(); ++q) {
        if (OccursAt(w, q, s)) {
          step = {r, at, q};
          return true;
        }
      }
    }
  }
  return false;
}

std::string Show(const RuleTable& system, const Text& text) {
  std::string out;
  for (Symbol s : text) {
    if (!out.empty()) out += ' ';
    out += system.names[s];
  }
  return out.empty() ? "(the empty string)" : out;
}

LoopDerivation Refused() {
  LoopDerivation none;
  none.lines = {kNoDerivationLine};
  return none;
}

} // namespace

LoopDerivation BuildLoopDerivation(const RuleTable& system, const AncestorGraph& graph) {
  const int count = static_cast<int>(graph.strings.size()) - 1;
  if (count < 1 || graph.reported < 1 || graph.reported > count ||
      static_cast<int>(graph.ancestor.size()) < count + 1) {
    return Refused();
  }
  for (int t = 0; t <= count; ++t) {
    if (static_cast<int>(graph.ancestor[static_cast<std::size_t>(t)].size()) < count + 1) {
      return Refused();
    }
  }
  auto edge = [&](int t, int s) {
    return static_cast<bool>(
        graph.ancestor[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)]);
  };

  // The graph's strings in the numbering of `system`, matched by name.
  std::map<std::string, Symbol> numberOf;
  for (int s = 1; s <= system.symbolCount; ++s) {
    numberOf.emplace(system.names[static_cast<std::size_t>(s)], static_cast<Symbol>(s));
  }
  std::vector<Text> strings(static_cast<std::size_t>(count) + 1);
  for (int k = 1; k <= count; ++k) {
    for (Symbol s : graph.strings[static_cast<std::size_t>(k)]) {
      if (s >= graph.names.size()) return Refused();
      const auto found = numberOf.find(graph.names[s]);
      if (found == numberOf.end()) return Refused();
      strings[static_cast<std::size_t>(k)].push_back(found->second);
    }
  }

  // The strings that start infinite chains: every member is an ancestor of a member.
  std::vector<bool> alive(static_cast<std::size_t>(count) + 1, true);
  alive[0] = false;
  for (bool changed = true; changed;) {
    changed = false;
    for (int k = 1; k <= count; ++k) {
      if (!alive[static_cast<std::size_t>(k)]) continue;
      bool any = false;
      for (int m = 1; m <= count && !any; ++m)
        any = alive[static_cast<std::size_t>(m)] && edge(k, m);
      if (!any) {
        alive[static_cast<std::size_t>(k)] = false;
        changed = true;
      }
    }
  }
  if (!alive[static_cast<std::size_t>(graph.reported)]) return Refused();

  // Follow the lowest-numbered living successor until a string comes back.
  std::vector<int> path = {graph.reported};
  std::vector<int> seenAt(static_cast<std::size_t>(count) + 1, -1);
  seenAt[static_cast<std::size_t>(graph.reported)] = 0;
  int cycleStart = -1;
  while (cycleStart < 0) {
    const int t = path.back();
    int next = 0;
    for (int m = 1; m <= count && next == 0; ++m) {
      if (alive[static_cast<std::size_t>(m)] && edge(t, m)) next = m;
    }
    if (next == 0) return Refused();
    if (seenAt[static_cast<std::size_t>(next)] >= 0) {
      cycleStart = seenAt[static_cast<std::size_t>(next)];
    } else {
      seenAt[static_cast<std::size_t>(next)] = static_cast<int>(path.size());
    }
    path.push_back(next);
  }

  // Replay the edges in context, checking each step by rewriting.
  LoopDerivation derivation;
  derivation.lines.push_back(
      "Looping derivation (each step with its rule and the position, from 1, where the rule's "
      "left-hand side starts):");
  Text current = strings[static_cast<std::size_t>(graph.reported)];
  std::size_t offset = 0; // where the current string of the path lies in `current`
  std::size_t cycleOffset = 0;
  std::size_t cycleStep = 0;
  derivation.lines.push_back("  " + Show(system, current));
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    if (static_cast<int>(i) == cycleStart) {
      cycleOffset = offset;
      cycleStep = i;
    }
    const Text& t = strings[static_cast<std::size_t>(path[i])];
    const Text& s = strings[static_cast<std::size_t>(path[i + 1])];
    EdgeStep step;
    if (!FindEdgeStep(system, t, s, step)) return Refused();
    Text next;
    if (!OccursAt(current, offset, t)) return Refused();
    if (!Rewrite(system, step.rule, offset + step.at, current, next)) return Refused();
    if (!OccursAt(next, offset + step.found, s)) return Refused();
    if (next.size() > kMaxShownLength) return Refused();
    derivation.lines.push_back("  -> " + Show(system, next) + "   (rule " +
                               std::to_string(step.rule) + " at position " +
                               std::to_string(offset + step.at + 1) + ")");
    current = std::move(next);
    offset += step.found;
  }
  const Text& loop = strings[static_cast<std::size_t>(path.back())];
  if (!OccursAt(current, offset, loop)) return Refused();
  derivation.lines.push_back("The string " + Show(system, loop) + " occurs at position " +
                             std::to_string(cycleOffset + 1) + " of " +
                             (cycleStep == 0
                                  ? std::string("the first string")
                                  : "the string after step " + std::to_string(cycleStep)) +
                             " and again at position " + std::to_string(offset + 1) +
                             " of the last one: the steps between repeat forever.");
  derivation.checked = true;
  return derivation;
}

} // namespace selko
