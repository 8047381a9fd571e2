// Rule removal by the counting and tenfold interpretations: the order of the search, the lines
// that name the chosen interpretation, and the removal itself.
#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::RemoveOnce;
using testing::SameLines;
using testing::TableRules;
using Lines = std::vector<std::string>;

struct StepCase {
  const char* what;
  Lines rules;
  Lines log;
  Lines kept;
};

TEST(PolynomialInterpretations, EachStepNamesItsInterpretationExactly) {
  const std::vector<StepCase> cases = {
      {"step 1",
       {"a b -> a"},
       {"Choose polynomial interpretation   a b: lambda x.x+1", "remove: a b  -> a "},
       {}},
      {"step 2",
       {"a a -> a a", "b -> a"},
       {"Choose polynomial interpretation   b: lambda x.x+1,  rest identity", "remove: b  -> a "},
       {"a a -> a a"}},
      {"step 3",
       {"a -> b", "b -> a", "c -> c c", "a b -> c"},
       {"Choose polynomial interpretation   a b: lambda x.x+1,  rest identity",
        "remove: a b  -> c "},
       {"a -> b", "b -> a", "c -> c c"}},
      {"step 4",
       {"a -> b", "b -> c", "c -> a", "d -> d d", "a b c -> d"},
       {"Choose polynomial interpretation   a b c: lambda x.x+1,  rest identity",
        "remove: a b c  -> d "},
       {"a -> b", "b -> c", "c -> a", "d -> d d"}},
      {"step 5",
       {"a -> b", "b -> c", "c -> a", "d -> d d", "e -> e e", "a b c -> d e"},
       {"Choose polynomial interpretation   a b c: lambda x.x+1,  rest identity",
        "remove: a b c  -> d e "},
       {"a -> b", "b -> c", "c -> a", "d -> d d", "e -> e e"}},
      {"step 6 plain",
       {"a b -> b a"},
       {"Choose polynomial interpretation:", "a: lambda x.10x,  rest lambda x.x+1",
        "remove: a b  -> b a "},
       {}},
      {"step 6 reversed",
       {"a b -> b a a", "a b a a -> b a"},
       {"Reverse every lhs and rhs of the system and choose polynomial interpretation:",
        "b: lambda x.10x,  rest lambda x.x+1", "remove: a b  -> b a a ",
        "remove: a b a a  -> b a "},
       {}},
      {"step 7 plain",
       {"a b -> b a", "b c c d -> d b", "d -> d c"},
       {"Choose polynomial interpretation:", "a: lambda x.10x,  b: lambda x.x+1,  rest identity",
        "remove: a b  -> b a "},
       {"b c c d -> d b", "d -> d c"}},
      {"step 7, ordered pairs s outer: (a, c) comes before (b, a), which would also do",
       {"a b c -> a b c", "a c -> c a", "b a -> a b", "c b -> b c"},
       {"Choose polynomial interpretation:", "a: lambda x.10x,  c: lambda x.x+1,  rest identity",
        "remove: a c  -> c a "},
       {"a b c -> a b c", "b a -> a b", "c b -> b c"}},
      {"step 7 reversed",
       {"a b -> b a a", "a -> c d a"},
       {"Reverse every lhs and rhs of the system and choose polynomial interpretation:",
        "b: lambda x.10x,  a: lambda x.x+1,  rest identity", "remove: a b  -> b a a "},
       {"a -> c d a"}},
      {"step 8 plain",
       {"a b -> c a", "c d -> b d d"},
       {"Choose polynomial interpretation:", "a: lambda x.10x,  d: identity, rest lambda x.x+1",
        "remove: a b  -> c a "},
       {"c d -> b d d"}},
      {"step 8 reversed",
       {"a b a -> a a c", "b -> a b a", "c d d -> d b d"},
       {"Reverse every lhs and rhs of the system and choose polynomial interpretation:",
        "d: lambda x.10x,  a: identity, rest lambda x.x+1", "remove: c d d  -> d b d "},
       {"a b a -> a a c", "b -> a b a"}},
      {"step 9 plain",
       {"a -> b", "b c -> c c a"},
       {"Choose polynomial interpretation:", "a and b: lambda x.10x, rest lambda x.x+1",
        "remove: b c  -> c c a "},
       {"a -> b"}},
      {"step 9 reversed",
       {"a -> b", "c b -> a c c"},
       {"Reverse every lhs and rhs of the system and choose polynomialinterpretation:",
        "a and b: lambda x.10x, rest lambda x.x+1", "remove: c b  -> a c c "},
       {"a -> b"}},
      {"step 10 plain",
       {"a b a -> c a", "d b -> b b a", "c -> d"},
       {"Choose polynomial interpretation:", "b: lambda x.x+1, rest lambda x.10x",
        "remove: a b a  -> c a ", "remove: d b  -> b b a "},
       {"c -> d"}},
      {"step 10 reversed",
       {"a b a -> c d b", "a d -> a a", "b c -> a b b"},
       {"Reverse every lhs and rhs of the system and choose polynomialinterpretation:",
        "b: lambda x.x+1, rest lambda x.10x", "remove: a b a  -> c d b ", "remove: b c  -> a b b "},
       {"a d -> a a"}},
      {"step 11 plain",
       {"a b -> c b", "b d b -> e b d", "e c -> a a b"},
       {"Choose polynomial interpretation:", "a and c: lambda x.x+1, rest lambda x.10x",
        "remove: e c  -> a a b "},
       {"a b -> c b", "b d b -> e b d"}},
      {"step 11 reversed",
       {"a -> b", "c d -> a c c", "c e b -> d", "c b -> d e", "e a -> b"},
       {"Reverse every lhs and rhs of the system and choose polynomialinterpretation:",
        "c and e: lambda x.x+1, rest lambda x.10x", "remove: c d  -> a c c ",
        "remove: c e b  -> d ", "remove: c b  -> d e ", "remove: e a  -> b "},
       {"a -> b"}},
      {"step 12 plain",
       {"a b -> b b c", "c -> d a"},
       {"Choose polynomial interpretation:", "d: identity, b: lambda x.x+1, rest lambda x.10x",
        "remove: a b  -> b b c "},
       {"c -> d a"}},
      {"step 12 reversed",
       {"a b -> c a a", "a -> a", "c -> d d b"},
       {"Reverse every lhs and rhs of the system and choose polynomial interpretation:",
        "d: identity, a: lambda x.x+1, rest lambda x.10x", "remove: a b  -> c a a "},
       {"a -> a", "c -> d d b"}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto p = MakeProver();
    ASSERT_TRUE(RemoveOnce(*p, c.rules));
    EXPECT_TRUE(SameLines(LogLines(*p), c.log));
    EXPECT_EQ(TableRules(p->CurrentTable), c.kept);
  }
}

TEST(PolynomialInterpretations, StepOneListsEveryNameWithoutRestWhenNoRuleGrows) {
  auto p = MakeProver();
  ASSERT_TRUE(RemoveOnce(*p, {"a b c -> c a", "b -> b", "c ->= a"}));
  EXPECT_TRUE(SameLines(LogLines(*p), {"Choose polynomial interpretation   a b c: lambda x.x+1",
                                       "remove: a b c  -> c a "}));
  EXPECT_EQ(TableRules(p->CurrentTable), (Lines{"b -> b", "c ->= a"}));

  // One longer right-hand side stops step 1; here step 2 with b alone takes over.
  ASSERT_TRUE(RemoveOnce(*p, {"a b -> a", "a -> a a"}));
  EXPECT_EQ(LogLines(*p)[0], "Choose polynomial interpretation   b: lambda x.x+1,  rest identity");
}

TEST(PolynomialInterpretations, StrictAndRelativeRulesAreRemovedAlike) {
  auto p = MakeProver();
  ASSERT_TRUE(RemoveOnce(*p, {"a a ->= a", "b -> b", "a b -> b"}));
  EXPECT_TRUE(SameLines(LogLines(*p), {"Choose polynomial interpretation   a b: lambda x.x+1",
                                       "remove: a a  ->= a ", "remove: a b  -> b "}));
  EXPECT_EQ(TableRules(p->CurrentTable), (Lines{"b -> b"}));
}

TEST(PolynomialInterpretations, SilentWithoutReportSteps) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a b -> b a"});
  p->ReportSteps = 0;
  ASSERT_TRUE(p->RemoveByInterpretation());
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->CurrentTable.ruleCount, 0);
}

TEST(PolynomialInterpretations, NothingToRemoveLeavesTableAndLogAlone) {
  auto p = MakeProver();
  // Empty table, a single symbol that only grows, and rules that undo each other.
  for (const Lines& rules : {Lines{}, Lines{"a -> a a"}, Lines{"a b -> b a", "b a -> a b"},
                             Lines{"a -> a", "b ->= b"}}) {
    EXPECT_FALSE(RemoveOnce(*p, rules));
    EXPECT_EQ(p->LogCount, 0);
    EXPECT_EQ(TableRules(p->CurrentTable), TableRules([&] {
                RuleTable t;
                FillTable(t, rules);
                return t;
              }()));
  }
}

TEST(PolynomialInterpretations, CompactionKeepsOrderFlagsAndRuleOrigin) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a -> a", "a a -> a", "b ->= b", "a b -> b", "c -> c"});
  for (int r = 1; r <= 5; ++r)
    p->RuleOrigin[r] = 10 * r;
  p->ReportSteps = 0;
  ASSERT_TRUE(p->RemoveByInterpretation());
  EXPECT_EQ(TableRules(p->CurrentTable), (Lines{"a -> a", "b ->= b", "c -> c"}));
  EXPECT_EQ(p->RuleOrigin[1], 10);
  EXPECT_EQ(p->RuleOrigin[2], 30);
  EXPECT_EQ(p->RuleOrigin[3], 50);
  EXPECT_EQ(p->CurrentTable.symbolCount, 3);
}

// Sets the candidate by hand: successors and tenfold symbols by name.
void SetCandidate(Prover& p, const std::string& succ, const std::string& ten, Prover::Direction d) {
  p.SuccessorSet.fill(0);
  p.TenfoldSet.fill(0);
  for (int s = 1; s <= p.CurrentTable.symbolCount; ++s) {
    const std::string& name = p.CurrentTable.names[s];
    if (succ.find(name) != std::string::npos) p.SuccessorSet[s] = 1;
    if (ten.find(name) != std::string::npos) p.TenfoldSet[s] = 1;
  }
  p.SearchDirection = d;
  p.FailHint = 0;
}

TEST(CheckTenfold, StepSixCandidateOrdersTheTwoSwaps) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a b -> b a", "b a -> a b"});
  SetCandidate(*p, "b", "a", Prover::Direction::Plain);
  // a b is 10x+10 and b a is 10x+1: the first rule decreases, the second fails the candidate.
  EXPECT_FALSE(p->CheckTenfold());
  FillTable(p->CurrentTable, {"a b -> b a"});
  EXPECT_TRUE(p->CheckTenfold());
  EXPECT_EQ(p->RemoveMark[1], 1);
  // Read from the other end, a b is 10x+1 and b a is 10x+10.
  p->SearchDirection = Prover::Direction::Reversed;
  EXPECT_FALSE(p->CheckTenfold());
}

TEST(CheckTenfold, SixthTenfoldOccurrenceOverflows) {
  auto p = MakeProver();
  for (const auto d : {Prover::Direction::Plain, Prover::Direction::Reversed}) {
    // Five occurrences: c = 10^5 on the left against 1 on the right, strict.
    FillTable(p->CurrentTable, {"t t t t t -> "});
    SetCandidate(*p, "", "t", d);
    EXPECT_TRUE(p->CheckTenfold());
    // Six fail, though the other side is empty.
    FillTable(p->CurrentTable, {"t t t t t t -> "});
    EXPECT_FALSE(p->CheckTenfold());
    // Without the overflow this rule would decrease (10^6 against 10^5).
    FillTable(p->CurrentTable, {"t t t t t t -> t t t t t"});
    EXPECT_FALSE(p->CheckTenfold());
    // Five on each side compare by their successors.
    FillTable(p->CurrentTable, {"t t t t t s -> t t t t t"});
    SetCandidate(*p, "s", "t", d);
    EXPECT_TRUE(p->CheckTenfold());
  }
}

TEST(CheckTenfold, OverflowedRuleBlocksTheWholeSearchStep) {
  auto p = MakeProver();
  // Plain, b tenfold would order "b a -> a b" first, but the six b's of the second rule
  // overflow; the order comes from the reversed reading with a tenfold.
  ASSERT_TRUE(RemoveOnce(*p, {"b a -> a b", "b b b b b b -> b b b b b b"}));
  EXPECT_TRUE(
      SameLines(LogLines(*p),
                {"Reverse every lhs and rhs of the system and choose polynomial interpretation:",
                 "a: lambda x.10x,  rest lambda x.x+1", "remove: b a  -> a b "}));
}

TEST(CheckCounting, IncreasingRuleFailsAndLaterRulesAreNotLookedAt) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a a -> a", "a -> a a", "a a a -> a"});
  p->PrepareCounting();
  SetCandidate(*p, "a", "", Prover::Direction::Plain);
  p->RemoveMark[3] = 7;
  EXPECT_FALSE(p->CheckCounting());
  EXPECT_EQ(p->RemoveMark[3], 7);

  FillTable(p->CurrentTable, {"a b -> b a", "a a -> a", "b -> b"});
  p->PrepareCounting();
  SetCandidate(*p, "ab", "", Prover::Direction::Plain);
  EXPECT_TRUE(p->CheckCounting());
  EXPECT_EQ(p->RemoveMark[1], 0);
  EXPECT_EQ(p->RemoveMark[2], 1);
  EXPECT_EQ(p->RemoveMark[3], 0);
  SetCandidate(*p, "b", "", Prover::Direction::Plain);
  EXPECT_FALSE(p->CheckCounting()); // every rule weak
}

// ---- A second, plain reading of the search, to compare against on random systems ----

struct Choice {
  bool found = false;
  std::array<std::uint8_t, kMaxSymbols + 1> succ{};
  std::array<std::uint8_t, kMaxSymbols + 1> ten{};
  bool reversed = false;
  std::vector<int> removed;
};

// Evaluates a Word to c*x+k, innermost symbol first; false on an overflow.
bool Evaluate(const Word& w, const Choice& c, bool reversed, long& cf, long& k) {
  const int n = WordLength(w);
  cf = 1;
  k = 0;
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const int s = w[reversed ? i : n - 1 - i];
    if (c.succ[s]) k += 1;
    if (c.ten[s]) {
      if (cf > 10000) {
        ok = false;
      } else {
        cf *= 10;
        k *= 10;
      }
    }
  }
  return ok;
}

bool Try(const RuleTable& t, Choice& c) {
  c.removed.clear();
  for (int r = 1; r <= t.ruleCount; ++r) {
    long cl, kl, cr, kr;
    const bool okL = Evaluate(t.lhs[r], c, c.reversed, cl, kl);
    const bool okR = Evaluate(t.rhs[r], c, c.reversed, cr, kr);
    if (!okL || !okR || cr > cl || (cr == cl && kr > kl)) return false;
    if (cr < cl || kr < kl) c.removed.push_back(r);
  }
  return !c.removed.empty();
}

Choice ReferenceSearch(const RuleTable& t) {
  const int n = t.symbolCount;
  Choice c;
  auto set = [n](std::array<std::uint8_t, kMaxSymbols + 1>& x, bool all, int a, int b) {
    x.fill(0);
    for (int s = 1; s <= n; ++s)
      x[s] = all ? (s != a && s != b) : (s == a || s == b);
  };
  for (int step = 1; step <= 12; ++step) {
    for (int dir = 0; dir < (step >= 6 ? 2 : 1); ++dir) {
      c.reversed = dir == 1;
      for (int s = 0; s <= n; ++s) {
        for (int u = 0; u <= n; ++u) {
          const bool single = step == 2 || step == 4 || step == 6 || step == 10;
          const bool ascending = step == 3 || step == 5 || step == 9 || step == 11;
          if (step == 1   ? (s != 0 || u != 0)
              : single    ? (s == 0 || u != 0)
              : ascending ? (s == 0 || u <= s)
                          : (s == 0 || u == 0 || u == s))
            continue;
          switch (step) {
          case 1: set(c.succ, true, 0, 0), set(c.ten, false, 0, 0); break;
          case 2: set(c.succ, false, s, 0), set(c.ten, false, 0, 0); break;
          case 3: set(c.succ, false, s, u), set(c.ten, false, 0, 0); break;
          case 4: set(c.succ, true, s, 0), set(c.ten, false, 0, 0); break;
          case 5: set(c.succ, true, s, u), set(c.ten, false, 0, 0); break;
          case 6: set(c.succ, true, s, 0), set(c.ten, false, s, 0); break;
          case 7: set(c.succ, false, u, 0), set(c.ten, false, s, 0); break;
          case 8: set(c.succ, true, s, u), set(c.ten, false, s, 0); break;
          case 9: set(c.succ, true, s, u), set(c.ten, false, s, u); break;
          case 10: set(c.succ, false, s, 0), set(c.ten, true, s, 0); break;
          case 11: set(c.succ, false, s, u), set(c.ten, true, s, u); break;
          default: set(c.succ, false, u, 0), set(c.ten, true, s, u); break;
          }
          if (Try(t, c)) {
            c.found = true;
            return c;
          }
        }
      }
    }
  }
  return Choice{};
}

TEST(PolynomialInterpretations, AgreesWithAPlainReadingOfTheSearchOnRandomSystems) {
  auto p = MakeProver();
  std::mt19937 rng(20261208);
  int found = 0;
  for (int iteration = 0; iteration < 4000; ++iteration) {
    RuleTable& t = p->CurrentTable;
    t.symbolCount = 1 + static_cast<int>(rng() % 5);
    t.ruleCount = static_cast<int>(rng() % 5);
    for (int s = 1; s <= t.symbolCount; ++s)
      t.names[s] = std::string(1, 'a' + s - 1);
    for (int r = 1; r <= t.ruleCount; ++r) {
      t.strict[r] = rng() % 4 != 0;
      for (Word* w : {&t.lhs[r], &t.rhs[r]}) {
        const int length = static_cast<int>(rng() % 13);
        for (int i = 0; i < length; ++i)
          (*w)[i] = static_cast<Symbol>(1 + rng() % t.symbolCount);
        (*w)[length] = 0;
      }
    }
    const RuleTable before = t;
    const Choice want = ReferenceSearch(before);
    p->ReportSteps = 0;
    const bool removed = p->RemoveByInterpretation();
    ASSERT_TRUE(want.found ? removed : true) << iteration;
    if (!want.found) {
      // Only the weighted step, which uses no successors, may succeed where steps 1-12 fail.
      for (int s = 1; removed && s <= before.symbolCount; ++s)
        ASSERT_EQ(p->SuccessorSet[s], 0) << iteration;
      continue;
    }
    ++found;
    for (int s = 1; s <= before.symbolCount; ++s) {
      ASSERT_EQ(p->SuccessorSet[s], want.succ[s]) << iteration << " symbol " << s;
      ASSERT_EQ(p->TenfoldSet[s], want.ten[s]) << iteration << " symbol " << s;
    }
    ASSERT_EQ(p->SearchDirection == Prover::Direction::Reversed, want.reversed) << iteration;
    ASSERT_EQ(t.ruleCount, before.ruleCount - static_cast<int>(want.removed.size()));
  }
  EXPECT_GT(found, 1000);
}

} // namespace
} // namespace selko
