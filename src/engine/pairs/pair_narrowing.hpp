// Narrowing of dependency pairs: a pair whose right side no pair's left side can follow as it
// stands is replaced by the pairs that say what its right side may become by its first rewrite.
//
// After a pair step the string is t w (t the pair's right side, w unknown). When t and the left
// side of every pair disagree within their common length, no pair can follow before a rule has
// rewritten a position of t: rewrites inside w alone never change t. Rewrites inside w commute
// with the pair step (the pair only rewrites the front), so a chain can be rearranged to make
// the first rewrite touching t come right after the pair. That rewrite either lies inside t or
// begins inside t and reaches into w, whose front must then be the rest of the left side. So the
// pair s -> t can be replaced by the narrowings: s -> x r y for t = x l y (l -> r a rule, x not
// empty), and s l2 -> x r for t = x l1 and l = l1 l2 (l1 and l2 not empty, x not empty). A pair
// without narrowings is on no infinite chain and goes.
#pragma once

#include <optional>
#include <vector>

#include "engine/step.hpp"

namespace selko::engine {

// Whether a pair's right side can be followed by some pair as it stands: its first letters agree
// with a left side as far as both go.
bool MayFollowAsItStands(const Problem& problem, const String& rhs);

// The narrowings of a pair by the problem's rules, in the order of the positions and the rules.
std::vector<Rule> Narrowings(const Problem& problem, const Rule& pair);

struct NarrowingLimits {
  std::size_t maxPairs = 24;   // of the problem after narrowing
  std::size_t maxPerPair = 12; // narrowings of one pair
};

// The problem with every pair narrowed that can be (NarrowingLimits permitting), or nothing when
// no pair can be.
std::optional<Step> NarrowingStep(const Problem& problem, const NarrowingLimits& limits = {});

} // namespace selko::engine
