// Which products to build for a set of strings so that common factors are built once: a
// straight-line program whose products are pairs of earlier symbols, each string ending as
// one symbol. Three ways to find one: a grammar (the most frequent adjacent pair of symbols
// becomes a new symbol, again and again, while some pair occurs twice; then each string is
// folded from the left), prefixes (each string folded from the left, so common prefixes are
// shared) and suffixes (folded from the right). Nothing here knows what a product is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine {

enum class PlanKind { Grammar, Prefixes, Suffixes };

struct ProductPlan {
  using Symbol = std::uint32_t;
  static constexpr Symbol kEmpty = UINT32_MAX; // the empty string

  std::size_t letterCount = 0; // symbols below are letters
  // Symbol letterCount + k is the product of products[k].first and products[k].second; no
  // two products are the same pair.
  std::vector<std::pair<Symbol, Symbol>> products;
  std::vector<Symbol> strings; // each input string as one symbol (kEmpty for the empty one)

  // The letters the symbol stands for.
  String Expand(Symbol s) const;
};

// Strings longer than this in total get no grammar: they are folded from the left.
constexpr std::size_t kMaxGrammarLetters = 4000;

ProductPlan PlanProducts(const std::vector<String>& strings, std::size_t letterCount,
                         PlanKind kind);

} // namespace selko::engine
