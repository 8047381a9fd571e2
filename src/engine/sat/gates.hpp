// Tseitin gates over the solver: each gate is one fresh variable defined by clauses in both
// directions. Constants and trivial cases fold without clauses, literals are normalised
// (order, signs) and equal gates are built once, so a circuit never repeats a subcircuit.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "engine/sat/solver.hpp"

namespace selko::engine::sat {

class Gates {
public:
  explicit Gates(Solver& solver) : solver_(solver) {}

  Solver& solver() { return solver_; }

  Lit And(Lit a, Lit b);
  Lit Or(Lit a, Lit b) { return -And(-a, -b); }
  Lit Xor(Lit a, Lit b);
  Lit Ite(Lit c, Lit t, Lit e); // c ? t : e
  Lit Majority(Lit a, Lit b, Lit c);
  Lit Xor3(Lit a, Lit b, Lit c);
  Lit AndAll(const std::vector<Lit>& inputs);
  Lit OrAll(const std::vector<Lit>& inputs);

  std::size_t GateCount() const { return table_.size(); }

private:
  enum class Op : int { And, Xor, Ite, Majority, Xor3 };
  struct Key {
    Op op;
    Lit a, b, c;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };

  // The gate's output for the key, or 0 when it is new (then the caller defines it).
  Lit Find(const Key& key) const;
  Lit Define(const Key& key);

  Solver& solver_;
  std::unordered_map<Key, Lit, KeyHash> table_;
};

} // namespace selko::engine::sat
