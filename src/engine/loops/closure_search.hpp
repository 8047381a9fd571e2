// Breadth-first search through the closures of a string rewriting problem (Zantema, JAR 34,
// 2005; Geser, Zantema 1999): pairs (s, t) with s ->+ t. Every rule l -> r is a closure
// (l, r); a closure (s, t) unfolds into
//   - (s, u r v) where t = u l v (a rule applied inside t),
//   - (s y, u r) where t = u x and l = x y, x and y not empty (an overlap at the right end),
//   - (y s, r v) where t = x v and l = y x, x and y not empty (an overlap at the left end),
//   - (x s z, r) where l = x t z, x and z not empty (t inside a left side).
// A closure whose start occurs in its end is a loop; for a relative problem its derivation
// must also use a strict rule. The search grows a bound on the strings' length: it finishes
// every closure within the bound, keeping the longer ones for later, before raising it. When
// memory runs short the longest closures kept are dropped, and once the bound has passed them
// the search starts again from the rules with the larger bound, so that none is lost for good.
// Repeats are skipped by fingerprints of (start, end), computed from the pieces without
// building the strings; each closure remembers its parent and its step, so that the loop's
// derivation is rebuilt at the end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/loops/fingerprint_set.hpp"
#include "engine/loops/loop_limits.hpp"
#include "engine/loops/string_hash.hpp"
#include "engine/problem.hpp"

namespace selko::engine::loops {

// Which ends of a closure overlaps may extend.
enum class Overlaps {
  Right, // forward closures
  Left,  // backward closures
  Both,  // overlap closures (also a closure's end inside a left side)
};

// The order of the search: which overlaps, and what the growing bound limits. The bound is on
// max(startWeight * |start|, |end|): a large weight keeps starts short while ends grow long,
// as in the loops of growing systems; weight 1 bounds both alike.
struct ClosureOrder {
  Overlaps overlaps = Overlaps::Right;
  std::size_t startWeight = 1;
  std::size_t growth = 4; // the bound grows by 1/growth of itself (and at least by 1)
};

struct ClosureStats {
  std::size_t expanded = 0;  // closures unfolded
  std::size_t generated = 0; // new closures (not repeats)
  std::size_t dropped = 0;   // closures given up for memory
  std::size_t bound = 0;     // the current length bound
  std::size_t restarts = 0;  // fresh starts after closures were dropped
  std::size_t collected = 0; // collections of the steps no waiting closure needs
};

class ClosureSearch {
public:
  // The problem's rules are copied; pair problems have no closures here.
  ClosureSearch(const Problem& problem, const ClosureOrder& order, const LoopLimits& limits);

  // Unfolds up to `budget` closures; a loop of the problem as soon as one is found.
  // Checks the deadline every few closures.
  std::optional<Loop> Advance(const Deadline& deadline, std::size_t budget);

  // Every closure within the length limit has been unfolded without a loop (or the bound has
  // reached the limit with closures dropped for memory).
  bool Finished() const { return finished_; }
  const ClosureStats& Stats() const { return stats_; }

private:
  struct RuleData {
    bool used = false; // short enough to matter within the length limit
    String lhs;
    String rhs;
    bool strict = true;
    Hash rhsHash = 0;
    std::vector<Hash> lhsPrefixes;
  };
  // A closure waiting to be unfolded: its start, then its end, in a generation's letters.
  struct Waiting {
    std::uint64_t offset = 0;
    Hash startHash = 0;
    std::uint32_t trail = 0;
    std::uint32_t startLength = 0;
    std::uint32_t endLength = 0;
    bool strict = false;
  };
  struct Generation {
    std::vector<Waiting> items;
    std::vector<Letter> letters;
  };
  // How a closure came from its parent: the step on the parent's end, after `shift` letters
  // were added on the left of the parent's strings.
  struct TrailEntry {
    std::uint32_t parent = 0;
    std::uint32_t rule = 0;
    std::uint32_t position = 0;
    std::uint32_t shift = 0;
  };
  struct Piece {
    const Letter* data = nullptr;
    std::size_t size = 0;
  };
  // A new closure described by its pieces, before its letters are written anywhere.
  struct Child {
    std::uint32_t rule = 0;
    std::uint32_t position = 0;
    std::uint32_t shift = 0;
    Hash startHash = 0;
    Hash endHash = 0;
    std::size_t startLength = 0;
    std::size_t endLength = 0;
    Piece start[3];
    Piece end[3];
    // Where in the end the start can stand, if anywhere: the parent's end did not hold the
    // parent's start, so only around what the step changed.
    std::size_t searchFrom = 0;
    std::size_t searchTo = SIZE_MAX;
  };

  std::optional<Loop> Seed();
  // Counts a unit of work; true once the deadline has passed (looked at now and then), so that
  // a single closure of a huge problem cannot hold the search past it. The closure is unfolded
  // again by the next call; what it gave before are repeats then.
  bool Tired() {
    if (++work_ % 4096 != 0 || deadline_ == nullptr || !deadline_->Passed()) return false;
    interrupted_ = true;
    return true;
  }
  bool NextParent(); // moves on to the next closure to unfold; false when none is left
  // Starts again from the rules with a larger bound, after closures were dropped for memory.
  void Restart();
  std::optional<Loop> Unfold(const Waiting& parent, const Letter* letters);
  std::optional<Loop> Push(std::uint32_t parentTrail, bool parentStrict, const Child& child);
  // Room for a closure of that size (see Size); false when it is not to be kept.
  bool MakeRoom(std::size_t size);
  // What the bound limits: the end's length, or the start's times its weight if that is more.
  std::size_t Size(std::size_t startLength, std::size_t endLength) const {
    return std::max(startWeight_ * startLength, endLength);
  }
  std::size_t Size(const Waiting& w) const { return Size(w.startLength, w.endLength); }
  void KeepShortest(Generation& generation, std::size_t count);
  void CollectTrail();
  Loop Rebuild(std::uint32_t trail, const Letter* start, std::size_t startLength) const;

  std::vector<RuleData> rules_;
  std::vector<std::vector<std::uint32_t>> byFirstLetter_; // rules with that first letter
  std::vector<std::vector<std::uint32_t>> byLastLetter_;  // rules with that last letter
  std::vector<std::uint32_t> emptyLeft_;                  // rules with an empty left side
  std::vector<std::uint32_t> byLeftLength_;               // rules, longest left side first
  std::size_t longestLeft_ = 0;
  Overlaps overlaps_;
  LoopLimits limits_;
  StringHasher hasher_;
  FingerprintSet seen_;

  Generation current_;
  std::size_t cursor_ = 0; // next item of current_
  Generation next_;
  Generation later_; // closures beyond the bound
  std::vector<TrailEntry> trail_;
  std::size_t bound_ = 0;              // on Size
  std::size_t laterCutoff_ = SIZE_MAX; // longer closures are not kept for later
  std::size_t startWeight_ = 1;
  std::size_t growth_ = 4;

  std::vector<Hash> endPrefixes_;      // of the closure being unfolded
  Generation scratch_;                 // a closure that found no room, for its loop test
  Generation spare_;                   // buffers reused when a generation is rebuilt
  const Deadline* deadline_ = nullptr; // of the current Advance
  std::size_t work_ = 0;
  bool interrupted_ = false;
  bool seeded_ = false;
  bool cut_ = false; // closures were dropped since the last start
  bool finished_ = false;
  ClosureStats stats_;
};

} // namespace selko::engine::loops
