#include "engine/bounds/find_match_bound.hpp"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "engine/bounds/heighted_automaton.hpp"
#include "engine/bounds/rfc_rules.hpp"

namespace selko::engine {
namespace {

using bounds::HeightedAutomaton;
using bounds::RfcRules;

// A state reached together with the smallest height read on the way: state << 32 | height.
using Reached = std::uint64_t;
Reached Pack(std::uint32_t state, std::uint32_t height) {
  return (std::uint64_t{state} << 32) | height;
}
std::uint32_t StateOf(Reached r) { return static_cast<std::uint32_t>(r >> 32); }
std::uint32_t HeightOf(Reached r) { return static_cast<std::uint32_t>(r); }

void SortUnique(std::vector<Reached>& set) {
  std::sort(set.begin(), set.end());
  set.erase(std::unique(set.begin(), set.end()), set.end());
}

// The completion: a worklist of transitions in order of creation. Every path that reads a
// left side contains a transition added last; when that transition is taken from the list,
// the rest of the path is there, so the path is found then. The list is done when the
// automaton is compatible.
//
// A run that meets its size limits or the deadline pauses: the transition being taken is taken
// again by the next run, which finds the paths already added and adds the rest. So a run with
// larger limits goes on where the last one stopped and ends as a single run with its limits.
class Completion {
public:
  Completion(const RfcRules& rules, const BoundLimits& limits, std::uint32_t maxStates)
      : rules_(rules), limits_(limits), maxStates_(maxStates),
        automaton_(std::uint64_t{rules.endMarker} + 1, std::uint64_t{limits.maxBound} + 1) {
    automaton_.AddState();
    automaton_.AddState();
    automaton_.AddTransition(kFinal, rules_.endMarker, 0, kFinal);
  }

  enum class Outcome { Compatible, Paused, Unbounded };

  Outcome Run(std::uint32_t maxTransitions, std::uint32_t maxStates, const Deadline& deadline) {
    if (unbounded_) return Outcome::Unbounded;
    maxTransitions_ = maxTransitions;
    runStates_ = std::min(maxStates, maxStates_);
    deadline_ = &deadline;
    failed_ = false;
    pending_.clear();
    if (!started_) Start();
    for (; taking_ < automaton_.TransitionCount() && !failed_; ++taking_) {
      const BoundTransition taken = automaton_.At(taking_); // a copy: the list grows meanwhile
      if (taken.letter == rules_.endMarker) {
        TakeEndMarker(taken);
      } else {
        TakeLetter(taken);
      }
      if (failed_) break; // taken again by the next run
    }
    deadline_ = nullptr;
    if (unbounded_) return Outcome::Unbounded;
    return failed_ ? Outcome::Paused : Outcome::Compatible;
  }

  MatchBound Result() const {
    MatchBound m;
    m.stateCount = automaton_.StateCount();
    m.initial = kInitial;
    m.finals = {kFinal};
    m.transitions = automaton_.Transitions();
    m.bound = 0;
    for (const BoundTransition& t : m.transitions)
      m.bound = std::max(m.bound, t.height);
    m.endMarker = rules_.endMarker;
    return m;
  }

private:
  static constexpr std::uint32_t kInitial = 0;
  static constexpr std::uint32_t kFinal = 1;

  // Every right side from the initial to the final state at height 0 (the end-marker loop on
  // the final state is there from the first): within the run's limits, or the next run goes on.
  void Start() {
    for (const String& rhs : rules_.rhs) {
      if (!Reads(rhs, kInitial, kFinal, 0)) AddPath(rhs, kInitial, kFinal, 0);
      if (failed_) return;
    }
    started_ = true;
  }

  // Left-side paths through `t` at position `position` of a left side, and the end-marker
  // paths of the prefixes that include it. The rules of one left side share the walk along
  // it while their right sides add nothing.
  void TakeLetter(const BoundTransition& t) {
    for (const RfcRules::Occurrence& o : rules_.byLetter[t.letter]) {
      const String& lhs = rules_.leftSides[o.left];
      if (o.position > 0 && !automaton_.Enters(t.from, lhs[o.position - 1])) continue;
      std::uint32_t walkedAt = 0xFFFFFFFFu; // the automaton's size at the last walk
      for (std::uint32_t rule : rules_.rulesOf[o.left]) {
        if (walkedAt != automaton_.TransitionCount()) {
          walkedAt = automaton_.TransitionCount();
          WalkThrough(t, lhs, o.position);
        }
        if (failed_) return;
        for (Reached q : ends_)
          RequireFromAll(rules_.rhsOf[rule], StateOf(q), HeightOf(q));
        Settle(rules_.rhsOf[rule]);
        if (failed_) return;
      }
    }
  }

  // The paths that read `lhs` with `t` at `position`: where they start (back_) and where they
  // end, reading all of it or a prefix and then an end marker (ends_, with the smallest height
  // on the way).
  void WalkThrough(const BoundTransition& t, const String& lhs, std::size_t position) {
    ends_.clear();
    back_.assign(1, Pack(t.from, t.height));
    for (std::size_t j = position; j-- > 0 && !back_.empty();)
      Step(back_, lhs[j], /*forward=*/false);
    if (back_.empty()) return;
    front_.assign(1, Pack(t.to, t.height));
    for (std::size_t j = position + 1; !front_.empty() && !failed_; ++j) {
      if (j == lhs.size()) {
        ends_.insert(ends_.end(), front_.begin(), front_.end());
        return;
      }
      for (Reached s : front_) {
        automaton_.ForEachOut(StateOf(s), rules_.endMarker, [&](const BoundTransition& m) {
          ends_.push_back(Pack(m.to, std::min(HeightOf(s), m.height)));
        });
      }
      Step(front_, lhs[j], /*forward=*/true);
    }
  }

  // Proper prefixes of left sides read into the source of end-marker transition `t`.
  void TakeEndMarker(const BoundTransition& t) {
    for (std::size_t left = 0; left < rules_.leftSides.size() && !failed_; ++left) {
      const String& lhs = rules_.leftSides[left];
      std::uint32_t walkedAt = 0xFFFFFFFFu;
      for (std::uint32_t rule : rules_.rulesOf[left]) {
        if (walkedAt != automaton_.TransitionCount()) {
          walkedAt = automaton_.TransitionCount();
          starts_.clear();
          for (std::size_t k = 1; k < lhs.size() && !failed_; ++k) {
            back_.assign(1, Pack(t.from, t.height));
            for (std::size_t j = k; j-- > 0 && !back_.empty();)
              Step(back_, lhs[j], /*forward=*/false);
            starts_.insert(starts_.end(), back_.begin(), back_.end());
          }
          SortUnique(starts_);
        }
        if (failed_) return;
        back_ = starts_;
        if (!back_.empty()) RequireFromAll(rules_.rhsOf[rule], t.to, 0xFFFFFFFFu);
        Settle(rules_.rhsOf[rule]);
        if (failed_) return;
      }
    }
  }

  // For every start in back_: the right side from it into `to`, one above the smallest of its
  // height and `smallest`. Collected, then made to hold by Settle.
  void RequireFromAll(std::uint32_t rhs, std::uint32_t to, std::uint32_t smallest) {
    for (Reached p : back_) {
      const std::uint32_t h = std::min(HeightOf(p), smallest) + 1;
      if (h > limits_.maxBound) {
        failed_ = unbounded_ = true;
        return;
      }
      if (held_.count({rhs, StateOf(p), h, to}) == 0) pending_.push_back({StateOf(p), h, to});
    }
    if (pending_.size() >= kPendingFlush) Settle(rhs);
  }

  // Makes every pending requirement for right side `rhs` hold: each start and height is read
  // once, and a path is added for every end state not reached then.
  void Settle(std::uint32_t rhs) {
    std::sort(pending_.begin(), pending_.end());
    pending_.erase(std::unique(pending_.begin(), pending_.end()), pending_.end());
    const String& r = rules_.rhs[rhs];
    for (std::size_t i = 0; i < pending_.size() && !failed_ && !Tick();) {
      const Requirement group = pending_[i];
      ReadAll(r, group.from, group.height);
      for (; i < pending_.size() && pending_[i].from == group.from &&
             pending_[i].height == group.height && !failed_;
           ++i) {
        if (!WasReached(pending_[i].to) && !Tick()) {
          // A path through fresh states reaches only its end; one into a reused state may
          // reach more of the group.
          if (AddPath(r, group.from, pending_[i].to, group.height)) {
            ReadAll(r, group.from, group.height);
          } else {
            mark_[pending_[i].to] = epoch_;
          }
        }
        if (!failed_ && held_.size() < kMaxHeld)
          held_.insert({rhs, group.from, group.height, pending_[i].to});
      }
    }
    pending_.clear();
  }

  // Clears `set` once the deadline has passed.
  void Step(std::vector<Reached>& set, Letter letter, bool forward) {
    next_.clear();
    if (Tick()) {
      set.clear();
      return;
    }
    for (Reached r : set) {
      auto add = [&](const BoundTransition& t) {
        next_.push_back(Pack(forward ? t.to : t.from, std::min(HeightOf(r), t.height)));
      };
      if (forward) {
        automaton_.ForEachOut(StateOf(r), letter, add);
      } else {
        automaton_.ForEachIn(StateOf(r), letter, add);
      }
    }
    if (next_.size() > 1) SortUnique(next_);
    set.swap(next_);
  }

  // Whether `rhs` is read from `from` into `to` at height h throughout.
  bool Reads(const String& rhs, std::uint32_t from, std::uint32_t to, std::uint32_t h) {
    ReadAll(rhs, from, h);
    return WasReached(to);
  }

  // Marks the states that `rhs` reaches from `from` at height h throughout (see WasReached).
  void ReadAll(const String& rhs, std::uint32_t from, std::uint32_t h) {
    states_.assign(1, from);
    for (Letter a : rhs) {
      Tick();
      NextMark();
      nextStates_.clear();
      for (std::uint32_t s : states_)
        automaton_.ForEachOutAt(s, a, h, [&](const BoundTransition& t) {
          if (mark_[t.to] != epoch_) {
            mark_[t.to] = epoch_;
            nextStates_.push_back(t.to);
          }
        });
      states_.swap(nextStates_);
      if (states_.empty()) break;
    }
  }

  // Whether the last ReadAll reached `state`.
  bool WasReached(std::uint32_t state) const {
    return state < mark_.size() && mark_[state] == epoch_;
  }

  void NextMark() {
    mark_.resize(automaton_.StateCount(), 0);
    if (++epoch_ == 0) {
      std::fill(mark_.begin(), mark_.end(), 0);
      epoch_ = 1;
    }
  }

  // Adds a path reading `rhs` from `from` into `to` at height h. It ends in a state that
  // already reads the rest of the right side into `to` (the highest-numbered one) when the
  // reuse rule finds one, and goes through fresh states otherwise.
  // Returns whether it reused a state.
  bool AddPath(const String& rhs, std::uint32_t from, std::uint32_t to, std::uint32_t h) {
    std::size_t cut = rhs.size(); // the new part reads rhs[0..cut)
    std::uint32_t end = to;
    states_.assign(1, to);
    for (std::size_t j = rhs.size() - 1; j >= 1 && !states_.empty() && !Tick(); --j) {
      nextStates_.clear();
      for (std::uint32_t s : states_)
        automaton_.ForEachInAt(s, rhs[j], h,
                               [&](const BoundTransition& t) { nextStates_.push_back(t.from); });
      std::sort(nextStates_.begin(), nextStates_.end());
      nextStates_.erase(std::unique(nextStates_.begin(), nextStates_.end()), nextStates_.end());
      states_.swap(nextStates_);
      if (!states_.empty() && (j == 1 || limits_.reuse == StateReuse::LongestSuffix)) {
        cut = j;
        end = states_.back();
      }
    }
    if (automaton_.TransitionCount() + cut > maxTransitions_ ||
        automaton_.StateCount() + cut - 1 > runStates_) {
      failed_ = true;
      return false;
    }
    std::uint32_t at = from;
    for (std::size_t j = 0; j < cut; ++j) {
      const std::uint32_t into = j + 1 == cut ? end : automaton_.AddState();
      automaton_.AddTransition(at, rhs[j], h, into);
      at = into;
    }
    return end != to;
  }

  // Counts work; true (and failed) once the deadline has passed, looked at every 256 counts.
  bool Tick() {
    if ((++ticks_ & 255u) == 0 && deadline_ != nullptr && deadline_->Passed()) failed_ = true;
    return failed_;
  }

  const RfcRules& rules_;
  const BoundLimits limits_;
  const std::uint32_t maxStates_; // the most the automaton's index allows
  HeightedAutomaton automaton_;
  // The running limits and deadline (no deadline between runs).
  std::uint32_t maxTransitions_ = 0xFFFFFFFFu;
  std::uint32_t runStates_ = 0xFFFFFFFFu;
  const Deadline* deadline_ = nullptr;
  bool started_ = false;     // every right side is read from the initial state
  std::uint32_t taking_ = 0; // the transition the next run takes first
  bool failed_ = false;      // the run stops: paused, or unbounded
  bool unbounded_ = false;   // a height beyond the bound: no run can succeed
  std::uint64_t ticks_ = 0;
  // Buffers reused across calls: back_ and front_ belong to the Take steps, the rest to the
  // steps they call.
  std::vector<Reached> back_, front_, next_, ends_, starts_;
  std::vector<std::uint32_t> states_, nextStates_;
  std::vector<std::uint32_t> mark_; // states marked with epoch_ by the last ReadAll
  std::uint32_t epoch_ = 0;
  struct Requirement {
    std::uint32_t from, height, to;
    auto operator<=>(const Requirement&) const = default;
  };
  static constexpr std::size_t kPendingFlush = 1 << 16;
  std::vector<Requirement> pending_; // for the right side of the occurrence being taken
  // Requirements known to hold (the automaton only grows, so they go on holding): most are
  // met again and again, each time a new transition lies on another path of their left side.
  // A right side, its start, height and end.
  struct Held {
    std::uint32_t rhs, from, height, to;
    bool operator==(const Held&) const = default;
  };
  struct HeldHash {
    std::size_t operator()(const Held& h) const {
      std::uint64_t x = (std::uint64_t{h.rhs} << 32 | h.from) * 0x9e3779b97f4a7c15ULL;
      x ^= (std::uint64_t{h.height} << 32 | h.to) + (x >> 29);
      x *= 0xff51afd7ed558ccdULL;
      return static_cast<std::size_t>(x ^ (x >> 32));
    }
  };
  static constexpr std::size_t kMaxHeld = 1 << 20; // some 50 MB at most
  std::unordered_set<Held, HeldHash> held_;
};

} // namespace

struct MatchBoundSearch::State {
  bounds::RfcRules rules;
  std::unique_ptr<Completion> completion;
};

MatchBoundSearch::MatchBoundSearch(const Problem& problem, const BoundLimits& limits)
    : limits_(limits) {
  std::optional<bounds::RfcRules> rules = bounds::PrepareRfcRules(problem, limits.maxRules);
  if (!rules || limits.maxBound >= 0xFFFFFFFFu || limits.maxStates < 2) return;
  // The automaton's index keys are state * letters * heights: keep them below 2^62.
  const std::uint64_t letters = std::uint64_t{rules->endMarker} + 1;
  const std::uint64_t heights = std::uint64_t{limits.maxBound} + 1;
  const std::uint64_t room = (std::uint64_t{1} << 62) / letters / heights;
  if (room < 2) return;
  const auto maxStates =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(limits.maxStates, room));
  state_ = std::make_unique<State>();
  state_->rules = std::move(*rules);
  state_->completion = std::make_unique<Completion>(state_->rules, limits, maxStates);
}

MatchBoundSearch::~MatchBoundSearch() = default;

std::optional<MatchBound> MatchBoundSearch::Run(std::uint32_t maxTransitions,
                                                std::uint32_t maxStates, const Deadline& deadline) {
  if (Exhausted()) return std::nullopt;
  maxTransitions = std::min(maxTransitions, limits_.maxTransitions);
  maxStates = std::min(maxStates, limits_.maxStates);
  switch (state_->completion->Run(maxTransitions, maxStates, deadline)) {
  case Completion::Outcome::Compatible: {
    MatchBound found = state_->completion->Result();
    state_.reset(); // found once: the search is over
    return found;
  }
  case Completion::Outcome::Unbounded: state_.reset(); return std::nullopt;
  case Completion::Outcome::Paused: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<MatchBound> FindMatchBound(const Problem& problem, const Deadline& deadline,
                                         const BoundLimits& limits) {
  MatchBoundSearch search(problem, limits);
  return search.Run(limits.maxTransitions, limits.maxStates, deadline);
}

} // namespace selko::engine
