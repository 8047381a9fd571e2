// Which products to build for a set of strings so that common factors are built once: a
// straight-line program found greedily (the most frequent adjacent pair of symbols becomes a
// new symbol, again and again, while some pair occurs twice), after which each string is the
// left-to-right product of its remaining symbols. Nothing here knows what a product is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine {

struct ProductPlan {
  using Symbol = std::uint32_t;
  std::size_t letterCount = 0; // symbols below are letters
  // Symbol letterCount + k is the product of products[k].first and products[k].second.
  std::vector<std::pair<Symbol, Symbol>> products;
  std::vector<std::vector<Symbol>> strings; // each input string over letters and products

  // The letters the symbol stands for.
  String Expand(Symbol s) const;
};

// `shareFactors` false: no products, each string is its own letters.
ProductPlan PlanProducts(const std::vector<String>& strings, std::size_t letterCount,
                         bool shareFactors = true);

} // namespace selko::engine
