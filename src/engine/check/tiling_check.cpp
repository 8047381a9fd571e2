#include "engine/check/tiling_check.hpp"

#include <initializer_list>
#include <map>
#include <set>
#include <utility>

namespace selko::engine {

namespace {

// The checker reads at most this many tiles; the tiling itself stops far below.
constexpr std::size_t kMaxCheckedTiles = 50000;
constexpr int kMaxCheckedWidth = 16;

struct Checker {
  std::size_t width = 0;
  Letter left = 0, right = 0;
  std::set<String> tiles;
  std::map<String, std::vector<Letter>> following; // width - 1 symbols -> what may come next

  bool Covered(const String& s, std::size_t from) const {
    for (std::size_t i = from; i + width <= s.size(); ++i) {
      if (tiles.count(String(s.begin() + static_cast<std::ptrdiff_t>(i),
                             s.begin() + static_cast<std::ptrdiff_t>(i + width))) == 0) {
        return false;
      }
    }
    return true;
  }

  // Left borders, then letters only.
  bool Before(const String& u) const {
    bool letters = false;
    for (Letter a : u) {
      if (a == right) return false;
      if (a == left && letters) return false;
      letters = letters || a != left;
    }
    return true;
  }

  // Every v (letters, then right borders; width - 1 symbols) whose tiles after s are covered.
  void Afters(const String& s, std::vector<String>& out) const {
    std::vector<String> open{String{}};
    while (!open.empty()) {
      String v = std::move(open.back());
      open.pop_back();
      if (v.size() == width - 1) {
        out.push_back(std::move(v));
        continue;
      }
      String joined = s;
      joined.insert(joined.end(), v.begin(), v.end());
      const String key(joined.end() - static_cast<std::ptrdiff_t>(width - 1), joined.end());
      auto it = following.find(key);
      if (it == following.end()) continue;
      for (Letter a : it->second) {
        if (a == left) continue;
        if (!v.empty() && v.back() == right && a != right) continue;
        String longer = v;
        longer.push_back(a);
        open.push_back(std::move(longer));
      }
    }
  }
};

String Concat(std::initializer_list<const String*> parts) {
  String out;
  for (const String* p : parts)
    out.insert(out.end(), p->begin(), p->end());
  return out;
}

} // namespace

bool CheckTiling(const Problem& problem, const Tiling& tiling,
                 const std::vector<Problem>& remaining, std::string& why) {
  if (problem.pairProblem || !problem.pairs.empty() || problem.IsRelative()) {
    return (why = "a tiling is for plain problems", false);
  }
  if (tiling.width < 2 || tiling.width > kMaxCheckedWidth) {
    return (why = "the tile width is out of range", false);
  }
  if (tiling.tiles.size() > kMaxCheckedTiles) return (why = "too many tiles to check", false);
  if (remaining.size() != 1) return (why = "a tiling leaves one problem", false);
  const Problem& labelled = remaining[0];
  if (labelled.pairProblem || !labelled.pairs.empty() || labelled.IsRelative() ||
      !labelled.labelled) {
    return (why = "the labelled problem is not a plain labelled problem", false);
  }
  const std::size_t n = problem.LetterCount();
  Checker c;
  c.width = static_cast<std::size_t>(tiling.width);
  c.left = static_cast<Letter>(n);
  c.right = static_cast<Letter>(n + 1);
  for (const String& t : tiling.tiles) {
    if (t.size() != c.width) return (why = "a tile has the wrong width", false);
    for (Letter a : t) {
      if (a > c.right) return (why = "a tile has an unknown symbol", false);
    }
    c.tiles.insert(t);
  }
  for (const String& t : c.tiles)
    c.following[String(t.begin(), t.end() - 1)].push_back(t.back());

  // The labelled letters: tiles of the set ending with a letter, and one end marker.
  if (tiling.letterTiles.size() != labelled.LetterCount()) {
    return (why = "the labelled letters do not match the labelled problem", false);
  }
  std::map<String, Letter> letterOf;
  for (std::size_t i = 0; i < tiling.letterTiles.size(); ++i) {
    const String& t = tiling.letterTiles[i];
    if (!t.empty() && (c.tiles.count(t) == 0 || t.back() >= n)) {
      return (why = "labelled letter " + labelled.names[i] + " is not a tile of a letter", false);
    }
    if (!letterOf.emplace(t, static_cast<Letter>(i)).second) {
      return (why = "two labelled letters stand for the same tile", false);
    }
  }
  std::set<std::pair<String, String>> labelledRules;
  for (const Rule& r : labelled.rules)
    labelledRules.emplace(r.lhs, r.rhs);
  // The labelled letters of s from position width - 1 on, an end marker at the first border.
  auto labels = [&](const String& s, String& out) {
    out.clear();
    for (std::size_t i = c.width - 1; i < s.size(); ++i) {
      String tile;
      if (s[i] != c.right) {
        tile.assign(s.begin() + static_cast<std::ptrdiff_t>(i + 1 - c.width),
                    s.begin() + static_cast<std::ptrdiff_t>(i + 1));
      }
      auto it = letterOf.find(tile);
      if (it == letterOf.end()) return false;
      out.push_back(it->second);
      if (s[i] == c.right) break;
    }
    return true;
  };

  // The rules with erasing rules expanded.
  std::vector<std::pair<String, String>> rules;
  for (const Rule& r : problem.rules) {
    if (r.lhs.empty()) return (why = "a left side is empty", false);
    if (!r.rhs.empty()) {
      rules.emplace_back(r.lhs, r.rhs);
      continue;
    }
    for (std::size_t a = 0; a < n; ++a) {
      String l = r.lhs;
      l.push_back(static_cast<Letter>(a));
      rules.emplace_back(std::move(l), String{static_cast<Letter>(a)});
    }
  }

  const String lefts(c.width - 1, c.left);
  const String rights(c.width - 1, c.right);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (!c.Covered(Concat({&lefts, &rules[i].second, &rights}), 0)) {
      return (why = "a tile of a right side is missing", false);
    }
  }
  std::set<String> befores;
  for (const String& t : c.tiles) {
    String u(t.begin(), t.end() - 1);
    if (c.Before(u)) befores.insert(std::move(u));
  }
  String lhsLabels, rhsLabels;
  for (const auto& [l, r] : rules) {
    for (const String& u : befores) {
      const String ul = Concat({&u, &l});
      const String ur = Concat({&u, &r});
      if (c.Covered(ul, 0)) {
        std::vector<String> afters;
        c.Afters(ul, afters);
        for (const String& v : afters) {
          const String urv = Concat({&ur, &v});
          if (!c.Covered(urv, 0)) return (why = "the tiles are not closed under a rule", false);
          if (!labels(Concat({&ul, &v}), lhsLabels) || !labels(urv, rhsLabels) ||
              labelledRules.count({lhsLabels, rhsLabels}) == 0) {
            return (why = "a labelled rule is missing", false);
          }
        }
      }
      for (std::size_t j = 1; j < l.size(); ++j) {
        const String l1(l.begin(), l.begin() + static_cast<std::ptrdiff_t>(j));
        if (c.Covered(Concat({&u, &l1, &rights}), 0) && !c.Covered(Concat({&ur, &rights}), 0)) {
          return (why = "the tiles are not closed under the extension of a closure", false);
        }
      }
    }
  }
  return true;
}

} // namespace selko::engine
