#include "engine/interpretations/product_plan.hpp"

#include <unordered_map>

namespace selko::engine {

namespace {

using Symbol = ProductPlan::Symbol;

std::uint64_t PairKey(Symbol a, Symbol b) { return (std::uint64_t{a} << 32) | b; }

// Occurrences of each adjacent pair; in a run like x x x only non-overlapping ones count.
std::unordered_map<std::uint64_t, std::size_t>
CountPairs(const std::vector<std::vector<Symbol>>& strings) {
  std::unordered_map<std::uint64_t, std::size_t> counts;
  for (const auto& s : strings) {
    std::size_t lastCounted = SIZE_MAX;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
      if (i > 0 && lastCounted == i - 1 && s[i - 1] == s[i] && s[i] == s[i + 1]) continue;
      ++counts[PairKey(s[i], s[i + 1])];
      lastCounted = i;
    }
  }
  return counts;
}

void Replace(std::vector<std::vector<Symbol>>& strings, Symbol a, Symbol b, Symbol product) {
  for (auto& s : strings) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (i + 1 < s.size() && s[i] == a && s[i + 1] == b) {
        s[out++] = product;
        ++i;
      } else {
        s[out++] = s[i];
      }
    }
    s.resize(out);
  }
}

class Builder {
public:
  explicit Builder(ProductPlan& plan) : plan_(plan) {}

  // The symbol for the product of a and b, made once.
  Symbol Product(Symbol a, Symbol b) {
    const auto [it, fresh] = known_.try_emplace(
        PairKey(a, b), static_cast<Symbol>(plan_.letterCount + plan_.products.size()));
    if (fresh) plan_.products.emplace_back(a, b);
    return it->second;
  }

  Symbol Fold(const std::vector<Symbol>& s, bool fromLeft) {
    if (s.empty()) return ProductPlan::kEmpty;
    if (fromLeft) {
      Symbol value = s.front();
      for (std::size_t i = 1; i < s.size(); ++i)
        value = Product(value, s[i]);
      return value;
    }
    Symbol value = s.back();
    for (std::size_t i = s.size() - 1; i-- > 0;)
      value = Product(s[i], value);
    return value;
  }

private:
  ProductPlan& plan_;
  std::unordered_map<std::uint64_t, Symbol> known_;
};

} // namespace

String ProductPlan::Expand(Symbol s) const {
  String word;
  std::vector<Symbol> pending = {s}; // right to left on the stack: the next one is on top
  while (!pending.empty()) {
    const Symbol top = pending.back();
    pending.pop_back();
    if (top == kEmpty) continue;
    if (top < letterCount) {
      word.push_back(top);
    } else {
      pending.push_back(products[top - letterCount].second);
      pending.push_back(products[top - letterCount].first);
    }
  }
  return word;
}

ProductPlan PlanProducts(const std::vector<String>& strings, std::size_t letterCount,
                         PlanKind kind) {
  ProductPlan plan;
  plan.letterCount = letterCount;
  Builder builder(plan);
  std::vector<std::vector<Symbol>> rest(strings.begin(), strings.end());
  std::size_t total = 0;
  for (const String& s : strings)
    total += s.size();
  // Each round of the grammar is a pass over all strings: beyond this many letters it would
  // cost more time than the solver, so the strings are only folded.
  while (kind == PlanKind::Grammar && total <= kMaxGrammarLetters) {
    const auto counts = CountPairs(rest);
    std::uint64_t best = 0;
    std::size_t bestCount = 1;
    for (const auto& [key, count] : counts) {
      if (count > bestCount || (count == bestCount && count > 1 && key < best)) {
        best = key;
        bestCount = count;
      }
    }
    if (bestCount < 2) break;
    const auto a = static_cast<Symbol>(best >> 32), b = static_cast<Symbol>(best & 0xffffffffu);
    Replace(rest, a, b, builder.Product(a, b));
  }
  for (const auto& s : rest)
    plan.strings.push_back(builder.Fold(s, kind != PlanKind::Suffixes));
  return plan;
}

} // namespace selko::engine
