#include "engine/labelling/boolean_labelling.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace selko::engine {

namespace {

using Function = std::array<std::uint8_t, 2>;

// The four functions on {0, 1}, in the order models are enumerated.
constexpr std::array<Function, 4> kFunctions = {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}};

std::uint8_t ValueOf(const std::vector<Function>& f, const String& s, std::uint8_t x) {
  for (auto it = s.rbegin(); it != s.rend(); ++it)
    x = f[*it][x];
  return x;
}

bool IsModel(const std::vector<Function>& f, const Problem& problem) {
  for (const Rule& r : problem.rules) {
    for (std::uint8_t x = 0; x < 2; ++x) {
      if (ValueOf(f, r.lhs, x) != ValueOf(f, r.rhs, x)) return false;
    }
  }
  return true;
}

// The labels of a string's letters at x: each the value of what follows it.
std::vector<std::uint8_t> LabelsOf(const std::vector<Function>& f, const String& s,
                                   std::uint8_t x) {
  std::vector<std::uint8_t> labels(s.size());
  for (std::size_t i = s.size(); i-- > 0;) {
    labels[i] = x;
    x = f[s[i]][x];
  }
  return labels;
}

// How many letters get both labels somewhere in the labelled rules and pairs.
std::size_t Split(const std::vector<Function>& f, const Problem& problem) {
  std::set<std::pair<Letter, std::uint8_t>> seen;
  for (const auto* list : {&problem.rules, &problem.pairs}) {
    for (const Rule& r : *list) {
      for (std::uint8_t x = 0; x < 2; ++x) {
        for (const String* side : {&r.lhs, &r.rhs}) {
          const std::vector<std::uint8_t> labels = LabelsOf(f, *side, x);
          for (std::size_t i = 0; i < side->size(); ++i)
            seen.emplace((*side)[i], labels[i]);
        }
      }
    }
  }
  std::size_t both = 0;
  for (const auto& [a, label] : seen)
    both += label == 1 && seen.count({a, 0}) != 0;
  return both;
}

// Per letter: whether some side holds it.
std::vector<bool> UsedLetters(const Problem& problem) {
  std::vector<bool> used(problem.LetterCount(), false);
  for (const Rule& r : problem.rules) {
    for (const String* side : {&r.lhs, &r.rhs}) {
      for (const Letter a : *side)
        used[a] = true;
    }
  }
  return used;
}

// The dual of a function: 0 and 1 swapped on both sides.
Function Dual(const Function& g) {
  return {static_cast<std::uint8_t>(1 - g[1]), static_cast<std::uint8_t>(1 - g[0])};
}

} // namespace

std::vector<BooleanModel> BooleanModels(const Problem& problem, std::size_t count) {
  const std::size_t n = problem.LetterCount();
  const std::vector<bool> used = UsedLetters(problem);
  // A pair problem's marked letters and the letters of its pairs alone are in no rule: their
  // functions are free, and kept the identity.
  const auto choices = problem.pairProblem
                           ? static_cast<std::size_t>(std::count(used.begin(), used.end(), true))
                           : n;
  if (choices > kMaxModelLetters) return {};
  // Every choice for the used letters; an unused letter keeps the identity.
  std::vector<std::tuple<std::size_t, std::size_t, std::vector<Function>>> found;
  std::vector<std::size_t> choice(n, 0);
  std::size_t order = 0;
  for (bool more = true; more; ++order) {
    std::vector<Function> f(n);
    for (std::size_t a = 0; a < n; ++a)
      f[a] = kFunctions[choice[a]];
    // Only the first of a model and its dual, and not the identity everywhere (two copies).
    std::vector<Function> dual;
    dual.reserve(n);
    for (const Function& g : f)
      dual.push_back(Dual(g));
    const bool identity =
        std::all_of(f.begin(), f.end(), [](const Function& g) { return g == kFunctions[0]; });
    if (!identity && f <= dual && IsModel(f, problem)) {
      const std::size_t split = Split(f, problem);
      // Letters read as the identity pass labels on unchanged: the more letters that are not,
      // the more the labels say.
      const auto moving = static_cast<std::size_t>(
          std::count_if(f.begin(), f.end(), [](const Function& g) { return g != kFunctions[0]; }));
      if (split > 0) found.emplace_back(split * (n + 1) + moving, order, f);
    }
    more = false;
    for (std::size_t a = 0; a < n; ++a) {
      if (!used[a]) continue;
      if (++choice[a] < kFunctions.size()) {
        more = true;
        break;
      }
      choice[a] = 0;
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& x, const auto& y) { return std::get<0>(x) > std::get<0>(y); });
  std::vector<BooleanModel> models;
  for (std::size_t k = 0; k < found.size() && k < count; ++k) {
    BooleanModel m;
    m.functions = std::get<2>(found[k]);
    models.push_back(std::move(m));
  }
  return models;
}

std::optional<Step> LabellingStep(const Problem& problem, BooleanModel model) {
  const std::vector<Function>& f = model.functions;
  if (problem.labelled || f.size() != problem.LetterCount()) return std::nullopt;
  for (const Function& g : f) {
    if (g[0] > 1 || g[1] > 1) return std::nullopt;
  }
  if (!IsModel(f, problem)) return std::nullopt;

  Problem labelled;
  labelled.labelled = true;
  labelled.pairProblem = problem.pairProblem;
  model.letterLabels.clear();
  std::map<std::pair<Letter, std::uint8_t>, Letter> letterOf;
  auto label = [&](const String& s, std::uint8_t x) {
    const std::vector<std::uint8_t> labels = LabelsOf(f, s, x);
    String out;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const std::pair<Letter, std::uint8_t> key{s[i], labels[i]};
      auto it = letterOf.find(key);
      if (it == letterOf.end()) {
        // A marked letter keeps its mark at the end of its name.
        std::string name = problem.names[s[i]];
        const bool mark = problem.IsMarked(s[i]) && !name.empty() && name.back() == '#';
        if (mark) name.pop_back();
        name += "{" + std::to_string(labels[i]) + "}";
        if (mark) name += "#";
        const Letter fresh = AddFreshName(labelled.names, name);
        model.letterLabels.push_back(key);
        it = letterOf.emplace(key, fresh).first;
      }
      out.push_back(it->second);
    }
    return out;
  };
  std::set<std::tuple<String, String, bool>> seen; // a rule given twice is labelled once
  for (const Rule& r : problem.rules) {
    for (std::uint8_t x = 0; x < 2; ++x) {
      Rule lr{label(r.lhs, x), label(r.rhs, x), r.strict};
      if (seen.emplace(lr.lhs, lr.rhs, lr.strict).second) labelled.rules.push_back(std::move(lr));
    }
  }
  // Pairs need not be equal in the model: the rules alone keep the labels of a chain's strings
  // right, and a pair step is labelled by the value of the context it leaves unchanged.
  seen.clear();
  for (const Rule& r : problem.pairs) {
    for (std::uint8_t x = 0; x < 2; ++x) {
      Rule lp{label(r.lhs, x), label(r.rhs, x), true};
      if (seen.emplace(lp.lhs, lp.rhs, true).second) labelled.pairs.push_back(std::move(lp));
    }
  }
  // A labelled letter is marked where its letter is.
  if (problem.pairProblem) {
    for (const auto& letterLabel : model.letterLabels)
      labelled.marked.push_back(problem.IsMarked(letterLabel.first) ? 1 : 0);
  }

  auto functionText = [](const Function& g) -> std::string {
    if (g[0] == g[1]) return g[0] == 0 ? "0" : "1";
    return g[0] == 0 ? "x" : "1 - x";
  };
  Step step;
  step.technique = "semantic labelling";
  step.summary = "semantic labelling by a model over {0, 1}: a labelled system of " +
                 std::to_string(labelled.rules.size()) + " rules";
  if (problem.pairProblem)
    step.summary += " and " + std::to_string(labelled.pairs.size()) + " pairs";
  step.details.push_back("Model over {0, 1} (both sides of every rule are the same function):");
  const std::vector<bool> used = UsedLetters(problem);
  for (Letter a = 0; a < problem.LetterCount(); ++a) {
    if (used[a]) step.details.push_back("  " + problem.names[a] + "(x) = " + functionText(f[a]));
  }
  step.details.push_back("Each letter is labelled {v} by the value v of what follows it, the right "
                         "end read as 0 and as 1. The labelled rules:");
  for (const Rule& r : labelled.rules)
    step.details.push_back("  " + labelled.RuleText(r));
  if (problem.pairProblem) {
    step.details.push_back("The labelled pairs (a pair need not hold in the model):");
    for (const Rule& r : labelled.pairs)
      step.details.push_back("  " + labelled.RuleText(r));
  }
  step.remaining.push_back(std::move(labelled));
  step.certificate = std::move(model);
  return step;
}

} // namespace selko::engine
