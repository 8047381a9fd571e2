// An engine proof as a tree: each node is a problem with the step applied to it and one child
// per problem the step left. Rendering gives the text: the problem, the outline (one line per
// step, numbered along the tree), the verdict, then every step's details.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/step.hpp"

namespace selko::engine {

struct ProofNode {
  ProofNode() = default;
  ProofNode(const ProofNode&) = delete;
  ProofNode& operator=(const ProofNode&) = delete;
  ~ProofNode(); // takes long chains apart without recursion

  Problem problem;
  std::optional<Step> step;                         // none: left open
  std::vector<std::unique_ptr<ProofNode>> children; // one per step.remaining

  // Every leaf is finished (nothing left to prove) and no step is missing.
  bool Closed() const;
};

// The lines of a termination proof of the root's problem. Long listings (an automaton of more
// than kListedTransitions transitions) are left out, saying so in their place, unless `full`.
std::vector<std::string> RenderProof(const ProofNode& root, bool full = false);
constexpr std::size_t kListedTransitions = 300;

// The lines of a non-termination proof: the problem, then the derivation lines.
std::vector<std::string> RenderLoopProof(const Problem& problem,
                                         const std::vector<std::string>& derivation);

// A matrix in the proof's layout, one line per row, the first line after `label`.
std::vector<std::string> MatrixLines(const std::string& label, const Matrix& m);

// The certificate's matrices for the letters that occur in the problem, and the removed rules.
std::vector<std::string> RemovalDetails(const Problem& problem, const RuleRemoval& removal);

// The automaton's size, for the step's details.
std::vector<std::string> MatchBoundDetails(const Problem& problem, const MatchBound& m);
// Its transitions, as the proof lists them after the details (or the line that they are not
// listed, for a large automaton when not `full`).
std::vector<std::string> MatchBoundListing(const Problem& problem, const MatchBound& m, bool full);

// "natural matrices of dimension 2, entry [1][d] compared" and the like; for a pair problem
// the marked letters' rows are named.
std::string InterpretationName(const MatrixInterpretation& m, bool pairs);

} // namespace selko::engine
