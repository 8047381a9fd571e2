#include "engine/check/labelling_check.hpp"

#include <map>
#include <set>
#include <utility>

namespace selko::engine {

namespace {

// The letter of the labelled problem for each letter of the problem and label.
using LetterMap = std::map<std::pair<Letter, int>, Letter>;

// The labelled string of s when the value after its last letter is x, or false where a letter
// with its label has no letter in the labelled problem.
bool Labelled(const BooleanModel& model, const LetterMap& letters, const String& s, int x,
              String& out) {
  out.assign(s.size(), 0);
  int value = x;
  for (std::size_t k = s.size(); k-- > 0;) {
    const auto it = letters.find({s[k], value});
    if (it == letters.end()) return false;
    out[k] = it->second;
    value = model.functions[s[k]][static_cast<std::size_t>(value)];
  }
  return true;
}

int Apply(const BooleanModel& model, const String& s, int x) {
  for (std::size_t k = s.size(); k-- > 0;)
    x = model.functions[s[k]][static_cast<std::size_t>(x)];
  return x;
}

} // namespace

bool CheckBooleanModel(const Problem& problem, const BooleanModel& model,
                       const std::vector<Problem>& remaining, std::string& why) {
  if (!problem.pairProblem && !problem.pairs.empty()) {
    return (why = "a problem with pairs is not a pair problem", false);
  }
  if (model.functions.size() != problem.LetterCount()) {
    return (why = "the model does not give one function per letter", false);
  }
  for (const auto& f : model.functions) {
    if (f[0] > 1 || f[1] > 1) return (why = "a function leaves {0, 1}", false);
  }
  for (const Rule& r : problem.rules) {
    for (int x = 0; x < 2; ++x) {
      if (Apply(model, r.lhs, x) != Apply(model, r.rhs, x)) {
        return (why = "not a model: the sides of " + problem.RuleText(r) + " differ at " +
                      std::to_string(x),
                false);
      }
    }
  }
  if (remaining.size() != 1) return (why = "a labelling leaves one problem", false);
  const Problem& labelled = remaining[0];
  if (labelled.pairProblem != problem.pairProblem || !labelled.labelled) {
    return (why = problem.pairProblem ? "the labelled problem is not a labelled pair problem"
                                      : "the labelled problem is not a plain or relative "
                                        "labelled problem",
            false);
  }
  if (model.letterLabels.size() != labelled.LetterCount()) {
    return (why = "not every letter of the labelled problem stands for a labelled letter", false);
  }
  LetterMap letters;
  for (Letter k = 0; k < model.letterLabels.size(); ++k) {
    const auto& [a, label] = model.letterLabels[k];
    if (a >= problem.LetterCount() || label > 1) {
      return (why = "a labelled letter stands for no letter of the problem", false);
    }
    if (!letters.emplace(std::make_pair(a, static_cast<int>(label)), k).second) {
      return (why = "two letters stand for the same labelled letter", false);
    }
    // Chains keep their marked letters in front, out of the rules' reach, only when the marks
    // stay as they are.
    if (problem.pairProblem && labelled.IsMarked(k) != problem.IsMarked(a)) {
      return (why = "the labelled letter " + labelled.names[k] + " is marked where " +
                    problem.names[a] + " is not, or the other way round",
              false);
    }
  }
  std::set<std::pair<String, String>> strict, weak;
  for (const Rule& r : labelled.rules)
    (r.strict ? strict : weak).emplace(r.lhs, r.rhs);
  for (const Rule& r : problem.rules) {
    for (int x = 0; x < 2; ++x) {
      String lhs, rhs;
      if (!Labelled(model, letters, r.lhs, x, lhs) || !Labelled(model, letters, r.rhs, x, rhs)) {
        return (why = "a labelled letter of " + problem.RuleText(r) + " is missing", false);
      }
      // A strict rule must stay strict; a weak one may be either.
      const bool present = strict.count({lhs, rhs}) != 0 || (!r.strict && weak.count({lhs, rhs}));
      if (!present) {
        return (why = "the labelled problem lacks the rule " + problem.RuleText(r) +
                      " labelled at " + std::to_string(x),
                false);
      }
    }
  }
  // Pairs are labelled at both values whatever theirs: the context they leave unchanged gives
  // the labels on both sides.
  std::set<std::pair<String, String>> pairs;
  for (const Rule& r : labelled.pairs)
    pairs.emplace(r.lhs, r.rhs);
  for (const Rule& r : problem.pairs) {
    for (int x = 0; x < 2; ++x) {
      String lhs, rhs;
      if (!Labelled(model, letters, r.lhs, x, lhs) || !Labelled(model, letters, r.rhs, x, rhs) ||
          pairs.count({lhs, rhs}) == 0) {
        return (why = "the labelled problem lacks the pair " + problem.RuleText(r) +
                      " labelled at " + std::to_string(x),
                false);
      }
    }
  }
  return true;
}

} // namespace selko::engine
