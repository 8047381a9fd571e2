#include "engine/sat/gates.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace selko::engine::sat {

std::size_t Gates::KeyHash::operator()(const Key& k) const {
  // splitmix64's finaliser over the packed key.
  std::uint64_t h =
      (std::uint64_t{static_cast<std::uint32_t>(k.a)} << 32) ^ static_cast<std::uint32_t>(k.b);
  h ^= (std::uint64_t{static_cast<std::uint32_t>(k.c)} << 3) ^ static_cast<std::uint64_t>(k.op);
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::size_t>(h ^ (h >> 31));
}

Lit Gates::Find(const Key& key) const {
  const auto it = table_.find(key);
  return it == table_.end() ? 0 : it->second;
}

Lit Gates::Define(const Key& key) {
  const Lit g = solver_.NewVariable();
  table_.emplace(key, g);
  const Lit a = key.a, b = key.b, c = key.c;
  switch (key.op) {
  case Op::And:
    solver_.AddClause({-g, a});
    solver_.AddClause({-g, b});
    solver_.AddClause({g, -a, -b});
    break;
  case Op::Xor:
    solver_.AddClause({-g, a, b});
    solver_.AddClause({-g, -a, -b});
    solver_.AddClause({g, -a, b});
    solver_.AddClause({g, a, -b});
    break;
  case Op::Ite: // a ? b : c
    solver_.AddClause({-a, -b, g});
    solver_.AddClause({-a, b, -g});
    solver_.AddClause({a, -c, g});
    solver_.AddClause({a, c, -g});
    solver_.AddClause({-b, -c, g});
    solver_.AddClause({b, c, -g});
    break;
  case Op::Majority:
    solver_.AddClause({-a, -b, g});
    solver_.AddClause({-a, -c, g});
    solver_.AddClause({-b, -c, g});
    solver_.AddClause({a, b, -g});
    solver_.AddClause({a, c, -g});
    solver_.AddClause({b, c, -g});
    break;
  case Op::Xor3:
    for (int signs = 0; signs < 8; ++signs) {
      const Lit x = (signs & 1) ? -a : a, y = (signs & 2) ? -b : b, z = (signs & 4) ? -c : c;
      // The clause excludes x = y = z = false for the literals as signed; the output is
      // the parity of the three inputs.
      const bool parity = ((signs & 1) != 0) ^ ((signs & 2) != 0) ^ ((signs & 4) != 0);
      solver_.AddClause({x, y, z, parity ? g : -g});
    }
    break;
  }
  return g;
}

Lit Gates::And(Lit a, Lit b) {
  if (a == kFalse || b == kFalse || a == -b) return kFalse;
  if (a == kTrue || a == b) return b;
  if (b == kTrue) return a;
  if (a > b) std::swap(a, b);
  const Key key{Op::And, a, b, 0};
  const Lit found = Find(key);
  return found != 0 ? found : Define(key);
}

Lit Gates::Xor(Lit a, Lit b) {
  bool negate = false;
  if (a < 0) a = -a, negate = !negate;
  if (b < 0) b = -b, negate = !negate;
  Lit result;
  if (a == b) {
    result = kFalse;
  } else if (a == kTrue) {
    result = -b;
  } else if (b == kTrue) {
    result = -a;
  } else {
    if (a > b) std::swap(a, b);
    const Key key{Op::Xor, a, b, 0};
    const Lit found = Find(key);
    result = found != 0 ? found : Define(key);
  }
  return negate ? -result : result;
}

Lit Gates::Xor3(Lit a, Lit b, Lit c) {
  bool negate = false;
  Lit in[3] = {a, b, c};
  int n = 0;
  Lit kept[3];
  for (Lit x : in) {
    if (x < 0) x = -x, negate = !negate;
    if (x == kTrue) {
      negate = !negate;
      continue;
    }
    // Equal inputs cancel.
    auto* same = std::find(kept, kept + n, x);
    if (same != kept + n) {
      *same = kept[--n];
      continue;
    }
    kept[n++] = x;
  }
  Lit result;
  if (n == 0) {
    result = kFalse;
  } else if (n == 1) {
    result = kept[0];
  } else if (n == 2) {
    result = Xor(kept[0], kept[1]);
  } else {
    std::sort(kept, kept + 3);
    const Key key{Op::Xor3, kept[0], kept[1], kept[2]};
    const Lit found = Find(key);
    result = found != 0 ? found : Define(key);
  }
  return negate ? -result : result;
}

Lit Gates::Majority(Lit a, Lit b, Lit c) {
  if (a == kTrue) return Or(b, c);
  if (b == kTrue) return Or(a, c);
  if (c == kTrue) return Or(a, b);
  if (a == kFalse) return And(b, c);
  if (b == kFalse) return And(a, c);
  if (c == kFalse) return And(a, b);
  if (a == b || a == c) return a;
  if (b == c) return b;
  if (a == -b) return c;
  if (a == -c) return b;
  if (b == -c) return a;
  // Majority is self-dual: keep at most one negative input.
  const int negatives = (a < 0) + (b < 0) + (c < 0);
  const bool negate = negatives >= 2;
  if (negate) a = -a, b = -b, c = -c;
  Lit in[3] = {a, b, c};
  std::sort(in, in + 3);
  const Key key{Op::Majority, in[0], in[1], in[2]};
  const Lit found = Find(key);
  const Lit result = found != 0 ? found : Define(key);
  return negate ? -result : result;
}

Lit Gates::Ite(Lit c, Lit t, Lit e) {
  if (c == kTrue) return t;
  if (c == kFalse) return e;
  if (t == e) return t;
  if (c < 0) c = -c, std::swap(t, e);
  if (t == kTrue || t == c) return Or(c, e);
  if (t == kFalse || t == -c) return And(-c, e);
  if (e == kTrue || e == -c) return Or(-c, t);
  if (e == kFalse || e == c) return And(c, t);
  if (t == -e) return Xor(c, e);
  const bool negate = t < 0;
  if (negate) t = -t, e = -e;
  const Key key{Op::Ite, c, t, e};
  const Lit found = Find(key);
  const Lit result = found != 0 ? found : Define(key);
  return negate ? -result : result;
}

Lit Gates::AndAll(const std::vector<Lit>& inputs) {
  if (std::find(inputs.begin(), inputs.end(), kFalse) != inputs.end()) return kFalse;
  Lit result = kTrue;
  for (Lit x : inputs)
    result = And(result, x);
  return result;
}

Lit Gates::OrAll(const std::vector<Lit>& inputs) {
  // De Morgan, as Or itself.
  std::vector<Lit> negated;
  negated.reserve(inputs.size());
  for (Lit x : inputs)
    negated.push_back(-x);
  return -AndAll(negated);
}

} // namespace selko::engine::sat
