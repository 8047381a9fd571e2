#include "engine/proof.hpp"

#include <algorithm>

#include "engine/engine.hpp"

namespace selko::engine {

ProofNode::~ProofNode() {
  std::vector<std::unique_ptr<ProofNode>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<ProofNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children)
      pending.push_back(std::move(child));
    node->children.clear();
  }
}

bool ProofNode::Closed() const {
  std::vector<const ProofNode*> todo{this};
  while (!todo.empty()) {
    const ProofNode* node = todo.back();
    todo.pop_back();
    if (!node->step) {
      if (!node->problem.IsFinished()) return false;
      continue;
    }
    if (node->children.size() != node->step->remaining.size()) return false;
    for (const auto& child : node->children)
      todo.push_back(child.get());
  }
  return true;
}

namespace {

std::vector<std::string> ProblemLines(const Problem& problem) {
  std::vector<std::string> lines;
  lines.push_back(std::string(kEngineHeader) + " is applied to the " +
                  (problem.IsRelative() ? "relative " : "") + "string rewriting system");
  for (const Rule& r : problem.rules)
    lines.push_back(problem.RuleText(r));
  return lines;
}

std::string Remains(const Problem& p) {
  if (p.pairProblem) {
    return std::to_string(p.pairs.size()) +
           (p.pairs.size() == 1 ? " pair remains" : " pairs remain");
  }
  std::size_t strict = 0;
  for (const Rule& r : p.rules)
    strict += r.strict ? 1 : 0;
  const std::size_t weak = p.rules.size() - strict;
  std::string text = std::to_string(strict) + " strict";
  if (weak > 0) text += " and " + std::to_string(weak) + " weak";
  return text + (strict + weak == 1 ? " rule remains" : " rules remain");
}

// Walks the tree: a chain of single-child steps counts on (1, 2, 3), a split numbers its
// parts below the step that made it (3.1, 3.2, with their own chains 3.1.1, 3.1.2). Chains
// are followed in a loop; only splits recurse.
void Walk(const ProofNode* node, const std::string& prefix, int number, bool full,
          std::vector<std::string>& outline, std::vector<std::string>& details) {
  for (;; ++number) {
    const std::string label = prefix + std::to_string(number);
    if (!node->step) {
      if (!node->problem.IsFinished())
        outline.push_back(label + " open: " + Remains(node->problem));
      return;
    }
    const Step& step = *node->step;
    std::string line = label + " " + step.summary;
    if (step.remaining.size() == 1 && !std::holds_alternative<Reversal>(step.certificate)) {
      line += "; " + (step.remaining[0].IsFinished() ? std::string("nothing remains to prove")
                                                     : Remains(step.remaining[0]));
    }
    outline.push_back(line);
    details.push_back(label + " " + step.summary);
    for (const std::string& d : step.details)
      details.push_back("  " + d);
    // An automaton's transitions are listed from the certificate, only when the proof is shown.
    if (const auto* bound = std::get_if<MatchBound>(&step.certificate)) {
      const Problem& target = node->problem;
      for (const std::string& d : MatchBoundListing(target, *bound, full))
        details.push_back("  " + d);
    }
    if (node->children.size() != 1) {
      for (std::size_t i = 0; i < node->children.size(); ++i) {
        Walk(node->children[i].get(), label + "." + std::to_string(i + 1) + ".", 1, full, outline,
             details);
      }
      return;
    }
    node = node->children[0].get();
  }
}

std::string Entry(std::int64_t v, Domain domain) {
  if (domain == Domain::Arctic && v == kMinusInfinity) return "-inf";
  return std::to_string(v);
}

// Some finite arctic entry is below zero.
bool BelowZero(const MatrixInterpretation& m) {
  for (const Matrix& letter : m.letters) {
    for (const std::int64_t x : letter.entries) {
      if (x < 0 && x != kMinusInfinity) return true;
    }
  }
  return false;
}

} // namespace

std::vector<std::string> RenderProof(const ProofNode& root, bool full) {
  std::vector<std::string> lines = ProblemLines(root.problem);
  std::vector<std::string> outline;
  std::vector<std::string> details;
  Walk(&root, "", 1, full, outline, details);
  lines.push_back("Outline:");
  lines.insert(lines.end(), outline.begin(), outline.end());
  lines.push_back(root.Closed() ? "Terminating." : "No proof.");
  lines.push_back("Details:");
  lines.insert(lines.end(), details.begin(), details.end());
  return lines;
}

std::vector<std::string> RenderLoopProof(const Problem& problem,
                                         const std::vector<std::string>& derivation) {
  std::vector<std::string> lines = ProblemLines(problem);
  lines.push_back("Non-terminating: a looping derivation (positions count from 0).");
  lines.insert(lines.end(), derivation.begin(), derivation.end());
  return lines;
}

std::vector<std::string> MatrixLines(const std::string& label, const Matrix& m) {
  std::vector<std::string> lines;
  std::size_t width = 1;
  const Domain domain = std::any_of(m.entries.begin(), m.entries.end(),
                                    [](std::int64_t v) { return v == kMinusInfinity; })
                            ? Domain::Arctic
                            : Domain::Natural;
  for (const std::int64_t v : m.entries)
    width = std::max(width, Entry(v, domain).size());
  for (int i = 0; i < m.rows; ++i) {
    std::string row = i == 0 ? label : std::string(label.size(), ' ');
    row += "| ";
    for (int j = 0; j < m.cols; ++j) {
      const std::string e = Entry(m.At(i, j), domain);
      row += std::string(width - e.size(), ' ') + e + ' ';
    }
    lines.push_back(row + "|");
  }
  return lines;
}

std::string InterpretationName(const MatrixInterpretation& m, bool pairs) {
  std::string name = m.domain == Domain::Arctic ? "arctic" : "natural";
  if (m.domain == Domain::Arctic && BelowZero(m)) name += " integer";
  name += " matrices of dimension " + std::to_string(m.dimension);
  if (pairs) {
    name += ", rows for marked letters";
    if (m.domain == Domain::Natural) name += ", first entry compared";
  } else if (m.domain == Domain::Natural && m.dimension > 1) {
    name += m.compared == Compared::TopLeft    ? ", entry [1][1] compared"
            : m.compared == Compared::AnyEntry ? ", every diagonal entry at least 1, any entry "
                                                 "compared"
                                               : ", entry [1][d] compared";
  }
  return name;
}

std::vector<std::string> RemovalDetails(const Problem& problem, const RuleRemoval& removal) {
  std::vector<std::string> lines;
  lines.push_back("Interpretation (" +
                  InterpretationName(removal.interpretation, problem.pairProblem) + "):");
  if (removal.interpretation.domain == Domain::Arctic && BelowZero(removal.interpretation)) {
    lines.push_back(problem.pairProblem
                        ? "Entries may be below zero, first entries not: the first entry of a "
                          "marked string's value is a natural number, and every removed pair "
                          "lowers it."
                        : "Entries may be below zero, [1][1] entries not: the [1][1] entry of a "
                          "string's value is a natural number, and every removed rule lowers it.");
  }
  std::vector<bool> used(problem.LetterCount(), false);
  for (const auto* list : {&problem.rules, &problem.pairs}) {
    for (const Rule& r : *list) {
      for (const Letter a : r.lhs)
        used[a] = true;
      for (const Letter a : r.rhs)
        used[a] = true;
    }
  }
  for (std::size_t a = 0; a < used.size() && a < removal.interpretation.letters.size(); ++a) {
    if (!used[a]) continue;
    for (const std::string& l :
         MatrixLines("  " + problem.names[a] + " = ", removal.interpretation.letters[a]))
      lines.push_back(l);
  }
  lines.push_back(problem.pairProblem ? "Pairs removed (strictly decreasing, all others weakly):"
                                      : "Rules removed (strictly decreasing, all others weakly):");
  for (const std::size_t i : removal.removedRules)
    lines.push_back("  " + problem.RuleText(problem.rules[i]));
  for (const std::size_t i : removal.removedPairs)
    lines.push_back("  " + problem.RuleText(problem.pairs[i]));
  return lines;
}

std::vector<std::string> MatchBoundDetails(const Problem&, const MatchBound& m) {
  return {"An automaton compatible with the match-heighted rules, accepting their right sides: " +
          std::to_string(m.stateCount) + " states, " + std::to_string(m.transitions.size()) +
          " transitions, heights up to " + std::to_string(m.bound) + "."};
}

std::vector<std::string> MatchBoundListing(const Problem& p, const MatchBound& m, bool full) {
  if (!full && m.transitions.size() > kListedTransitions) {
    return {"The automaton's " + std::to_string(m.transitions.size()) +
            " transitions are not listed; --full lists them."};
  }
  std::vector<std::string> lines;
  lines.push_back("Transitions (from, letter with its height, to; # the end marker):");
  for (const BoundTransition& t : m.transitions) {
    const std::string letter = t.letter < p.LetterCount() ? p.names[t.letter] : "#";
    lines.push_back("  " + std::to_string(t.from) + " " + letter + "_" + std::to_string(t.height) +
                    " " + std::to_string(t.to));
  }
  return lines;
}

} // namespace selko::engine
