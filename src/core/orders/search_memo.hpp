// Results of deterministic searches kept for the life of one Prover. Labelling attempts draw
// their interpretations at random, and on small alphabets most draws give a labelled system
// that an earlier draw already gave; the searches on it are then answered from here.
//
// A memo is keyed by everything its search reads from the rules: the symbol count, the rule
// count, and every rule's sides (up to their terminating 0) and strict flag. Names are not part
// of the key: the results hold symbol numbers, and the lines are written from them afresh.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/store/rule_table.hpp"

namespace selko {

// The rules of a table as one byte string, with its hash computed once.
struct TableKey {
  std::string bytes;
  std::size_t hash = 0;

  bool operator==(const TableKey& other) const {
    return hash == other.hash && bytes == other.bytes;
  }
};

// Rebuilds `key` from `table` (reusing its storage).
void BuildTableKey(const RuleTable& table, TableKey& key);

// A bounded map from keys to results: past kMaxEntries entries or about kMaxBytes of keys and
// results, it is cleared and starts again, so that no run can grow it without limit. A Result
// tells its size beyond sizeof(Result) by HeapBytes().
template <class Result> class SearchMemo {
public:
  static constexpr std::size_t kMaxEntries = 100000;
  static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

  const Result* Find(const TableKey& key) const {
    const auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
  }

  void Store(const TableKey& key, Result result) {
    const std::size_t cost =
        key.bytes.size() + sizeof(Result) + result.HeapBytes() + kEntryOverhead;
    if (entries_.size() >= kMaxEntries || bytes_ + cost > kMaxBytes) Clear();
    if (entries_.insert_or_assign(key, std::move(result)).second) bytes_ += cost;
  }

  void Clear() {
    entries_.clear();
    bytes_ = 0;
  }

  std::size_t Size() const { return entries_.size(); }

private:
  static constexpr std::size_t kEntryOverhead = 64; // node, bucket and string headers, roughly

  struct KeyHash {
    std::size_t operator()(const TableKey& key) const { return key.hash; }
  };

  std::unordered_map<TableKey, Result, KeyHash> entries_;
  std::size_t bytes_ = 0;
};

} // namespace selko
