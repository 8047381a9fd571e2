// A hash map from 64-bit keys to 32-bit values with open addressing and linear probing: the
// heads of the automaton's transition lists, looked up in the hot loops of the completion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace selko::engine::bounds {

class FlatIndex {
public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // The value stored for `key`, or kNone.
  std::uint32_t Find(std::uint64_t key) const {
    if (slots_.empty()) return kNone;
    for (std::size_t i = Slot(key);; i = (i + 1) & mask_) {
      if (slots_[i].key == key) return slots_[i].value;
      if (slots_[i].key == kEmptyKey) return kNone;
    }
  }

  // Stores `value` for `key` and returns the value stored before (kNone for a new key).
  std::uint32_t Exchange(std::uint64_t key, std::uint32_t value) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    for (std::size_t i = Slot(key);; i = (i + 1) & mask_) {
      if (slots_[i].key == key) {
        const std::uint32_t old = slots_[i].value;
        slots_[i].value = value;
        return old;
      }
      if (slots_[i].key == kEmptyKey) {
        slots_[i] = {key, value};
        ++used_;
        return kNone;
      }
    }
  }

private:
  static constexpr std::uint64_t kEmptyKey = ~std::uint64_t{0};
  struct Entry {
    std::uint64_t key = kEmptyKey;
    std::uint32_t value = kNone;
  };

  std::size_t Slot(std::uint64_t key) const {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & mask_;
  }

  void Grow() {
    std::vector<Entry> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Entry{});
    mask_ = slots_.size() - 1;
    used_ = 0;
    for (const Entry& e : old) {
      if (e.key != kEmptyKey) Exchange(e.key, e.value);
    }
  }

  std::vector<Entry> slots_;
  std::size_t mask_ = 0;
  std::size_t used_ = 0;
};

} // namespace selko::engine::bounds
