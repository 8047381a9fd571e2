// The order of techniques: cheap before expensive, and every budget growing with the level.
// Level 0 tries small interpretations with small budgets; each level after it tries larger
// shapes and gives every shape about three times the conflicts of the level before.
#include <array>
#include <cmath>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/interpretations/matrix_search.hpp"
#include "engine/labelling/boolean_labelling.hpp"
#include "engine/loops/loop_search.hpp"
#include "engine/pairs/dependency_pairs.hpp"
#include "engine/proof.hpp"
#include "engine/relative/relative_steps.hpp"
#include "engine/strategy.hpp"
#include "engine/stripping/common_ends.hpp"
#include "engine/tiling/sparse_tiling.hpp"

namespace selko::engine {

namespace {

Step ReversalStep(const Problem& p) {
  Step r;
  r.technique = "reversal";
  r.summary = "reversal: every side read backwards";
  r.certificate = Reversal{};
  r.remaining.push_back(p.Reversed());
  return r;
}

// The steps of an attempt on the problem or on its reversal.
std::vector<Step> Chain(const Problem& p, bool reversed, Step step) {
  std::vector<Step> chain;
  if (reversed) chain.push_back(ReversalStep(p));
  chain.push_back(std::move(step));
  return chain;
}

std::string ShapeName(const MatrixShape& s) {
  std::string name = s.belowZero                  ? "arctic below zero"
                     : s.domain == Domain::Arctic ? "arctic"
                                                  : "natural";
  name += " d" + std::to_string(s.dimension) + " b" + std::to_string(s.bits);
  if (s.domain == Domain::Natural) {
    name += s.compared == Compared::TopLeft    ? " tl"
            : s.compared == Compared::AnyEntry ? " ej"
                                               : " tr";
  }
  return name;
}

// Letters of all sides: the size of every encoding.
std::size_t LetterTotal(const Problem& p) {
  std::size_t total = 0;
  for (const auto* list : {&p.rules, &p.pairs}) {
    for (const Rule& r : *list)
      total += r.lhs.size() + r.rhs.size();
  }
  return total;
}

// An encoding grows with the letters times the cube of the dimension; past this the clauses
// alone would take gigabytes, so the shape is not tried.
constexpr double kMaxEncodingSize = 4e6;

// A search of one shape on one problem, continued level after level: the encoding is built
// once and the solver keeps what it learnt.
struct MatrixState : AttemptState {
  std::unique_ptr<MatrixSearch> search;
  std::int64_t conflicts = 0; // spent so far
};

// A conflict costs about as much as the encoding is large: past this size (letters times the
// cube of the dimension) a shape gets proportionally fewer conflicts, so that a level's attempts
// on a large problem take about the time they take on a small one and leave time for the
// techniques that need no encoding.
constexpr double kFullBudgetSize = 3000;
// The largest encoding (letters times the cube of the dimension times the square of the
// values' width) built at level 0; three times that at each level after it.
constexpr double kLevelCost = 1e5;

Attempt MatrixAttempt(const MatrixShape& shape, std::int64_t levelConflicts, int level,
                      bool reversed) {
  Attempt a;
  a.name = ShapeName(shape) + (reversed ? " reversed" : "");
  a.runKept = [shape, levelConflicts, level,
               reversed](const Problem& p, const Deadline& deadline,
                         AttemptSlot& slot) -> std::optional<Outcome> {
    const double d = shape.dimension;
    const double size = static_cast<double>(LetterTotal(p)) * d * d * d;
    if (size > kMaxEncodingSize) return std::nullopt;
    // Building a large encoding and its first propagations take seconds whatever the budget:
    // such a shape waits for the level whose allowance it fits.
    const double width = shape.bits + 4;
    if (size * width * width > kLevelCost * std::pow(3, level)) return std::nullopt;
    const std::int64_t conflicts =
        size <= kFullBudgetSize ? levelConflicts
                                : static_cast<std::int64_t>(static_cast<double>(levelConflicts) *
                                                            kFullBudgetSize / size);
    const Problem target = reversed ? p.Reversed() : p;
    auto* state = dynamic_cast<MatrixState*>(slot.get());
    if (state == nullptr || state->level >= level || !state->search) {
      slot = std::make_unique<MatrixState>();
      state = static_cast<MatrixState*>(slot.get());
      state->search = std::make_unique<MatrixSearch>(target, shape, deadline);
    }
    state->level = level;
    if (state->search->Exhausted()) return std::nullopt;
    // The level's budget is the total: a continued search runs only what it has not yet run.
    const std::int64_t more = std::max<std::int64_t>(conflicts - state->conflicts, 1);
    state->conflicts += more;
    std::optional<RuleRemoval> removal = state->search->Run(more, deadline);
    if (!removal) return std::nullopt;
    slot.reset(); // a found interpretation ends the search: the problem is left behind
    Step step;
    step.technique = "matrix interpretation";
    const std::size_t removed = removal->removedRules.size() + removal->removedPairs.size();
    step.summary = InterpretationName(removal->interpretation, target.pairProblem) + ": removes " +
                   std::to_string(removed) + (target.pairProblem ? " pair" : " rule") +
                   (removed == 1 ? "" : "s");
    step.details = RemovalDetails(target, *removal);
    step.remaining.push_back(target.Without(removal->removedRules, removal->removedPairs));
    step.certificate = std::move(*removal);
    return Chain(p, reversed, std::move(step));
  };
  return a;
}

struct LoopState : AttemptState {
  std::unique_ptr<LoopSearch> search;
};

Attempt LoopAttempt(int level) {
  Attempt a;
  a.name = "loop";
  a.first = true;
  a.runKept = [level](const Problem& p, const Deadline& deadline,
                      AttemptSlot& slot) -> std::optional<Outcome> {
    // The loop search's budget is time: a tenth of a second at level 0, three times that each
    // level (as the interpretations' conflicts), the search going on where the last slice ended. A
    // loop found is checked like every step; where none exists (every terminating problem) the
    // slices change nothing, so proofs never depend on them.
    auto* state = dynamic_cast<LoopState*>(slot.get());
    if (state == nullptr || state->level >= level) {
      slot = std::make_unique<LoopState>();
      state = static_cast<LoopState*>(slot.get());
      state->search = std::make_unique<LoopSearch>(p);
    }
    state->level = level;
    if (state->search->Finished()) return std::nullopt;
    std::optional<Loop> loop = state->search->Run(deadline.Sooner(0.1 * std::pow(3, level)));
    if (!loop) return std::nullopt;
    return *loop;
  };
  return a;
}

// The match-bound completions of a problem and of its reversal, continued level after level.
struct BoundState : AttemptState {
  std::array<std::unique_ptr<MatchBoundSearch>, 2> searches; // [1]: the reversal's
  std::array<std::uint32_t, 2> ranTo{};                      // the largest limit each ran to
};

// Larger automata are not kept from one level to the next (a problem left behind would hold on
// to them): past this the next level starts over.
constexpr double kMaxKeptTransitions = 150000; // some 45 MB
constexpr double kMaxBoundTransitions = 5e5;   // some 150 MB

// Match bounds of the problem or its reversal, whichever comes first: the two completions take
// turns with limits growing by half, so that the one that needs the smaller automaton is not
// kept waiting while the other grows to the level's limit.
Attempt BoundAttempt(int level) {
  Attempt a;
  a.name = "match bound";
  a.runKept = [level](const Problem& p, const Deadline& deadline,
                      AttemptSlot& slot) -> std::optional<Outcome> {
    // A run cut short (by the deadline or another attempt's success) may come again at the
    // same level: it goes on too.
    auto* state = dynamic_cast<BoundState*>(slot.get());
    if (state == nullptr || state->level > level) {
      slot = std::make_unique<BoundState>();
      state = static_cast<BoundState*>(slot.get());
    }
    state->level = level;
    // About 300 bytes a transition: the limit stays within some hundred megabytes. States are
    // allowed as many: std-0116's reversal needs 25435 states for 35720 transitions.
    const auto limit =
        static_cast<std::uint32_t>(std::min(5000 * std::pow(3, level), kMaxBoundTransitions));
    for (std::uint32_t step = 2000; !deadline.Passed();) {
      step = std::min(limit, step + step / 2);
      for (int reversed = 0; reversed < 2; ++reversed) {
        std::unique_ptr<MatchBoundSearch>& search = state->searches[reversed];
        if (!search) {
          BoundLimits most; // states as many as transitions, up to the last level's limit
          most.maxStates = most.maxTransitions = static_cast<std::uint32_t>(kMaxBoundTransitions);
          search = std::make_unique<MatchBoundSearch>(reversed ? p.Reversed() : p, most);
          state->ranTo[reversed] = 0;
        }
        if (search->Exhausted() || state->ranTo[reversed] >= step) continue;
        state->ranTo[reversed] = step;
        std::optional<MatchBound> bound = search->Run(step, step, deadline);
        if (!bound) continue;
        const Problem target = reversed ? p.Reversed() : p;
        Step found;
        found.technique = "match bound";
        found.summary = "match bound " + std::to_string(bound->bound) + ": an automaton of " +
                        std::to_string(bound->stateCount) + " states and " +
                        std::to_string(bound->transitions.size()) + " transitions";
        found.details = MatchBoundDetails(target, *bound);
        found.certificate = std::move(*bound);
        slot.reset();
        return Chain(p, reversed != 0, std::move(found));
      }
      if (step == limit) break;
    }
    if (limit > kMaxKeptTransitions) state->searches = {};
    return std::nullopt;
  };
  return a;
}

// The pair problem of a (possibly reversed) plain problem, split along its graph.
Attempt PairsAttempt(bool reversed) {
  Attempt a;
  a.name = reversed ? "pairs of the reversal" : "pairs";
  a.mayBacktrack = true;
  a.run = [reversed](const Problem& p, const Deadline&) -> std::optional<Outcome> {
    std::vector<Step> chain;
    if (reversed) chain.push_back(ReversalStep(p));
    const Problem start = reversed ? chain[0].remaining[0] : p;
    std::optional<Step> pairs = DependencyPairStep(start);
    if (!pairs) return std::nullopt;
    const Problem pairProblem = pairs->remaining[0];
    chain.push_back(std::move(*pairs));
    if (std::optional<Step> split = GraphSplitStep(pairProblem)) chain.push_back(std::move(*split));
    return chain;
  };
  return a;
}

// The labelled problem of a sparse tiling of the (possibly reversed) problem.
Attempt TilingAttempt(int width, bool reversed) {
  Attempt a;
  a.name = "tiling " + std::to_string(width) + (reversed ? " reversed" : "");
  a.mayBacktrack = true;
  a.run = [width, reversed](const Problem& p, const Deadline& deadline) -> std::optional<Outcome> {
    const Problem target = reversed ? p.Reversed() : p;
    std::optional<Step> tiling = TilingStep(target, width, deadline);
    if (!tiling) return std::nullopt;
    return Chain(p, reversed, std::move(*tiling));
  };
  return a;
}

// The largest problem the strategy labels: its labelled problem has up to twice the rules.
constexpr std::size_t kMaxLabellingRules = 20;

// The largest problem whose common ends are cut: the shortened problem's searches cost about
// what the problem's own do at the first levels.
constexpr std::size_t kMaxStrippedRules = 20;

// The labelled problem of the k-th model over {0, 1} of the (possibly reversed) problem: on the
// reversal, letters are labelled by what stands before them.
Attempt LabellingAttempt(std::size_t k, bool reversed) {
  Attempt a;
  a.name = "labelling " + std::to_string(k) + (reversed ? " reversed" : "");
  a.mayBacktrack = true;
  a.run = [k, reversed](const Problem& p, const Deadline&) -> std::optional<Outcome> {
    const Problem target = reversed ? p.Reversed() : p;
    std::vector<BooleanModel> models = BooleanModels(target, k + 1);
    if (models.size() <= k) return std::nullopt;
    std::optional<Step> labelling = LabellingStep(target, std::move(models[k]));
    if (!labelling) return std::nullopt;
    return Chain(p, reversed, std::move(*labelling));
  };
  return a;
}

// The closures searched for a loop of a shortened problem before it is taken.
constexpr std::size_t kShortenedLoopClosures = 3000;

// The problem with the common ends of its rules cut. The shortened problem is searched at the
// first levels only: it is mostly proved at once by a match bound, by the pairs of a level-2
// search (std-0310, 0571), or it does not terminate; searched a level deeper it takes the time of
// the problem's own searches and proves nothing more. A relative problem has neither match bounds
// nor pairs: its shortened problem gets the first two levels, a third would cost the problem's
// own level 1 (rel-0119, 0132).
Attempt CommonEndsAttempt(Ends ends, bool plain) {
  Attempt a;
  a.name = ends == Ends::Both    ? "common ends"
           : ends == Ends::Front ? "common front"
                                 : "common back";
  a.mayBacktrack = true;
  a.partsLevel = plain ? 2 : 1;
  a.run = [ends](const Problem& p, const Deadline& deadline) -> std::optional<Outcome> {
    std::optional<Step> step = CommonEndsStep(p, ends);
    if (!step) return std::nullopt;
    // Cutting one end only is tried where it differs from cutting both.
    if (ends != Ends::Both) {
      const std::optional<Step> both = CommonEndsStep(p, Ends::Both);
      if (both->remaining[0].rules == step->remaining[0].rules) return std::nullopt;
    }
    // Shortening often leaves a problem that loops at once: where a loop turns up among its
    // first few thousand closures (a budget of closures, not of time), the step is not taken.
    if (LoopSearch(step->remaining[0]).Run(deadline, kShortenedLoopClosures)) return std::nullopt;
    return std::vector<Step>{std::move(*step)};
  };
  return a;
}

// A step taken where it applies; kept (an equivalence, which costs nothing to take) unless the
// attempt is made to backtrack.
Attempt StepAttempt(const std::string& name,
                    std::function<std::optional<Step>(const Problem&)> make) {
  Attempt a;
  a.name = name;
  a.run = [make](const Problem& p, const Deadline&) -> std::optional<Outcome> {
    std::optional<Step> step = make(p);
    if (!step) return std::nullopt;
    return std::vector<Step>{std::move(*step)};
  };
  return a;
}

// The closed problem has a rule for every rule and letter: past this it is not built.
constexpr std::size_t kMaxClosedRules = 20000;

// The closures searched for a loop of R u S before a relative problem is strictified: a weak rule
// that loops on its own (->= a, or a ->= b a) makes R u S loop at once.
constexpr std::size_t kStrictifiedLoopClosures = 3000;

// The last level at which the problem an inversion leaves is searched.
constexpr int kInvertedLevels = 3;

// R u S, every rule strict, proved by the whole plain strategy; given up (and the relative
// strategy goes on) when its parts stay open.
Attempt StrictificationAttempt() {
  Attempt a;
  a.name = "strictification";
  a.mayBacktrack = true;
  a.run = [](const Problem& p, const Deadline& deadline) -> std::optional<Outcome> {
    std::optional<Step> step = StrictificationStep(p);
    if (!step) return std::nullopt;
    if (LoopSearch(step->remaining[0]).Run(deadline, kStrictifiedLoopClosures)) return std::nullopt;
    return std::vector<Step>{std::move(*step)};
  };
  return a;
}

// The interpretation shapes of a level: dimension grows every level up to 5, entries get a third
// bit at level 2 (on pair problems at level 3).
std::vector<MatrixShape> Shapes(int level, bool pairs, bool relative = false) {
  std::vector<MatrixShape> shapes;
  const int maxDim = std::min(5, level + 2);
  // Components of pair problems are small: their two-bit searches go on a level longer (level 2,
  // three times level 1's conflicts, continuing what they learnt) before the wider entries' harder
  // formulas take over.
  const int bits = level < (pairs ? 3 : 2) ? 2 : 3;
  if (level == 0) shapes.push_back({Domain::Natural, Compared::TopRight, 1, 4});
  for (int d = 2; d <= maxDim; ++d) {
    shapes.push_back({Domain::Natural, Compared::TopRight, d, bits});
    // A pair problem compares the first entry in both natural shapes: one search serves.
    if (!pairs) shapes.push_back({Domain::Natural, Compared::TopLeft, d, bits});
    // A relative problem's weak rules (->= a put into context) often need the product of their
    // right side at most the identity on the diagonal: every entry compared finds more there.
    if (relative) shapes.push_back({Domain::Natural, Compared::AnyEntry, d, bits});
    shapes.push_back({Domain::Arctic, Compared::TopRight, d, bits});
    // Arctic entries may be below zero (but [1][1] and a marked row's first entry): a larger
    // search space, searched beside the arctic naturals, whose encoding is smaller.
    if (pairs || relative) shapes.push_back({Domain::Arctic, Compared::TopRight, d, bits, true});
  }
  return shapes;
}

// Arctic 3x3 interpretations with entries below 4 remove the pairs of most small systems that
// interpretations prove at all, once given the conflicts: a search of the shapes alone on the
// pairs of the small erasing systems of the corpus (std-0403..0548) proved each one it proved with
// this shape, some only after tens of thousands of conflicts, which the levels reached in 10 s
// never gave it. It goes first at every level, from level 0 on, with eight times the conflicts of
// the other shapes.
constexpr MatrixShape kFavouredPairShape{Domain::Arctic, Compared::TopRight, 3, 2};
constexpr std::int64_t kFavouredPairFactor = 8;

std::vector<Attempt> Attempts(const Problem& problem, int level, bool withPairs) {
  std::vector<Attempt> attempts;
  const std::int64_t conflicts = static_cast<std::int64_t>(1000 * std::pow(3, level));
  if (problem.pairProblem) {
    if (level == 0) attempts.push_back(StepAttempt("graph", GraphSplitStep));
    attempts.push_back(
        MatrixAttempt(kFavouredPairShape, kFavouredPairFactor * conflicts, level, false));
    for (const MatrixShape& s : Shapes(level, true)) {
      if (s != kFavouredPairShape) attempts.push_back(MatrixAttempt(s, conflicts, level, false));
    }
    return attempts;
  }
  const bool plain = !problem.IsRelative();
  if (!plain && level == 0) {
    // A relative problem loses its weak identities and gets contexts where a side is empty (both
    // equivalences), then is tried as the plain problem of all its rules.
    attempts.push_back(StepAttempt("cleaning", CleaningStep));
    if (HasEmptySide(problem) && problem.rules.size() * problem.LetterCount() <= kMaxClosedRules) {
      attempts.push_back(StepAttempt(
          "right context closure", [](const Problem& p) { return ContextClosureStep(p, false); }));
    }
    attempts.push_back(StrictificationAttempt());
    // The inverted problem is searched through a few levels (its own strictification, its
    // interpretations); it is never inverted back, nor is a problem a transformation left.
    if (!problem.noLoops && LengthPreserving(problem)) {
      Attempt inversion = StepAttempt("inversion", InversionStep);
      inversion.mayBacktrack = true;
      inversion.partsLevel = kInvertedLevels;
      attempts.push_back(std::move(inversion));
    }
  }
  // Match bounds come first: cheap where they fail (their automaton is bounded by the level),
  // and they prove large problems whose encodings are slow.
  if (plain) {
    attempts.push_back(BoundAttempt(level));
  }
  for (const MatrixShape& s : Shapes(level, false, !plain)) {
    attempts.push_back(MatrixAttempt(s, conflicts, level, false));
    // Natural matrices compared at [1][d] are not closed under transposition: the reversal
    // may need a different one. Arctic and [1][1] orders are.
    if (s.domain == Domain::Natural && s.compared == Compared::TopRight && s.dimension > 1) {
      attempts.push_back(MatrixAttempt(s, conflicts, level, true));
    }
  }
  // A loop of a labelled or shortened problem is none of the problem it came from.
  if (!problem.labelled && !problem.stripped && !problem.noLoops) {
    attempts.push_back(LoopAttempt(level));
  }
  // Labelled letters carry their context: cutting it off would undo the labelling.
  if (level == 0 && !problem.stripped && !problem.labelled &&
      problem.rules.size() <= kMaxStrippedRules) {
    for (const Ends ends : {Ends::Both, Ends::Back, Ends::Front})
      attempts.push_back(CommonEndsAttempt(ends, plain));
  }
  if (plain && withPairs) {
    if (level == 1) { // a transformation: taken once, its subproof deepened with the rest
      attempts.push_back(PairsAttempt(false));
      attempts.push_back(PairsAttempt(true));
    }
  }
  // Tiling: its labelled problems are larger than the problem. A rule usually has a labelled
  // copy for most letters that can follow it: past the limit of labelled rules in that count, the
  // closure would run for seconds only to be refused.
  const bool tileable = problem.rules.size() * problem.LetterCount() <= TilingLimits{}.maxRules;
  if (plain && !problem.labelled && !problem.stripped && tileable && level == 1) {
    attempts.push_back(TilingAttempt(3, false));
    attempts.push_back(TilingAttempt(3, true));
  }
  // Labelling by the two models that tell most letters apart, on the problem and its reversal,
  // last and a level later: the search of the four labelled problems (up to twice the rules)
  // costs the levels at which the problem itself is proved, on a large problem above all.
  if (!problem.labelled && !problem.stripped && problem.rules.size() <= kMaxLabellingRules &&
      level == 2) {
    for (std::size_t k = 0; k < 2; ++k) {
      attempts.push_back(LabellingAttempt(k, false));
      attempts.push_back(LabellingAttempt(k, true));
    }
  }
  return attempts;
}

} // namespace

std::vector<Attempt> AttemptsFor(const Problem& problem, int level) {
  return Attempts(problem, level, true);
}

std::vector<Attempt> AttemptsWithoutPairs(const Problem& problem, int level) {
  return Attempts(problem, level, false);
}

} // namespace selko::engine
