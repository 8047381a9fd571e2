// Steps that turn a relative problem R/S (strict rules R, weak rules S) into one that is easier to
// prove (see Cleaning, Strictification and ContextClosure in certificate.hpp):
//   cleaning        weak rules l ->= l go: they change no string;
//   strictification every weak rule taken as strict: a proof of the plain problem R u S, by
//                   everything the engine has for plain problems, proves R/S;
//   context closure every rule put into each one-letter context on one side, which removes the
//                   empty sides that keep interpretations from orienting anything;
//   inversion       every rule turned around, where every rule keeps the length.
#pragma once

#include <optional>
#include <string>

#include "engine/step.hpp"

namespace selko::engine {

// Nothing when the problem has no weak rule l ->= l (or is a pair problem).
std::optional<Step> CleaningStep(const Problem& problem);

// Nothing when the problem has no weak rule (or is a pair problem).
std::optional<Step> StrictificationStep(const Problem& problem);

// Nothing for a pair problem or a problem without letters.
std::optional<Step> ContextClosureStep(const Problem& problem, bool left);

// Nothing for a pair problem or where some rule changes the length.
std::optional<Step> InversionStep(const Problem& problem);

// Every rule keeps the length (and there is one rule at least).
bool LengthPreserving(const Problem& problem);

// Appends to the step's details the heading and the problem's rules, one a line, when there are
// few enough to read (the remaining problem's rules follow from the certificate anyway).
void ListRules(Step& step, const std::string& heading, const Problem& problem);

// Some rule has an empty side.
bool HasEmptySide(const Problem& problem);

} // namespace selko::engine
