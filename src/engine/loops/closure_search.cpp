#include "engine/loops/closure_search.hpp"

#include <algorithm>

namespace selko::engine::loops {

namespace {

constexpr std::uint32_t kNoParent = UINT32_MAX;
constexpr std::size_t kDeadlineEvery = 16; // closures unfolded between two looks at the clock

// The fingerprint of a closure: its start, its end and whether its derivation is strict.
inline std::uint64_t Fingerprint(Hash start, Hash end, bool strict) {
  const std::uint64_t a = Mix(2 * start + (strict ? 1 : 0));
  const std::uint64_t b = Mix(end ^ 0x5851f42d4c957f2dull);
  return a ^ ((b << 23) | (b >> 41));
}

// Short strings that mostly differ early: a plain loop beats a call to memcmp.
inline bool Same(const Letter* a, const Letter* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

inline bool Contains(const Letter* text, std::size_t n, const Letter* pattern, std::size_t m) {
  if (m == 0) return true;
  if (m > n) return false;
  return std::search(text, text + n, pattern, pattern + m) != text + n;
}

} // namespace

ClosureSearch::ClosureSearch(const Problem& problem, const ClosureOrder& order,
                             const LoopLimits& limits)
    : overlaps_(order.overlaps), limits_(limits), seen_(limits.maxSeen),
      startWeight_(std::clamp<std::size_t>(order.startWeight, 1, 1024)),
      growth_(std::clamp<std::size_t>(order.growth, 1, 1024)) {
  if (problem.pairProblem) {
    finished_ = true;
    return;
  }
  limits_.maxLength = std::clamp<std::size_t>(limits_.maxLength, 1, std::size_t{1} << 28);
  limits_.maxTrail = std::clamp<std::size_t>(limits_.maxTrail, 1024, std::size_t{1} << 31);
  std::size_t letterCount = problem.LetterCount();
  for (const Rule& r : problem.rules) {
    for (const String* side : {&r.lhs, &r.rhs}) {
      for (Letter a : *side)
        letterCount = std::max<std::size_t>(letterCount, std::size_t{a} + 1);
    }
  }
  byFirstLetter_.resize(letterCount);
  byLastLetter_.resize(letterCount);
  hasher_.Reserve(limits_.maxLength + 1);
  rules_.resize(problem.rules.size());
  for (std::uint32_t j = 0; j < problem.rules.size(); ++j) {
    const Rule& r = problem.rules[j];
    RuleData& data = rules_[j];
    data.strict = r.strict;
    // A longer right side makes every end too long; a left side longer than twice the limit
    // neither stands in an end nor overlaps one without making the start too long.
    data.used = r.rhs.size() <= limits_.maxLength && r.lhs.size() <= 2 * limits_.maxLength;
    if (!data.used) continue;
    data.lhs = r.lhs;
    data.rhs = r.rhs;
    hasher_.Prefixes(r.lhs.data(), r.lhs.size(), data.lhsPrefixes);
    data.rhsHash = hasher_.Of(r.rhs.data(), r.rhs.size());
    if (r.lhs.empty()) {
      emptyLeft_.push_back(j);
    } else {
      byFirstLetter_[r.lhs.front()].push_back(j);
      byLastLetter_[r.lhs.back()].push_back(j);
    }
    longestLeft_ = std::max(longestLeft_, r.lhs.size());
    byLeftLength_.push_back(j);
  }
  std::stable_sort(byLeftLength_.begin(), byLeftLength_.end(),
                   [this](std::uint32_t a, std::uint32_t b) {
                     return rules_[a].lhs.size() > rules_[b].lhs.size();
                   });
}

std::optional<Loop> ClosureSearch::Seed() {
  for (const RuleData& r : rules_) {
    if (r.used && r.lhs.size() <= limits_.maxLength)
      bound_ = std::max({bound_, r.lhs.size(), r.rhs.size()});
  }
  for (std::uint32_t j = 0; j < rules_.size(); ++j) {
    const RuleData& r = rules_[j];
    if (!r.used || r.lhs.size() > limits_.maxLength) continue;
    Child c;
    c.rule = j;
    c.startHash = r.lhsPrefixes.back();
    c.endHash = r.rhsHash;
    c.startLength = r.lhs.size();
    c.endLength = r.rhs.size();
    c.start[0] = {r.lhs.data(), r.lhs.size()};
    c.end[0] = {r.rhs.data(), r.rhs.size()};
    if (auto loop = Push(kNoParent, false, c)) return loop;
  }
  return std::nullopt;
}

std::optional<Loop> ClosureSearch::Advance(const Deadline& deadline, std::size_t budget) {
  deadline_ = &deadline;
  interrupted_ = false;
  if (!seeded_) {
    seeded_ = true;
    if (auto loop = Seed()) return loop;
  }
  for (std::size_t n = 0; n < budget; ++n) {
    if (n % kDeadlineEvery == kDeadlineEvery - 1 && deadline.Passed()) break;
    if (finished_ || !NextParent()) break;
    if (trail_.size() >= limits_.maxTrail) CollectTrail();
    const Waiting parent = current_.items[cursor_++];
    ++stats_.expanded;
    if (auto loop = Unfold(parent, current_.letters.data() + parent.offset)) return loop;
    if (interrupted_) {
      --cursor_;
      --stats_.expanded;
      break;
    }
  }
  stats_.bound = bound_;
  return std::nullopt;
}

void ClosureSearch::Restart() {
  ++stats_.restarts;
  cut_ = false;
  laterCutoff_ = SIZE_MAX;
  seen_.Clear();
  trail_.clear();
  for (Generation* g : {&current_, &next_, &later_, &scratch_}) {
    g->items.clear();
    g->letters.clear();
  }
  cursor_ = 0;
  bound_ += std::max<std::size_t>(1, bound_ / growth_);
  Seed(); // its loops were found the first time; the caller moves the seeds on
}

bool ClosureSearch::NextParent() {
  for (;;) {
    if (cursor_ < current_.items.size()) return true;
    std::swap(current_, next_);
    next_.items.clear();
    next_.letters.clear();
    cursor_ = 0;
    if (!current_.items.empty()) return true;
    if (later_.items.empty()) {
      if (!cut_) {
        finished_ = true;
        return false;
      }
      if (bound_ >= Size(limits_.maxLength, limits_.maxLength)) {
        finished_ = true; // nothing larger to try
        return false;
      }
      Restart();
      continue;
    }
    // Nothing left within the bound: raise it, at least as far as the shortest closure kept.
    std::size_t shortest = SIZE_MAX;
    for (const Waiting& w : later_.items)
      shortest = std::min(shortest, Size(w));
    bound_ = std::max(shortest, bound_ + std::max<std::size_t>(1, bound_ / growth_));
    Generation rest; // the old buffers go with it: memory stays within the limits
    for (const Waiting& w : later_.items) {
      Generation& to = Size(w) <= bound_ ? current_ : rest;
      Waiting moved = w;
      moved.offset = to.letters.size();
      const Letter* from = later_.letters.data() + w.offset;
      to.letters.insert(to.letters.end(), from, from + w.startLength + w.endLength);
      to.items.push_back(moved);
    }
    std::swap(later_, rest);
  }
}

std::optional<Loop> ClosureSearch::Unfold(const Waiting& parent, const Letter* letters) {
  const Letter* s = letters;
  const std::size_t sl = parent.startLength;
  const Letter* t = letters + sl;
  const std::size_t tl = parent.endLength;
  hasher_.Prefixes(t, tl, endPrefixes_);
  const Hash sh = parent.startHash;
  // A parent with a strict derivation had its end searched for its start already.
  const bool searched = parent.strict;
  const Hash th = endPrefixes_[tl];
  const std::size_t maxLength = limits_.maxLength;

  // A rule applied inside the end.
  auto inside = [&](std::uint32_t j, std::size_t p) -> std::optional<Loop> {
    const RuleData& r = rules_[j];
    const std::size_t ll = r.lhs.size();
    const std::size_t rl = r.rhs.size();
    if (tl - ll + rl > maxLength) return std::nullopt;
    Child c;
    c.rule = j;
    c.position = static_cast<std::uint32_t>(p);
    c.startHash = sh;
    c.startLength = sl;
    c.start[0] = {s, sl};
    c.endLength = tl - ll + rl;
    const std::size_t after = tl - p - ll;
    c.endHash = hasher_.Join(hasher_.Join(hasher_.Range(endPrefixes_, 0, p), r.rhsHash, rl),
                             hasher_.Range(endPrefixes_, p + ll, tl), after);
    c.end[0] = {t, p};
    c.end[1] = {r.rhs.data(), rl};
    c.end[2] = {t + p + ll, after};
    if (searched) {
      c.searchFrom = p + 1 > sl ? p + 1 - sl : 0;
      c.searchTo = p + rl + sl - 1;
    }
    return Push(parent.trail, parent.strict, c);
  };
  for (std::size_t p = 0; p <= tl; ++p) {
    if (Tired()) return std::nullopt;
    for (std::uint32_t j : emptyLeft_) {
      if (auto loop = inside(j, p)) return loop;
    }
    if (p == tl) break;
    for (std::uint32_t j : byFirstLetter_[t[p]]) {
      if (Tired()) return std::nullopt;
      const String& l = rules_[j].lhs;
      if (p + l.size() > tl || !Same(l.data(), t + p, l.size())) continue;
      if (auto loop = inside(j, p)) return loop;
    }
  }

  const std::size_t longestOverlap = std::min(longestLeft_ == 0 ? 0 : longestLeft_ - 1, tl);
  if (overlaps_ != Overlaps::Left) {
    // t = u x, l = x y: (s y, u r).
    for (std::size_t k = 1; k <= longestOverlap; ++k) {
      const Hash x = hasher_.Range(endPrefixes_, tl - k, tl);
      for (std::uint32_t j : byFirstLetter_[t[tl - k]]) {
        if (Tired()) return std::nullopt;
        const RuleData& r = rules_[j];
        const std::size_t ll = r.lhs.size();
        if (ll <= k || r.lhsPrefixes[k] != x || !Same(r.lhs.data(), t + tl - k, k)) continue;
        const std::size_t rl = r.rhs.size();
        if (sl + ll - k > maxLength || tl - k + rl > maxLength) continue;
        Child c;
        c.rule = j;
        c.position = static_cast<std::uint32_t>(tl - k);
        c.startLength = sl + ll - k;
        c.startHash = hasher_.Join(sh, hasher_.Range(r.lhsPrefixes, k, ll), ll - k);
        c.start[0] = {s, sl};
        c.start[1] = {r.lhs.data() + k, ll - k};
        c.endLength = tl - k + rl;
        c.endHash = hasher_.Join(hasher_.Range(endPrefixes_, 0, tl - k), r.rhsHash, rl);
        c.end[0] = {t, tl - k};
        c.end[1] = {r.rhs.data(), rl};
        // The new start begins with the old one, which must reach into r.
        if (searched) c.searchFrom = tl - k + 1 > sl ? tl - k + 1 - sl : 0;
        if (auto loop = Push(parent.trail, parent.strict, c)) return loop;
      }
    }
  }
  if (overlaps_ != Overlaps::Right) {
    // t = x v, l = y x: (y s, r v).
    for (std::size_t k = 1; k <= longestOverlap; ++k) {
      const Hash x = endPrefixes_[k];
      for (std::uint32_t j : byLastLetter_[t[k - 1]]) {
        if (Tired()) return std::nullopt;
        const RuleData& r = rules_[j];
        const std::size_t ll = r.lhs.size();
        if (ll <= k || hasher_.Range(r.lhsPrefixes, ll - k, ll) != x ||
            !Same(r.lhs.data() + ll - k, t, k))
          continue;
        const std::size_t rl = r.rhs.size();
        if (sl + ll - k > maxLength || tl - k + rl > maxLength) continue;
        Child c;
        c.rule = j;
        c.shift = static_cast<std::uint32_t>(ll - k);
        c.startLength = sl + ll - k;
        c.startHash = hasher_.Join(r.lhsPrefixes[ll - k], sh, sl);
        c.start[0] = {r.lhs.data(), ll - k};
        c.start[1] = {s, sl};
        c.endLength = tl - k + rl;
        c.endHash = hasher_.Join(r.rhsHash, hasher_.Range(endPrefixes_, k, tl), tl - k);
        c.end[0] = {r.rhs.data(), rl};
        c.end[1] = {t + k, tl - k};
        // The new start ends with the old one, which must reach into r.
        if (searched) c.searchTo = rl + sl == 0 ? 0 : rl + sl - 1;
        if (auto loop = Push(parent.trail, parent.strict, c)) return loop;
      }
    }
  }
  if (overlaps_ == Overlaps::Both && tl > 0) {
    // l = x t z: (x s z, r).
    for (std::uint32_t j : byLeftLength_) {
      const RuleData& r = rules_[j];
      const std::size_t ll = r.lhs.size();
      if (ll < tl + 2) break;
      const std::size_t rl = r.rhs.size();
      if (sl + ll - tl > maxLength || rl > maxLength) continue;
      for (std::size_t q = 1; q + tl < ll; ++q) {
        if (Tired()) return std::nullopt;
        if (r.lhs[q] != t[0] || hasher_.Range(r.lhsPrefixes, q, q + tl) != th ||
            !Same(r.lhs.data() + q, t, tl))
          continue;
        Child c;
        c.rule = j;
        c.shift = static_cast<std::uint32_t>(q);
        c.startLength = sl + ll - tl;
        c.startHash = hasher_.Join(hasher_.Join(r.lhsPrefixes[q], sh, sl),
                                   hasher_.Range(r.lhsPrefixes, q + tl, ll), ll - q - tl);
        c.start[0] = {r.lhs.data(), q};
        c.start[1] = {s, sl};
        c.start[2] = {r.lhs.data() + q + tl, ll - q - tl};
        c.endLength = rl;
        c.endHash = r.rhsHash;
        c.end[0] = {r.rhs.data(), rl};
        if (auto loop = Push(parent.trail, parent.strict, c)) return loop;
      }
    }
  }
  return std::nullopt;
}

std::optional<Loop> ClosureSearch::Push(std::uint32_t parentTrail, bool parentStrict,
                                        const Child& child) {
  const bool strict = parentStrict || rules_[child.rule].strict;
  if (!seen_.Insert(Fingerprint(child.startHash, child.endHash, strict))) return std::nullopt;
  ++stats_.generated;
  const std::size_t size = Size(child.startLength, child.endLength);
  const bool room = (size <= bound_ || size <= laterCutoff_) && MakeRoom(size);
  Generation& to = !room ? scratch_ : size <= bound_ ? next_ : later_;
  if (!room) {
    ++stats_.dropped;
    cut_ = true;
    scratch_.items.clear();
    scratch_.letters.clear();
  }
  Waiting w;
  w.offset = to.letters.size();
  w.trail = static_cast<std::uint32_t>(trail_.size());
  w.startLength = static_cast<std::uint32_t>(child.startLength);
  w.endLength = static_cast<std::uint32_t>(child.endLength);
  w.strict = strict;
  w.startHash = child.startHash;
  trail_.push_back({parentTrail, child.rule, child.position, child.shift});
  for (const Piece& piece : child.start)
    to.letters.insert(to.letters.end(), piece.data, piece.data + piece.size);
  for (const Piece& piece : child.end)
    to.letters.insert(to.letters.end(), piece.data, piece.data + piece.size);
  to.items.push_back(w);
  const Letter* start = to.letters.data() + w.offset;
  const std::size_t searchFrom = std::min<std::size_t>(child.searchFrom, w.endLength);
  const std::size_t searchTo = std::min<std::size_t>(child.searchTo, w.endLength);
  if (strict && searchFrom <= searchTo &&
      Contains(start + w.startLength + searchFrom, searchTo - searchFrom, start, w.startLength))
    return Rebuild(w.trail, start, w.startLength);
  return std::nullopt;
}

bool ClosureSearch::MakeRoom(std::size_t size) {
  auto full = [this] {
    const std::size_t items = current_.items.size() + next_.items.size() + later_.items.size();
    const std::size_t letters =
        current_.letters.size() + next_.letters.size() + later_.letters.size();
    return items >= limits_.maxWaiting || letters >= limits_.maxLetters;
  };
  if (!full()) return true;
  if (!later_.items.empty()) {
    KeepShortest(later_, later_.items.size() / 2);
    // From now on closures as long as the ones dropped are not kept for later either.
    laterCutoff_ = later_.items.empty() ? bound_ : Size(later_.items.back());
  } else if (!next_.items.empty()) {
    KeepShortest(next_, next_.items.size() / 2);
  }
  return !full() && (size <= bound_ || size <= laterCutoff_);
}

void ClosureSearch::KeepShortest(Generation& generation, std::size_t count) {
  std::vector<Waiting>& items = generation.items;
  if (count >= items.size()) return;
  auto shorter = [this](const Waiting& a, const Waiting& b) { return Size(a) < Size(b); };
  std::nth_element(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(count), items.end(),
                   shorter);
  stats_.dropped += items.size() - count;
  cut_ = true;
  items.resize(count);
  // The longest kept last (its size becomes the cut-off), the rest in their first order.
  const auto longest = std::max_element(items.begin(), items.end(), shorter);
  if (longest != items.end()) std::iter_swap(longest, items.end() - 1);
  std::sort(items.begin(), items.end() - (items.empty() ? 0 : 1),
            [](const Waiting& a, const Waiting& b) { return a.offset < b.offset; });
  std::vector<Letter> letters;
  for (Waiting& w : items) {
    const Letter* from = generation.letters.data() + w.offset;
    w.offset = letters.size();
    letters.insert(letters.end(), from, from + w.startLength + w.endLength);
  }
  generation.letters.swap(letters);
}

void ClosureSearch::CollectTrail() {
  ++stats_.collected;
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::vector<std::uint32_t> renumbered(trail_.size(), kNoParent);
    constexpr std::uint32_t kLive = kNoParent - 1;
    auto mark = [&](std::uint32_t i) {
      while (i != kNoParent && renumbered[i] == kNoParent) {
        renumbered[i] = kLive;
        i = trail_[i].parent;
      }
    };
    for (std::size_t i = cursor_; i < current_.items.size(); ++i)
      mark(current_.items[i].trail);
    for (const Waiting& w : next_.items)
      mark(w.trail);
    for (const Waiting& w : later_.items)
      mark(w.trail);
    std::uint32_t kept = 0;
    for (std::size_t i = 0; i < trail_.size(); ++i) {
      if (renumbered[i] == kNoParent) continue;
      TrailEntry e = trail_[i];
      if (e.parent != kNoParent) e.parent = renumbered[e.parent];
      renumbered[i] = kept;
      trail_[kept++] = e;
    }
    trail_.resize(kept);
    // Items before the cursor are done; their entries are gone.
    for (std::size_t i = cursor_; i < current_.items.size(); ++i)
      current_.items[i].trail = renumbered[current_.items[i].trail];
    for (Waiting& w : next_.items)
      w.trail = renumbered[w.trail];
    for (Waiting& w : later_.items)
      w.trail = renumbered[w.trail];
    if (4 * trail_.size() < 3 * limits_.maxTrail) return;
    if (!later_.items.empty()) {
      KeepShortest(later_, later_.items.size() / 2);
    } else if (!next_.items.empty()) {
      KeepShortest(next_, next_.items.size() / 2);
    } else {
      return;
    }
  }
}

Loop ClosureSearch::Rebuild(std::uint32_t trail, const Letter* start,
                            std::size_t startLength) const {
  Loop loop;
  loop.start.assign(start, start + startLength);
  std::size_t shift = 0;
  for (std::uint32_t i = trail; i != kNoParent; i = trail_[i].parent) {
    const TrailEntry& e = trail_[i];
    loop.steps.push_back({e.rule, e.position + shift});
    shift += e.shift;
  }
  std::reverse(loop.steps.begin(), loop.steps.end());
  return loop;
}

} // namespace selko::engine::loops
