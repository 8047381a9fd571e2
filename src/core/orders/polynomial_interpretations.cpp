// Rule removal by interpretations on the natural numbers: the counting family (x+1 and the
// identity), the tenfold family (10x, x+1 and the identity, read from either end of the Words),
// and, last, the weighted interpretations. The first candidate under which every rule weakly
// decreases and some rule strictly decreases wins; its strictly decreasing rules are removed.
#include <algorithm>

#include "core/orders/rule_evaluation.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

const char* const kHeaderPlain = "Choose polynomial interpretation:";
const char* const kHeaderA =
    "Reverse every lhs and rhs of the system and choose polynomial interpretation:";
const char* const kHeaderB =
    "Reverse every lhs and rhs of the system and choose polynomialinterpretation:";

// What a successor adds to k when e tenfold symbols are applied after it. A sixth tenfold
// symbol overflows its side, so entries past 10^5 are never read.
constexpr std::int32_t kPowerOfTen[kMaxWordLength + 2] = {1, 10, 100, 1000, 10000, 100000};
constexpr int kTenfoldLimit = 5; // tenfold occurrences one side can take (c stays <= 10^5)

// How the candidates of a step range over the symbols.
enum class Range { One, Each, Ascending, Ordered };

Range StepRange(int step) {
  switch (step) {
  case 1: return Range::One;
  case 2:
  case 4:
  case 6:
  case 10: return Range::Each;
  case 3:
  case 5:
  case 9:
  case 11: return Range::Ascending;
  default: return Range::Ordered; // 7, 8, 12
  }
}

// Sets SuccessorSet and TenfoldSet for candidate (s, t) of a step; every symbol outside both
// sets is the identity.
void SetCandidate(int step, int s, int t, int n, std::array<std::uint8_t, kMaxSymbols + 1>& succ,
                  std::array<std::uint8_t, kMaxSymbols + 1>& ten) {
  auto only = [n](std::array<std::uint8_t, kMaxSymbols + 1>& set, int a, int b) {
    std::fill(set.begin(), set.end(), std::uint8_t{0});
    if (a >= 1 && a <= n) set[static_cast<std::size_t>(a)] = 1;
    if (b >= 1 && b <= n) set[static_cast<std::size_t>(b)] = 1;
  };
  auto allBut = [n](std::array<std::uint8_t, kMaxSymbols + 1>& set, int a, int b) {
    std::fill(set.begin(), set.end(), std::uint8_t{0});
    for (int x = 1; x <= n; ++x)
      set[static_cast<std::size_t>(x)] = x != a && x != b ? 1 : 0;
  };
  switch (step) {
  case 1: allBut(succ, 0, 0), only(ten, 0, 0); break;
  case 2: only(succ, s, 0), only(ten, 0, 0); break;
  case 3: only(succ, s, t), only(ten, 0, 0); break;
  case 4: allBut(succ, s, 0), only(ten, 0, 0); break;
  case 5: allBut(succ, s, t), only(ten, 0, 0); break;
  case 6: allBut(succ, s, 0), only(ten, s, 0); break;
  case 7: only(succ, t, 0), only(ten, s, 0); break;
  case 8: allBut(succ, s, t), only(ten, s, 0); break;
  case 9: allBut(succ, s, t), only(ten, s, t); break;
  case 10: only(succ, s, 0), allBut(ten, s, 0); break;
  case 11: only(succ, s, t), allBut(ten, s, t); break;
  default: only(succ, t, 0), allBut(ten, s, t); break; // 12
  }
}

// One side under the tenfold family: the number of tenfold symbols e (so c = 10^e) and k.
// Returns false on an overflow (a sixth tenfold symbol).
inline bool TenfoldSide(const Word& w, const std::uint8_t* cls, bool reversed, int& e,
                        std::int32_t& k) {
  e = 0;
  k = 0;
  if (!reversed) {
    // Innermost is the last position; a successor at p is multiplied by the tenfold symbols at
    // positions 1..p, itself included (its "+1" comes before its own "10x").
    for (int p = 0; p < kMaxWordLength && w[static_cast<std::size_t>(p)] != 0; ++p) {
      const std::uint8_t c = cls[w[static_cast<std::size_t>(p)]];
      if ((c & 2) != 0 && ++e > kTenfoldLimit) return false;
      if ((c & 1) != 0) k += kPowerOfTen[e];
    }
  } else {
    // Innermost is position 1: evaluate as the values arrive.
    for (int p = 0; p < kMaxWordLength && w[static_cast<std::size_t>(p)] != 0; ++p) {
      const std::uint8_t c = cls[w[static_cast<std::size_t>(p)]];
      if ((c & 1) != 0) k += 1;
      if ((c & 2) != 0) {
        if (++e > kTenfoldLimit) return false;
        k *= 10;
      }
    }
  }
  return true;
}

} // namespace

void Prover::PrepareCounting() {
  const RuleTable& t = CurrentTable;
  const int rules = std::clamp(t.ruleCount, 0, kMaxRules);
  std::array<std::int8_t, 256> delta{};
  std::int32_t next = 0;
  for (int r = 1; r <= rules; ++r) {
    CountingStart[static_cast<std::size_t>(r)] = next;
    const Word& l = t.lhs[static_cast<std::size_t>(r)];
    const Word& u = t.rhs[static_cast<std::size_t>(r)];
    for (int p = 0; p < kMaxWordLength && l[static_cast<std::size_t>(p)] != 0; ++p)
      ++delta[l[static_cast<std::size_t>(p)]];
    for (int p = 0; p < kMaxWordLength && u[static_cast<std::size_t>(p)] != 0; ++p)
      --delta[u[static_cast<std::size_t>(p)]];
    // Each symbol once, in the order it is met, and its entry cleared for the next rule.
    auto collect = [&](const Word& w) {
      for (int p = 0; p < kMaxWordLength && w[static_cast<std::size_t>(p)] != 0; ++p) {
        const Symbol s = w[static_cast<std::size_t>(p)];
        if (delta[s] != 0) {
          CountingSymbol[static_cast<std::size_t>(next)] = s;
          CountingDelta[static_cast<std::size_t>(next)] = delta[s];
          ++next;
          delta[s] = 0;
        }
      }
    };
    collect(l);
    collect(u);
  }
  CountingStart[static_cast<std::size_t>(rules) + 1] = next;
  if (rules == 0) CountingStart[1] = 0;
}

bool Prover::CheckCounting() {
  std::array<std::uint8_t, 256> succ{};
  const int n = std::clamp(CurrentTable.symbolCount, 0, kMaxSymbols);
  for (int s = 1; s <= n; ++s)
    succ[static_cast<std::size_t>(s)] = SuccessorSet[s];
  return EvaluateRules(CurrentTable.ruleCount, FailHint, RemoveMark, [&](int r) {
    int d = 0;
    const std::int32_t end = CountingStart[static_cast<std::size_t>(r) + 1];
    for (std::int32_t i = CountingStart[static_cast<std::size_t>(r)]; i < end; ++i) {
      if (succ[CountingSymbol[static_cast<std::size_t>(i)]] != 0)
        d += CountingDelta[static_cast<std::size_t>(i)];
    }
    return d < 0 ? kRuleFails : d == 0 ? kRuleWeak : kRuleStrict;
  });
}

bool Prover::CheckTenfold() {
  std::array<std::uint8_t, 256> cls{};
  const int n = std::clamp(CurrentTable.symbolCount, 0, kMaxSymbols);
  for (int s = 1; s <= n; ++s) {
    cls[static_cast<std::size_t>(s)] =
        static_cast<std::uint8_t>((SuccessorSet[static_cast<std::size_t>(s)] != 0 ? 1 : 0) |
                                  (TenfoldSet[static_cast<std::size_t>(s)] != 0 ? 2 : 0));
  }
  const bool reversed = SearchDirection == Direction::Reversed;
  const RuleTable& t = CurrentTable;
  return EvaluateRules(t.ruleCount, FailHint, RemoveMark, [&](int r) {
    int eL = 0, eR = 0;
    std::int32_t kL = 0, kR = 0;
    if (!TenfoldSide(t.lhs[static_cast<std::size_t>(r)], cls.data(), reversed, eL, kL) ||
        !TenfoldSide(t.rhs[static_cast<std::size_t>(r)], cls.data(), reversed, eR, kR))
      return kRuleFails;
    if (eR != eL) return eR > eL ? kRuleFails : kRuleStrict;
    return kR > kL ? kRuleFails : kR < kL ? kRuleStrict : kRuleWeak;
  });
}

void Prover::SearchInterpretation(InterpretationOutcome& outcome) {
  const int n = std::clamp(CurrentTable.symbolCount, 0, kMaxSymbols);
  const int rules = std::clamp(CurrentTable.ruleCount, 0, kMaxRules);
  FailHint = 0;
  PrepareCounting();
  outcome.found = 0;
  outcome.step = 0;

  // Tries every candidate of one step (both directions for the tenfold steps).
  auto tryStep = [&](int step) {
    const bool tenfold = step >= 6;
    for (int d = 0; d < (tenfold ? 2 : 1); ++d) {
      SearchDirection = d == 0 ? Direction::Plain : Direction::Reversed;
      auto attempt = [&](int s, int t) {
        outcome.step = static_cast<std::uint8_t>(step);
        outcome.s = static_cast<std::uint8_t>(s);
        outcome.t = static_cast<std::uint8_t>(t);
        SetCandidate(step, s, t, n, SuccessorSet, TenfoldSet);
        return tenfold ? CheckTenfold() : CheckCounting();
      };
      switch (StepRange(step)) {
      case Range::One:
        if (attempt(0, 0)) return true;
        break;
      case Range::Each:
        for (int s = 1; s <= n; ++s)
          if (attempt(s, 0)) return true;
        break;
      case Range::Ascending:
        for (int s = 1; s <= n; ++s)
          for (int t = s + 1; t <= n; ++t)
            if (attempt(s, t)) return true;
        break;
      case Range::Ordered:
        for (int s = 1; s <= n; ++s)
          for (int t = 1; t <= n; ++t)
            if (t != s && attempt(s, t)) return true;
        break;
      }
    }
    return false;
  };

  for (int step = 1; step <= 12; ++step) {
    if (TimeUp()) return;
    if (tryStep(step)) {
      outcome.found = 1;
      return;
    }
  }
  if (n < 20 && rules + n < 48 && !TimeUp()) {
    TenfoldSet.fill(0);
    SuccessorSet.fill(0);
    Weights.fill(0);
    outcome.step = 13;
    outcome.s = 0;
    outcome.t = 0;
    outcome.found = FindWeights() ? 1 : 0;
  }
}

void Prover::KeepInterpretation(InterpretationOutcome& outcome) const {
  const int n = std::clamp(CurrentTable.symbolCount, 0, kMaxSymbols);
  const int rules = std::clamp(CurrentTable.ruleCount, 0, kMaxRules);
  outcome.reversed = SearchDirection == Direction::Reversed ? 1 : 0;
  outcome.failHint = FailHint;
  outcome.marks.assign(reinterpret_cast<const char*>(RemoveMark.data()) + 1,
                       static_cast<std::size_t>(rules));
  if (outcome.step == 13) {
    outcome.fourfold.assign(reinterpret_cast<const char*>(TenfoldSet.data()) + 1,
                            static_cast<std::size_t>(n));
    outcome.weights.assign(Weights.begin() + 1, Weights.begin() + 1 + n);
  }
}

void Prover::ReplayInterpretation(const InterpretationOutcome& outcome) {
  const int n = std::clamp(CurrentTable.symbolCount, 0, kMaxSymbols);
  const int rules = std::clamp(CurrentTable.ruleCount, 0, kMaxRules);
  if (outcome.step >= 1 && outcome.step <= 12) {
    SetCandidate(outcome.step, outcome.s, outcome.t, n, SuccessorSet, TenfoldSet);
  } else if (outcome.step == 13) {
    SuccessorSet.fill(0);
    TenfoldSet.fill(0);
    Weights.fill(0);
    for (int s = 1; s <= n && static_cast<std::size_t>(s) <= outcome.weights.size(); ++s) {
      TenfoldSet[static_cast<std::size_t>(s)] =
          static_cast<std::uint8_t>(outcome.fourfold[static_cast<std::size_t>(s) - 1]);
      Weights[static_cast<std::size_t>(s)] = outcome.weights[static_cast<std::size_t>(s) - 1];
    }
  }
  SearchDirection = outcome.reversed != 0 ? Direction::Reversed : Direction::Plain;
  FailHint = outcome.failHint;
  for (int r = 1; r <= rules && static_cast<std::size_t>(r) <= outcome.marks.size(); ++r) {
    RemoveMark[static_cast<std::size_t>(r)] =
        static_cast<std::uint8_t>(outcome.marks[static_cast<std::size_t>(r) - 1]);
  }
}

void Prover::LogInterpretation(const InterpretationOutcome& outcome) {
  if (outcome.step == 13) {
    LogWeights();
    return;
  }
  const RuleTable& table = CurrentTable;
  const int n = std::clamp(table.symbolCount, 0, kMaxSymbols);
  auto name = [&](int s) -> const std::string& { return table.names[static_cast<std::size_t>(s)]; };
  if (outcome.step <= 5) {
    std::string line = "Choose polynomial interpretation  ";
    bool rest = false;
    for (int s = 1; s <= n; ++s) {
      if (SuccessorSet[static_cast<std::size_t>(s)] != 0) {
        line += ' ';
        line += name(s);
      } else {
        rest = true;
      }
    }
    line += ": lambda x.x+1";
    if (rest) line += ",  rest identity";
    LogLine(line);
    return;
  }
  const bool useB = outcome.step >= 9 && outcome.step <= 11;
  LogLine(SearchDirection == Direction::Plain ? kHeaderPlain : useB ? kHeaderB : kHeaderA);
  const std::string& s = name(outcome.s);
  switch (outcome.step) {
  case 6: LogLine(s + ": lambda x.10x,  rest lambda x.x+1"); break;
  case 7:
    LogLine(s + ": lambda x.10x,  " + name(outcome.t) + ": lambda x.x+1" +
            (n > 2 ? ",  rest identity" : ""));
    break;
  case 8:
    LogLine(s + ": lambda x.10x,  " + name(outcome.t) + ": identity, rest lambda x.x+1");
    break;
  case 9: LogLine(s + " and " + name(outcome.t) + ": lambda x.10x, rest lambda x.x+1"); break;
  case 10: LogLine(s + ": lambda x.x+1, rest lambda x.10x"); break;
  case 11: LogLine(s + " and " + name(outcome.t) + ": lambda x.x+1, rest lambda x.10x"); break;
  default:
    LogLine(s + ": identity, " + name(outcome.t) + ": lambda x.x+1, rest lambda x.10x");
    break;
  }
}

} // namespace selko
