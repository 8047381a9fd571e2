// The independent check of cut common ends: the shortened problem has the same letters and, in
// order, each rule with the certificate's letters cut at both ends of both sides, where the cut
// letters of the two sides agree and the left side keeps a letter. Each step by u l v -> u r v
// is then a step by l -> r of the same kind, so an infinite (relative) derivation of the problem
// is one of the shortened problem. The shortened problem must be marked as such: its loops are
// not the problem's.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

bool CheckCommonEnds(const Problem& problem, const CommonEnds& ends,
                     const std::vector<Problem>& remaining, std::string& why);

} // namespace selko::engine
