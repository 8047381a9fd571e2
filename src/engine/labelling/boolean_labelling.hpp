// Semantic labelling by models over {0, 1} (see BooleanModel in certificate.hpp): the models of a
// problem, best first, and the labelled problem of one of them.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/step.hpp"

namespace selko::engine {

// Problems of more letters have too many candidate models (4 to the letters) to try them all.
constexpr std::size_t kMaxModelLetters = 6;

// The models of a problem (of its rules: a pair problem's pairs are labelled whatever their
// values) under which some letter gets both labels, at most
// `count` of them: those that tell most letters apart first, then those with the fewest letters
// read as the identity. Of a model and its dual (0 and 1 swapped) only one is listed: their
// labelled problems are the same up to names.
std::vector<BooleanModel> BooleanModels(const Problem& problem, std::size_t count);

// The labelling step of `model` (its `functions`; the letters of the labelled problem are
// filled in), or nothing when the model is not one of the problem.
std::optional<Step> LabellingStep(const Problem& problem, BooleanModel model);

} // namespace selko::engine
