// What each step of the engine hands to the checker: plain data, enough for independent code
// to verify the step from the problem it was applied to and the problems it left.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <variant>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine {

// ---- Matrix interpretations (natural or arctic) ----------------------------------------------

enum class Domain { Natural, Arctic };

// Which entry a natural interpretation compares strictly: [1][d] (every letter needs
// [1][1] >= 1 and [d][d] >= 1) or [1][1] (every letter needs [1][1] >= 1), or any entry (every
// letter needs every diagonal entry >= 1: matrices of type E_J with J all indices; then
// (X A Y - X B Y)[i][j] >= X[i][i] (A - B)[i][j] Y[j][j], so a greater entry stays greater in
// every context, and the sum of the entries is the measure that drops). Not for pair problems.
enum class Compared { TopRight, TopLeft, AnyEntry };

// Arctic minus infinity, the unit of max.
constexpr std::int64_t kMinusInfinity = std::numeric_limits<std::int64_t>::min();

struct Matrix {
  int rows = 0;
  int cols = 0;
  std::vector<std::int64_t> entries; // row-major, rows * cols

  std::int64_t At(int i, int j) const { return entries[static_cast<std::size_t>(i * cols + j)]; }
  std::int64_t& At(int i, int j) { return entries[static_cast<std::size_t>(i * cols + j)]; }
};

struct MatrixInterpretation {
  Domain domain = Domain::Natural;
  Compared compared = Compared::TopRight; // natural only
  int dimension = 1;
  // One per letter of the problem: dimension x dimension; a marked letter of a pair problem
  // is a row, 1 x dimension.
  std::vector<Matrix> letters;
};

// Removes the rules (of R or S) and pairs that decrease strictly; all others decrease weakly.
struct RuleRemoval {
  MatrixInterpretation interpretation;
  std::vector<std::size_t> removedRules; // indices into the problem's rules, ascending
  std::vector<std::size_t> removedPairs; // indices into its pairs, ascending
};

// ---- Transformations --------------------------------------------------------------------------

// The problem read backwards; it leaves exactly Problem::Reversed().
struct Reversal {};

// The pair problem of a plain problem: it leaves one problem whose pairs and marked names the
// checker computes again.
struct DependencyPairs {};

// The strongly connected components of the dependency graph (pair_graph.hpp): each remaining
// problem is a component (its pairs, the same rules); pairs on no cycle are gone. The checker
// computes the graph again.
struct GraphSplit {};

// Pairs replaced by their narrowings (pair_narrowing.hpp): the checker computes the narrowings
// again and finds each of them, and every pair not replaced, in the remaining problem.
struct PairNarrowing {
  std::vector<std::size_t> replaced; // indices into the problem's pairs, ascending
};

// ---- Non-termination ---------------------------------------------------------------------------

struct RewriteStep {
  std::size_t rule = 0;     // index into the problem's rules
  std::size_t position = 0; // where the left side starts in the string before the step
};

// start ->+ x start y by the steps; for a relative problem at least one step uses a strict rule.
struct Loop {
  String start;
  std::vector<RewriteStep> steps;
};

// ---- Match bounds ------------------------------------------------------------------------------

struct BoundTransition {
  std::uint32_t from = 0;
  Letter letter = 0; // a letter of the problem, or the end marker
  std::uint32_t height = 0;
  std::uint32_t to = 0;
};

// An automaton over letters with heights that proves a plain problem terminating by an RFC
// match bound. It speaks of the problem's closure system: every rule l -> (empty) replaced by
// the rules l a -> a for every letter a, then every proper non-empty prefix l1 of a left side
// l1 l2 -> r added as the rule l1 # -> r, where # is the end marker, the letter numbered
// LetterCount(). The automaton accepts every right side (heights 0) followed by any number of
// end markers, and is compatible with the match-heighted closure system: wherever a left side
// is read between two states, its right side is read between them one height above the
// smallest height on the way. Every height is at most `bound`.
struct MatchBound {
  std::uint32_t stateCount = 0;
  std::uint32_t initial = 0;
  std::vector<std::uint32_t> finals;
  std::vector<BoundTransition> transitions;
  std::uint32_t bound = 0;
  Letter endMarker = 0; // the problem's LetterCount()
};

// ---- Tiling -------------------------------------------------------------------------------------

// A plain problem terminates when its labelled problem does. It speaks of the closure system of
// MatchBound (erasing rules l -> (empty) replaced by l a -> a). Tiles are strings of `width`
// symbols: letters of the problem, the left border (LetterCount()) and the right border
// (LetterCount() + 1). Every string reachable from a right side by the closure system and by
// the extensions x l1 => x r (l1 l2 -> r a rule, l1 and l2 not empty) has all its tiles, with
// width - 1 borders on either side, in `tiles`. Each letter of such a string is labelled by the
// tile that ends with it; the labelled problem has, for every rule l -> r and every context u
// (width - 1 symbols before) and v (width - 1 after) whose tiles in u l v are all in `tiles`, the
// rule from the labelled l v' to the labelled r v', v' being v's letters followed, when v
// reaches the right border, by an end marker. So every step of the problem on a reachable string
// is a step of the labelled one on its labelling.
struct Tiling {
  int width = 2;
  std::vector<String> tiles;
  // Per letter of the labelled problem: the tile it stands for, or empty for the end marker.
  std::vector<String> letterTiles;
};

// ---- Common ends --------------------------------------------------------------------------------

// Every rule u l v -> u r v (strict or weak) becomes l -> r, l not empty: a step by the first is
// a step by the second, so the problem terminates (relatively) when the shortened one does. The
// shortened problem has the same letters and its rules in the same order; loops of it are not
// loops of the problem.
struct CommonEnds {
  // Per rule: the number of letters cut at the front (u) and at the back (v) of both sides.
  std::vector<std::array<std::size_t, 2>> cuts;
};

// ---- Semantic labelling by a model over {0, 1} --------------------------------------------------
// Each letter a is read as a function f_a on {0, 1}, a string a1 ... an as f_a1(...(f_an(x))), and
// both sides of every rule are the same function. The value x at the right end is 0 or 1; each
// letter of a string is labelled by the value of what follows it. The labelled problem has, for
// every rule l -> r (strict or weak) and each x, the rule from l labelled at x to r labelled at x,
// of the same kind. A step u l v -> u r v changes no label of v, nor of u (l v and r v have the
// same value): it is a step of the labelled problem by the rule labelled at v's value. So the
// problem terminates (relatively) when the labelled one does.
struct BooleanModel {
  // Per letter of the problem: its function's values at 0 and at 1 (each 0 or 1).
  std::vector<std::array<std::uint8_t, 2>> functions;
  // Per letter of the labelled problem: the letter of the problem and its label.
  std::vector<std::pair<Letter, std::uint8_t>> letterLabels;
};

// ---- Relative problems R/S
// -----------------------------------------------------------------------

// Weak rules l ->= l removed: a step by one changes no string, so the problem terminates
// (relatively) exactly when the one without them does. The rest keep their order.
struct Cleaning {
  std::vector<std::size_t> removed; // indices into the problem's rules, ascending; all weak
};

// Every weak rule taken as strict: a derivation of R/S is one of R u S, so R/S terminates when
// the plain problem R u S does. The plain problem has the same letters and rules in order; its
// loops are not loops of R/S (one through weak rules alone proves nothing).
struct Strictification {};

// Every rule l -> r (strict or weak) replaced by the rules a l -> a r (left) or l a -> r a (right)
// for every letter a, rule by rule and letter by letter in order. Put in front of (or behind)
// every string of a derivation, a letter makes it one of the closed problem with the same
// strict steps, so both terminate together (given one letter at least).
struct ContextClosure {
  bool left = false;
};

// Every rule l -> r turned around into r -> l (of the same kind), where every rule keeps the
// length: all strings of an infinite derivation have one length, so some string repeats with a
// strict step in between, and the cycle read backwards is one of the inverted problem. Both
// terminate together; loops of the inverted problem are not read as the problem's.
struct Inversion {};

using Certificate = std::variant<RuleRemoval, Reversal, DependencyPairs, GraphSplit, Loop,
                                 MatchBound, Tiling, BooleanModel, CommonEnds, PairNarrowing,
                                 Cleaning, Strictification, ContextClosure, Inversion>;

} // namespace selko::engine
