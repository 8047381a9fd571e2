// The key of a table for the search memos.
#include "core/orders/search_memo.hpp"

#include <algorithm>
#include <cstring>
#include <functional>

namespace selko {

namespace {

void AppendCount(std::string& bytes, std::int32_t value) {
  char raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);
  bytes.append(raw, sizeof value);
}

// The symbols of w up to its terminating 0 (at most kMaxWordLength), then a 0.
void AppendWord(std::string& bytes, const Word& w) {
  const int length = WordLength(w);
  bytes.append(reinterpret_cast<const char*>(w.data()), static_cast<std::size_t>(length));
  bytes.push_back('\0');
}

} // namespace

void BuildTableKey(const RuleTable& table, TableKey& key) {
  std::string& bytes = key.bytes;
  bytes.clear();
  AppendCount(bytes, table.symbolCount);
  AppendCount(bytes, table.ruleCount);
  const int rules = std::clamp(table.ruleCount, 0, kMaxRules);
  for (int r = 1; r <= rules; ++r) {
    AppendWord(bytes, table.lhs[static_cast<std::size_t>(r)]);
    AppendWord(bytes, table.rhs[static_cast<std::size_t>(r)]);
    bytes.push_back(static_cast<char>(table.strict[static_cast<std::size_t>(r)]));
  }
  key.hash = std::hash<std::string_view>{}(bytes);
}

} // namespace selko
