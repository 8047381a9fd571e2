// The independent check of a match-bound proof.
//
// Let R be the plain problem with every rule l -> (empty) replaced by the rules l a -> a, one
// for every letter a (if R had an infinite derivation from w, these rules would have one from
// w a, so R terminates when they do), and let R# add the rule l1 # -> r for every rule
// l1 l2 -> r of R with l1 and l2 not empty, # the end marker (a new letter). By the RFC
// theorem (Geser, Hofbauer, Waldmann 2004), R terminates when R# is match-bounded on the
// language rhs(R) #*: every string that the match-heighted R# reaches from a right side of R
// followed by end markers, all heights 0, has heights at most some c.
//
// The check confirms that the automaton shows exactly that:
//  - shape: the end marker is the letter LetterCount(); states, the initial state, the final
//    states and the transitions are in range; every height is at most `bound`;
//  - start: every right side of R is read from the initial state into a final state at
//    height 0, and every final state has an end-marker transition at height 0 into a final
//    state; so every r #...# with heights 0 is accepted;
//  - compatibility: for every rule l -> r of R#, every path from p to q reading l with heights
//    h1..hk has a path from p to q reading r with every height 1 + min(h1..hk).
// Compatibility makes the accepted language closed under match-heighted R# steps (the path of
// the redex is replaced by the path of the contractum), so every string reached is accepted,
// and accepted strings have heights at most `bound`.
#pragma once

#include <string>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// True when `certificate` proves `problem` terminating; otherwise false, with the reason.
bool CheckMatchBound(const Problem& problem, const MatchBound& certificate, std::string& why);

} // namespace selko::engine
