#include "engine/loops/string_hash.hpp"

namespace selko::engine::loops {

namespace {

constexpr Hash kBase = 0x0a3c59ef1b2d4e67ull % kHashModulus;

// Letter codes start at 1, so that a string of first letters does not hash like the empty one.
inline Hash Code(Letter a) { return static_cast<Hash>(a) + 1; }

} // namespace

StringHasher::StringHasher() : powers_{1} {}

void StringHasher::Reserve(std::size_t longest) {
  if (powers_.size() > longest) return;
  powers_.reserve(longest + 1);
  while (powers_.size() <= longest)
    powers_.push_back(HashMul(powers_.back(), kBase));
}

void StringHasher::Prefixes(const Letter* s, std::size_t size, std::vector<Hash>& prefixes) const {
  prefixes.resize(size + 1);
  prefixes[0] = 0;
  for (std::size_t i = 0; i < size; ++i)
    prefixes[i + 1] = HashAdd(HashMul(prefixes[i], kBase), Code(s[i]));
}

Hash StringHasher::Of(const Letter* s, std::size_t size) const {
  Hash h = 0;
  for (std::size_t i = 0; i < size; ++i)
    h = HashAdd(HashMul(h, kBase), Code(s[i]));
  return h;
}

} // namespace selko::engine::loops
