// The independent check of a sparse tiling.
//
// Let R be the plain problem with every rule l -> (empty) replaced by the rules l a -> a (R
// terminates when these do, see match_bound_check.hpp), and L the strings all of whose tiles
// (factors of the width, with width - 1 left borders before and right borders after) are in the
// certificate's set. The check confirms:
//  - start: every right side of R is in L;
//  - closure: for every rule l -> r, every context u before (left borders, then letters) and v
//    after (letters, then right borders) whose tiles in u l v are all in the set, those of u r v
//    are too; and for every proper non-empty prefix l1 of l, where the tiles of u l1 at the
//    right end are in the set, those of u r at the right end are too;
//  - labelling: for every such u l v, the labelled problem has the rule from the labelled l v'
//    to the labelled r v' (see Tiling in certificate.hpp), its letters standing for tiles of the
//    set as the certificate says, one letter a tile, at most one end marker.
// By the closure, L holds every string reachable from a right side by R and by the extensions
// x l1 => x r of forward closures; an infinite derivation of R# (match_bound_check.hpp) from r #^n
// ends its extensions after n of them and goes on by R in L, and each of those steps is a step
// of the labelled problem on the labelled string followed by the end marker. So R# terminates on
// rhs(R) #* when the labelled problem terminates, and R does by the RFC theorem.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

bool CheckTiling(const Problem& problem, const Tiling& tiling,
                 const std::vector<Problem>& remaining, std::string& why);

} // namespace selko::engine
