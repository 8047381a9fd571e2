// Exact values of strings under a decoded matrix interpretation and the comparison of two
// sides, in 64-bit integers with every overflow caught: the search never trusts its own
// encoding and computes what a model decreases from the model's matrices alone.
#pragma once

#include <optional>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// The product of the letters' matrices left to right (the identity for the empty string);
// nothing when a value does not fit or a letter has no matrix of fitting size.
std::optional<Matrix> EvaluateString(const MatrixInterpretation& interpretation, const String& s);

enum class Decrease { None, Weak, Strict };

// How lhs compares to rhs: weak is entrywise >=; strict in addition compares [1][d] (natural
// TopRight), [1][1] (natural TopLeft, and every natural pair, whose values are rows) or every
// entry with "greater, or the right side's entry is -inf" (arctic). Nothing on overflow.
std::optional<Decrease> CompareSides(const MatrixInterpretation& interpretation, const String& lhs,
                                     const String& rhs, bool isPair);

// Every letter occurring in a rule or pair of the problem has a matrix of the right size
// with the shape's conditions: a natural [1][1] >= 1 (and [d][d] >= 1 for TopRight outside
// pair problems), an arctic finite [1][1]; a marked letter's row has a finite first entry.
// Arctic entries may be below zero on a pair problem only, and the first ones never.
bool LetterConditionsHold(const MatrixInterpretation& interpretation, const Problem& problem);

} // namespace selko::engine
