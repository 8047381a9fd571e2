#include "engine/sat/bitvector.hpp"

#include <algorithm>
#include <bit>

namespace selko::engine::sat {

namespace {

std::uint64_t CapValue(int capWidth) {
  const int width = std::clamp(capWidth, 0, Arithmetic::kMaxWidth);
  return (std::uint64_t{1} << width) - 1;
}

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  return p > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(p);
}

} // namespace

int BitLength(std::uint64_t value) { return static_cast<int>(std::bit_width(value)); }

BitVector Arithmetic::Constant(std::uint64_t value) const {
  BitVector c;
  c.upper = value;
  for (int i = 0; i < BitLength(value); ++i)
    c.bits.push_back(sat::Constant(((value >> i) & 1) != 0));
  return c;
}

BitVector Arithmetic::Fresh(int width) {
  BitVector v;
  width = std::clamp(width, 0, kMaxWidth);
  for (int i = 0; i < width; ++i)
    v.bits.push_back(solver().NewVariable());
  v.upper = CapValue(width);
  return v;
}

BitVector Arithmetic::Truncate(const std::vector<Lit>& bits, int width, std::uint64_t upper) {
  BitVector r;
  for (int i = 0; i < static_cast<int>(bits.size()); ++i) {
    if (i < width) {
      r.bits.push_back(bits[i]);
    } else {
      solver().Assert(-bits[i]);
    }
  }
  // Constant zero bits at the top carry no information.
  while (!r.bits.empty() && r.bits.back() == kFalse)
    r.bits.pop_back();
  r.upper = std::min(upper, CapValue(r.Width()));
  return r;
}

BitVector Arithmetic::Add(const BitVector& a, const BitVector& b, int capWidth) {
  const std::uint64_t limit = std::min(a.upper + b.upper, CapValue(capWidth));
  const int width = BitLength(limit);
  const int inputWidth = std::max(a.Width(), b.Width());
  std::vector<Lit> sum;
  Lit carry = kFalse;
  for (int i = 0; i < std::min(width, inputWidth); ++i) {
    const Lit x = Bit(a, i), y = Bit(b, i);
    sum.push_back(gates_.Xor3(x, y, carry));
    carry = gates_.Majority(x, y, carry);
  }
  if (width > inputWidth) {
    sum.push_back(carry);
  } else {
    // Nothing may reach the bits from `width` on: no carry into them and no input bit there.
    solver().Assert(-carry);
    for (int i = width; i < inputWidth; ++i) {
      solver().Assert(-Bit(a, i));
      solver().Assert(-Bit(b, i));
    }
  }
  return Truncate(sum, width, limit);
}

BitVector Arithmetic::Multiply(const BitVector& x, const BitVector& y, int capWidth) {
  // The narrower factor chooses the partial products.
  const bool swap = y.Width() > x.Width();
  const BitVector& a = swap ? y : x;
  const BitVector& b = swap ? x : y;
  const std::uint64_t limit = std::min(SaturatingProduct(a.upper, b.upper), CapValue(capWidth));
  const int width = BitLength(limit);
  BitVector product = Constant(0);
  for (int j = 0; j < b.Width(); ++j) {
    if (b.bits[j] == kFalse) continue;
    BitVector partial;
    for (int k = 0; k < j && k < width; ++k)
      partial.bits.push_back(kFalse);
    for (int i = 0; i < a.Width(); ++i) {
      if (i + j < width) {
        partial.bits.push_back(gates_.And(a.bits[i], b.bits[j]));
      } else {
        solver().AddClause({-a.bits[i], -b.bits[j]});
      }
    }
    while (!partial.bits.empty() && partial.bits.back() == kFalse)
      partial.bits.pop_back();
    partial.upper =
        std::min(j >= 62 ? UINT64_MAX : SaturatingProduct(a.upper, std::uint64_t{1} << j), limit);
    product = Add(product, partial, width);
  }
  product.upper = std::min(product.upper, limit);
  return product;
}

BitVector Arithmetic::Select(Lit c, const BitVector& a, const BitVector& b) {
  BitVector r;
  const int width = std::max(a.Width(), b.Width());
  for (int i = 0; i < width; ++i)
    r.bits.push_back(gates_.Ite(c, Bit(a, i), Bit(b, i)));
  while (!r.bits.empty() && r.bits.back() == kFalse)
    r.bits.pop_back();
  r.upper = c == kTrue ? a.upper : c == kFalse ? b.upper : std::max(a.upper, b.upper);
  return r;
}

BitVector Arithmetic::Max(const BitVector& a, const BitVector& b) {
  return Select(GreaterEqual(a, b), a, b);
}

BitVector Arithmetic::Mask(const BitVector& a, Lit keep) { return Select(keep, a, Constant(0)); }

Lit Arithmetic::Compare(const BitVector& a, const BitVector& b, Lit equal) {
  Lit result = equal;
  const int width = std::max(a.Width(), b.Width());
  for (int i = 0; i < width; ++i) {
    const Lit x = Bit(a, i), y = Bit(b, i);
    result = gates_.Ite(gates_.Xor(x, y), x, result);
  }
  return result;
}

Lit Arithmetic::GreaterEqual(const BitVector& a, const BitVector& b) {
  if (b.upper == 0) return kTrue;
  return Compare(a, b, kTrue);
}

Lit Arithmetic::Greater(const BitVector& a, const BitVector& b) {
  if (a.upper == 0) return kFalse;
  return Compare(a, b, kFalse);
}

Lit Arithmetic::Equal(const BitVector& a, const BitVector& b) {
  std::vector<Lit> same;
  const int width = std::max(a.Width(), b.Width());
  for (int i = 0; i < width; ++i)
    same.push_back(-gates_.Xor(Bit(a, i), Bit(b, i)));
  return gates_.AndAll(same);
}

std::uint64_t Arithmetic::Decode(const BitVector& a) const {
  std::uint64_t value = 0;
  for (int i = 0; i < a.Width(); ++i) {
    if (gates_.solver().Value(a.bits[i])) value |= std::uint64_t{1} << i;
  }
  return value;
}

} // namespace selko::engine::sat
