#include "engine/loops/fingerprint_set.hpp"

#include <algorithm>

#include "engine/loops/string_hash.hpp"

namespace selko::engine::loops {

FingerprintSet::FingerprintSet(std::size_t limit)
    : slots_(1024, 0), limit_(std::max<std::size_t>(limit, 1024)) {}

bool FingerprintSet::Insert(std::uint64_t f) {
  if (f == 0) f = 1;
  if (2 * (size_ + 1) > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Mix(f) & mask;; i = (i + 1) & mask) {
    if (slots_[i] == f) return false;
    if (slots_[i] == 0) {
      slots_[i] = f;
      ++size_;
      return true;
    }
  }
}

void FingerprintSet::Clear() {
  slots_.assign(1024, 0);
  size_ = 0;
}

void FingerprintSet::Grow() {
  if (size_ >= limit_) {
    std::fill(slots_.begin(), slots_.end(), 0);
    size_ = 0;
    ++forgotten_;
    return;
  }
  std::vector<std::uint64_t> old(slots_.size() * 2, 0);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint64_t f : old) {
    if (f == 0) continue;
    std::size_t i = Mix(f) & mask;
    while (slots_[i] != 0)
      i = (i + 1) & mask;
    slots_[i] = f;
  }
}

} // namespace selko::engine::loops
