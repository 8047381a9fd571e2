#include "engine/tiling/sparse_tiling.hpp"

#include <algorithm>
#include <map>
#include <set>

#include "engine/bounds/rfc_rules.hpp"

namespace selko::engine {

namespace {

using TileSet = std::set<String>;

class Tiler {
public:
  Tiler(const Problem& problem, const bounds::RfcRules& rules, int width)
      : problem_(problem), rules_(rules), width_(static_cast<std::size_t>(width)),
        left_(static_cast<Letter>(problem.LetterCount())), right_(left_ + 1) {}

  // The least closed tile set, or false when it grows past `maxTiles` or time runs out.
  bool Close(std::size_t maxTiles, const Deadline& deadline) {
    for (const String& r : rules_.rhs)
      AddTilesOf(Framed({}, r, true));
    for (bool changed = true; changed;) {
      const std::size_t before = tiles_.size();
      Contexts();
      for (std::size_t i = 0; i < rules_.lhs.size(); ++i) {
        if (tiles_.size() > maxTiles || deadline.Passed()) return false;
        const String& l = rules_.lhs[i];
        const String& r = rules_.rhs[rules_.rhsOf[i]];
        for (const String& u : before_) {
          // One round may add many tiles: the limit holds within it too.
          if (tiles_.size() > maxTiles) return false;
          // Rewriting inside a reachable string.
          const String ul = Joined(u, l);
          if (AllIn(ul, 0)) {
            const String ur = Joined(u, r);
            ForEachAfter(ul, [&](const String& v) { AddTilesOf(Joined(ur, v)); });
          }
          // The extension of a closure: a proper prefix of the left side at the right end.
          for (std::size_t j = 1; j < l.size(); ++j) {
            String prefix(l.begin(), l.begin() + static_cast<std::ptrdiff_t>(j));
            if (AllIn(Framed(u, prefix, false), 0)) AddTilesOf(Framed(u, r, false));
          }
        }
      }
      changed = tiles_.size() != before;
    }
    return tiles_.size() <= maxTiles;
  }

  // The labelled problem of the closed tile set (after Close returned true: its last round added
  // no tile, so the contexts it found are those of the set), or nothing past `maxRules` rules.
  std::optional<Problem> Labelled(std::vector<String>& letterTiles, std::size_t maxRules,
                                  const Deadline& deadline) {
    Problem labelled;
    labelled.labelled = true;
    std::map<String, Letter> letterOf;
    std::set<std::pair<String, String>> seen; // a rule given twice is labelled once
    for (std::size_t i = 0; i < rules_.lhs.size(); ++i) {
      if (deadline.Passed()) return std::nullopt;
      const String& l = rules_.lhs[i];
      const String& r = rules_.rhs[rules_.rhsOf[i]];
      for (const String& u : before_) {
        const String ul = Joined(u, l);
        if (!AllIn(ul, 0)) continue;
        const String ur = Joined(u, r);
        bool tooMany = false;
        ForEachAfter(ul, [&](const String& v) {
          Rule rule;
          rule.lhs = Labels(Joined(ul, v), labelled, letterOf, letterTiles);
          rule.rhs = Labels(Joined(ur, v), labelled, letterOf, letterTiles);
          if (!seen.emplace(rule.lhs, rule.rhs).second) return;
          labelled.rules.push_back(std::move(rule));
          tooMany = tooMany || labelled.rules.size() > maxRules;
        });
        if (tooMany) return std::nullopt;
      }
    }
    return labelled;
  }

  const TileSet& Tiles() const { return tiles_; }

private:
  // The context u (or, for `fromLeft`, width - 1 left borders), s, then width - 1 right borders.
  String Framed(const String& u, const String& s, bool fromLeft) const {
    String out = fromLeft ? String(width_ - 1, left_) : u;
    out.insert(out.end(), s.begin(), s.end());
    out.insert(out.end(), width_ - 1, right_);
    return out;
  }

  static String Joined(const String& a, const String& b) {
    String out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
  }

  void AddTilesOf(const String& s) {
    for (std::size_t i = 0; i + width_ <= s.size(); ++i)
      tiles_.emplace(s.begin() + static_cast<std::ptrdiff_t>(i),
                     s.begin() + static_cast<std::ptrdiff_t>(i + width_));
  }

  // Every tile of s that starts at `from` or later is in the set.
  bool AllIn(const String& s, std::size_t from) const {
    String tile(width_);
    for (std::size_t i = from; i + width_ <= s.size(); ++i) {
      std::copy(s.begin() + static_cast<std::ptrdiff_t>(i),
                s.begin() + static_cast<std::ptrdiff_t>(i + width_), tile.begin());
      if (tiles_.count(tile) == 0) return false;
    }
    return true;
  }

  // The contexts before a redex that the tiles allow (width - 1 symbols: left borders, then
  // letters), and which symbol may follow which width - 1 symbols.
  void Contexts() {
    before_.clear();
    next_.clear();
    for (const String& t : tiles_) {
      String head(t.begin(), t.end() - 1);
      if (IsBefore(head)) before_.insert(head);
      next_[head].push_back(t.back());
    }
  }

  bool IsBefore(const String& u) const {
    std::size_t i = 0;
    while (i < u.size() && u[i] == left_)
      ++i;
    for (; i < u.size(); ++i) {
      if (u[i] >= left_) return false;
    }
    return true;
  }

  // Calls f(v) for every context v after s (width - 1 symbols: letters, then right borders)
  // such that every tile of s v that ends in v is in the set.
  template <typename F> void ForEachAfter(const String& s, F&& f) const {
    String v;
    String window(s.end() - static_cast<std::ptrdiff_t>(width_ - 1), s.end());
    Extend(window, v, f);
  }

  template <typename F> void Extend(const String& window, String& v, F& f) const {
    if (v.size() == width_ - 1) {
      f(v);
      return;
    }
    auto it = next_.find(window);
    if (it == next_.end()) return;
    for (Letter a : it->second) {
      if (a == left_ || (!v.empty() && v.back() == right_ && a != right_)) continue;
      String shifted(window.begin() + 1, window.end());
      shifted.push_back(a);
      v.push_back(a);
      Extend(shifted, v, f); // depth width - 1 at most
      v.pop_back();
    }
  }

  // The labelled letters of the string's positions from width - 1 on, up to its right border,
  // and the end marker when it reaches that border.
  String Labels(const String& s, Problem& labelled, std::map<String, Letter>& letterOf,
                std::vector<String>& letterTiles) const {
    String out;
    for (std::size_t i = width_ - 1; i < s.size(); ++i) {
      if (s[i] == right_) {
        out.push_back(LetterFor({}, labelled, letterOf, letterTiles));
        break;
      }
      out.push_back(LetterFor(String(s.begin() + static_cast<std::ptrdiff_t>(i + 1 - width_),
                                     s.begin() + static_cast<std::ptrdiff_t>(i + 1)),
                              labelled, letterOf, letterTiles));
    }
    return out;
  }

  Letter LetterFor(const String& tile, Problem& labelled, std::map<String, Letter>& letterOf,
                   std::vector<String>& letterTiles) const {
    auto it = letterOf.find(tile);
    if (it != letterOf.end()) return it->second;
    std::string name;
    if (tile.empty()) {
      name = "$";
    } else {
      name = problem_.names[tile.back()] + "[";
      for (std::size_t i = 0; i + 1 < tile.size(); ++i)
        name +=
            (i > 0 ? "." : "") + (tile[i] == left_ ? std::string("^") : problem_.names[tile[i]]);
      name += "]";
    }
    const Letter a = AddFreshName(labelled.names, name);
    letterTiles.push_back(tile);
    letterOf.emplace(tile, a);
    return a;
  }

  const Problem& problem_;
  const bounds::RfcRules& rules_;
  std::size_t width_;
  Letter left_, right_;
  TileSet tiles_;
  std::set<String> before_;
  std::map<String, std::vector<Letter>> next_;
};

std::string TileText(const Problem& p, const String& tile) {
  std::string text = "[";
  for (std::size_t i = 0; i < tile.size(); ++i) {
    if (i > 0) text += " ";
    if (tile[i] == p.LetterCount()) {
      text += "^";
    } else if (tile[i] == p.LetterCount() + 1) {
      text += "$";
    } else {
      text += p.names[tile[i]];
    }
  }
  return text + "]";
}

} // namespace

std::optional<Step> TilingStep(const Problem& problem, int width, const Deadline& deadline,
                               const TilingLimits& limits) {
  if (width < 2 || width > kMaxTileWidth || problem.labelled) return std::nullopt;
  const std::optional<bounds::RfcRules> rules = bounds::PrepareRfcRules(problem, limits.maxRules);
  if (!rules) return std::nullopt;
  Tiler tiler(problem, *rules, width);
  if (!tiler.Close(limits.maxTiles, deadline)) return std::nullopt;
  Tiling tiling;
  tiling.width = width;
  std::optional<Problem> labelled = tiler.Labelled(tiling.letterTiles, limits.maxRules, deadline);
  if (!labelled) return std::nullopt;
  tiling.tiles.assign(tiler.Tiles().begin(), tiler.Tiles().end());

  Step step;
  step.technique = "sparse tiling";
  step.summary = "sparse tiling of width " + std::to_string(width) + ": " +
                 std::to_string(tiling.tiles.size()) + " tiles, a labelled system of " +
                 std::to_string(labelled->rules.size()) + " rules";
  step.details.push_back(
      "Tiles of width " + std::to_string(width) +
      " (^ the left border, $ the right border) of the strings reachable from the right sides of "
      "forward closures, erasing rules l -> (empty) read as l a -> a for every letter a:");
  if (tiling.tiles.size() <= 400) {
    std::string line = " ";
    for (const String& t : tiling.tiles) {
      line += " " + TileText(problem, t);
      if (line.size() > 90) {
        step.details.push_back(line);
        line = " ";
      }
    }
    if (line.size() > 1) step.details.push_back(line);
  } else {
    step.details.push_back("  (" + std::to_string(tiling.tiles.size()) + " tiles, not listed)");
  }
  step.details.push_back("Every letter is labelled by the tile that ends with it (x[u] is x after "
                         "u); a string ends with $. The labelled rules, one for every context in "
                         "which a rule applies:");
  if (labelled->rules.size() <= 400) {
    for (const Rule& r : labelled->rules)
      step.details.push_back("  " + labelled->RuleText(r));
  } else {
    step.details.push_back("  (" + std::to_string(labelled->rules.size()) + " rules, not listed)");
  }
  step.certificate = std::move(tiling);
  step.remaining.push_back(std::move(*labelled));
  return step;
}

} // namespace selko::engine
