// A set of 64-bit fingerprints by open addressing, bounded in size: when it would grow past its
// limit it forgets everything and starts again. A search that uses it to skip repeats may then
// meet a repeat once more, never miss an answer because of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace selko::engine::loops {

class FingerprintSet {
public:
  // At most `limit` fingerprints are kept (at least 1024).
  explicit FingerprintSet(std::size_t limit);

  // True when `f` was not in the set (it is now).
  bool Insert(std::uint64_t f);

  void Clear();
  std::size_t Size() const { return size_; }
  std::size_t Forgotten() const { return forgotten_; } // how many times it started again

private:
  void Grow();

  std::vector<std::uint64_t> slots_; // 0: empty
  std::size_t size_ = 0;
  std::size_t limit_;
  std::size_t forgotten_ = 0;
};

} // namespace selko::engine::loops
