// Polynomial hashes of letter strings modulo the prime 2^61 - 1, so that the hash of a string
// spliced from pieces (a prefix, a rule's side, a suffix) follows from the pieces' hashes
// without reading the letters again. Modulo a prime, unlike modulo 2^64, the Thue-Morse
// strings that rewriting produces so readily do not all collide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::loops {

using Hash = std::uint64_t;

constexpr Hash kHashModulus = (Hash{1} << 61) - 1;

// Scrambles the bits of a 64-bit value (a splitmix finalizer): hash table slots and
// fingerprints of pairs of hashes.
inline std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ull;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebull;
  x ^= x >> 31;
  return x;
}

inline Hash HashAdd(Hash a, Hash b) {
  const Hash s = a + b;
  return s >= kHashModulus ? s - kHashModulus : s;
}

inline Hash HashSub(Hash a, Hash b) { return a >= b ? a - b : a + kHashModulus - b; }

inline Hash HashMul(Hash a, Hash b) {
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  const Hash folded = static_cast<Hash>(p & kHashModulus) + static_cast<Hash>(p >> 61);
  return folded >= kHashModulus ? folded - kHashModulus : folded;
}

// The powers of the base, grown on demand, and the hashes of prefixes.
class StringHasher {
public:
  StringHasher();

  // base^n; n up to any length asked before through Reserve.
  Hash Power(std::size_t n) const { return powers_[n]; }
  void Reserve(std::size_t longest);

  // prefixes[i] = hash of s[0, i), for i = 0 .. size; the vector is reused.
  void Prefixes(const Letter* s, std::size_t size, std::vector<Hash>& prefixes) const;

  // The hash of s[from, to) from the prefix hashes of s.
  Hash Range(const std::vector<Hash>& prefixes, std::size_t from, std::size_t to) const {
    return HashSub(prefixes[to], HashMul(prefixes[from], powers_[to - from]));
  }

  // The hash of a b from the hash of a and the hash and length of b.
  Hash Join(Hash a, Hash b, std::size_t bLength) const {
    return HashAdd(HashMul(a, powers_[bLength]), b);
  }

  Hash Of(const Letter* s, std::size_t size) const;

private:
  std::vector<Hash> powers_;
};

} // namespace selko::engine::loops
