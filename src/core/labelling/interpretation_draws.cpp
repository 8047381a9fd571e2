// The random draws of a labelling attempt: interpretations of WorkTable's symbols, drawn until
// one is a model (a quasi-model) or the attempt's draws are used up. The generator advances
// exactly as by one draw after the other; only the checking is quicker:
// - on small alphabets, within LabelSearch, the verdict of each interpretation is kept;
// - otherwise 64 draws are checked together, one bit of a machine word for each draw.
#include <algorithm>
#include <array>
#include <bit>

#include "core/labelling/label_words.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

constexpr std::uint32_t kRandomFactor = 134775813u;
constexpr std::uint32_t kRandomIncrement = 1u;

// Draws inside one attempt before it gives up without progress.
constexpr int kMaxDrawsPerAttempt = 10000;

// The generator's next state, and the draw in 0..n-1 it gives.
inline int NextDraw(std::uint32_t& seed, int n) {
  seed = seed * kRandomFactor + kRandomIncrement;
  const std::uint64_t product =
      static_cast<std::uint64_t>(seed) * static_cast<std::uint64_t>(n > 0 ? n : 0);
  return static_cast<int>(product >> 32);
}

constexpr int kBatch = 64; // draws checked together

// The kinds of the symbols in the draws of a batch: bit d of low[s] and high[s] are the bits 0
// and 1 of the kind of symbol s in draw d. Symbols that are not drawn stay the identity.
struct BatchKinds {
  std::array<std::uint64_t, 256> low{};
  std::array<std::uint64_t, 256> high{};
};

// The maps of word w in every draw of the batch: bit d of value0 (value1) is the value at 0
// (at 1) of the map of w in draw d.
inline void BatchWordMap(const Word& w, const BatchKinds& k, std::uint64_t& value0,
                         std::uint64_t& value1) {
  std::uint64_t m0 = 0;  // the identity maps 0 to 0
  std::uint64_t m1 = ~0; // and 1 to 1
  for (int p = WordLength(w) - 1; p >= 0; --p) {
    const Symbol s = w[static_cast<std::size_t>(p)];
    const std::uint64_t k0 = k.low[s];
    const std::uint64_t k1 = k.high[s];
    // Identity (00) keeps m, constant 0 (01) gives 0, constant 1 (10) gives 1, complement (11)
    // flips m.
    m0 = (~k0 & (k1 | m0)) | (k0 & k1 & ~m0);
    m1 = (~k0 & (k1 | m1)) | (k0 & k1 & ~m1);
  }
  value0 = m0;
  value1 = m1;
}

// The draws of the batch in which a rule with these side maps passes (RuleMapsPass).
inline std::uint64_t BatchRulePasses(const Word& lhs, const Word& rhs, const BatchKinds& k,
                                     bool quasiModel) {
  std::uint64_t l0 = 0, l1 = 0, r0 = 0, r1 = 0;
  BatchWordMap(lhs, k, l0, l1);
  BatchWordMap(rhs, k, r0, r1);
  if (quasiModel) return ~(~l0 & r0) & ~(~l1 & r1);
  return ~(l0 ^ r0) & ~(l1 ^ r1);
}

} // namespace

int Prover::RandomBelow(int n) { return NextDraw(RandomSeed, n); }

bool Prover::DrawInterpretation(std::array<std::uint8_t, kMaxSymbols + 1>& kinds) {
  const RuleTable& work = WorkTable;
  const int n = std::clamp(work.symbolCount, 0, kMaxSymbols);
  const int r = std::clamp(work.ruleCount, 0, kMaxRules);
  const bool quasi = QuasiModelMode != 0;
  const int range = quasi ? 3 : 4;

  // Small alphabets: one verdict per interpretation, kept across the attempts.
  DrawVerdictMemo& memo = DrawVerdicts;
  if (memo.size != 0 && memo.quasi == (quasi ? 1 : 0)) {
    for (int draw = 0; draw < kMaxDrawsPerAttempt; ++draw) {
      for (int s = 1; s <= n; ++s)
        kinds[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(RandomBelow(range));
      int index = 0;
      for (int s = n; s >= 1; --s)
        index = index * range + kinds[static_cast<std::size_t>(s)];
      std::uint8_t& verdict = memo.verdict[static_cast<std::size_t>(index)];
      if (verdict == 0) {
        bool passed = true;
        for (int rule = 1; rule <= r && passed; ++rule) {
          passed = RuleMapsPass(WordMap(work.lhs[rule], kinds.data()),
                                WordMap(work.rhs[rule], kinds.data()), quasi);
        }
        verdict = passed ? 1 : 2;
      }
      if (verdict == 1) return true;
    }
    return false;
  }

  // Otherwise 64 draws at a time; the first of them that passes ends the attempt's draws.
  BatchKinds batch;
  std::array<std::uint32_t, kBatch> seedAfter{}; // the generator after each draw of the batch
  for (int done = 0; done < kMaxDrawsPerAttempt; done += kBatch) {
    const int size = std::min(kBatch, kMaxDrawsPerAttempt - done);
    for (int s = 1; s <= n; ++s) {
      batch.low[static_cast<std::size_t>(s)] = 0;
      batch.high[static_cast<std::size_t>(s)] = 0;
    }
    std::uint32_t seed = RandomSeed;
    for (int d = 0; d < size; ++d) {
      for (int s = 1; s <= n; ++s) {
        const auto kind = static_cast<std::uint64_t>(NextDraw(seed, range));
        batch.low[static_cast<std::size_t>(s)] |= (kind & 1u) << d;
        batch.high[static_cast<std::size_t>(s)] |= (kind >> 1) << d;
      }
      seedAfter[static_cast<std::size_t>(d)] = seed;
    }
    std::uint64_t alive = size == kBatch ? ~std::uint64_t{0} : (std::uint64_t{1} << size) - 1;
    // The rule that failed the last draws goes first: the order changes no verdict.
    const int hint = DrawFailHint;
    if (hint >= 1 && hint <= r)
      alive &= BatchRulePasses(work.lhs[hint], work.rhs[hint], batch, quasi);
    for (int rule = 1; rule <= r && alive != 0; ++rule) {
      if (rule == hint) continue;
      alive &= BatchRulePasses(work.lhs[rule], work.rhs[rule], batch, quasi);
      if (alive == 0) DrawFailHint = rule;
    }
    if (alive != 0) {
      const int d = std::countr_zero(alive);
      RandomSeed = seedAfter[static_cast<std::size_t>(d)];
      for (int s = 1; s <= n; ++s) {
        kinds[static_cast<std::size_t>(s)] =
            static_cast<std::uint8_t>(((batch.low[static_cast<std::size_t>(s)] >> d) & 1u) |
                                      (((batch.high[static_cast<std::size_t>(s)] >> d) & 1u) << 1));
      }
      return true;
    }
    RandomSeed = seedAfter[static_cast<std::size_t>(size - 1)];
  }
  return false;
}

} // namespace selko
