// Reuse of the deterministic searches: a search answered from the memo leaves the same table,
// lines and state as the search itself; keys tell tables apart exactly; the memos stay bounded.
#include <random>

#include "core/orders/search_memo.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::LogLines;
using testing::MakeProver;

// One of 40 random tables, so that the same table comes back often. Bytes after each
// terminating 0 are drawn afresh each time: they must not matter.
void RandomTable(std::mt19937& rng, RuleTable& t) {
  std::mt19937 shape(static_cast<std::uint32_t>(rng() % 40));
  t.symbolCount = 1 + static_cast<int>(shape() % 3);
  t.ruleCount = static_cast<int>(shape() % 4);
  for (int s = 1; s <= t.symbolCount; ++s)
    t.names[s] = std::string(1, static_cast<char>('a' + s - 1));
  for (int r = 1; r <= t.ruleCount; ++r) {
    t.strict[r] = shape() % 3 != 0 ? 1 : 0;
    for (Word* w : {&t.lhs[r], &t.rhs[r]}) {
      for (auto& byte : *w)
        byte = static_cast<Symbol>(rng() % 4);
      const int length = static_cast<int>(shape() % 5);
      for (int i = 0; i < length; ++i)
        (*w)[i] = static_cast<Symbol>(1 + shape() % t.symbolCount);
      (*w)[length] = 0;
    }
  }
}

// The rules of CurrentTable as text, rule by rule.
std::vector<std::string> CurrentRules(const Prover& p) {
  std::vector<std::string> rules;
  for (int r = 1; r <= p.CurrentTable.ruleCount; ++r)
    rules.push_back(p.FormatRule(r));
  return rules;
}

TEST(SearchReuse, RemovalStepsFromTheMemoMatchFreshSearchesInTableLinesAndState) {
  auto reusing = MakeProver();
  auto fresh = MakeProver();
  fresh->ReuseSearches = 0;
  std::mt19937 rng(1208);
  int calls = 0;
  for (int iteration = 0; iteration < 3000; ++iteration) {
    RandomTable(rng, reusing->CurrentTable);
    fresh->CurrentTable = reusing->CurrentTable;
    const std::uint8_t report = rng() % 2 == 0 ? 1 : 0;
    for (Prover* p : {reusing.get(), fresh.get()}) {
      p->ReportSteps = report;
      p->LogCount = 0;
    }
    // A whole removal loop: each step's table is a key of its own.
    bool removed = true;
    while (removed) {
      removed = reusing->RemoveByInterpretation();
      ASSERT_EQ(fresh->RemoveByInterpretation(), removed) << iteration;
      ++calls;
      ASSERT_EQ(CurrentRules(*reusing), CurrentRules(*fresh)) << iteration;
      const int n = reusing->CurrentTable.symbolCount;
      const int rules = reusing->CurrentTable.ruleCount;
      ASSERT_EQ(reusing->SearchDirection, fresh->SearchDirection) << iteration;
      ASSERT_EQ(reusing->FailHint, fresh->FailHint) << iteration;
      for (int s = 1; s <= n; ++s) {
        ASSERT_EQ(reusing->SuccessorSet[s], fresh->SuccessorSet[s]) << iteration;
        ASSERT_EQ(reusing->TenfoldSet[s], fresh->TenfoldSet[s]) << iteration;
        ASSERT_EQ(reusing->Weights[s], fresh->Weights[s]) << iteration;
      }
      for (int r = 1; r <= rules; ++r)
        ASSERT_EQ(reusing->RemoveMark[r], fresh->RemoveMark[r]) << iteration;
    }
    ASSERT_EQ(LogLines(*reusing), LogLines(*fresh)) << iteration;
  }
  // Most tables came back: the memo answered them.
  EXPECT_LT(reusing->InterpretationMemo.Size() * 10, static_cast<std::size_t>(calls));
  EXPECT_EQ(fresh->InterpretationMemo.Size(), 0u);
}

TEST(SearchReuse, PathOrdersFromTheMemoMatchFreshSearches) {
  auto reusing = MakeProver();
  auto fresh = MakeProver();
  fresh->ReuseSearches = 0;
  std::mt19937 rng(812);
  for (int iteration = 0; iteration < 3000; ++iteration) {
    RandomTable(rng, reusing->CurrentTable);
    fresh->CurrentTable = reusing->CurrentTable;
    const std::uint8_t proved = rng() % 8 == 0 ? 1 : 0; // a proof found before: first attempt only
    for (Prover* p : {reusing.get(), fresh.get()}) {
      p->Proved = proved;
      p->LogCount = 0;
      p->ProveByRpoWithErasure();
      if (p->Proved != 0) p->LogRpoVerdict();
    }
    ASSERT_EQ(reusing->Proved, fresh->Proved) << iteration;
    ASSERT_EQ(reusing->RpoReversed, fresh->RpoReversed) << iteration;
    ASSERT_EQ(reusing->PrecedenceText, fresh->PrecedenceText) << iteration;
    ASSERT_EQ(reusing->PrecedencePairs, fresh->PrecedencePairs) << iteration;
    const int n = reusing->CurrentTable.symbolCount;
    for (int a = 1; a <= n; ++a)
      for (int b = 1; b <= n; ++b)
        ASSERT_EQ(reusing->PrecedenceTable[a][b], fresh->PrecedenceTable[a][b]) << iteration;
    ASSERT_EQ(CurrentRules(*reusing), CurrentRules(*fresh)) << iteration;
    ASSERT_EQ(LogLines(*reusing), LogLines(*fresh)) << iteration;
  }
  EXPECT_LE(reusing->PathOrderMemo.Size(), 40u);
  EXPECT_GT(reusing->PathOrderMemo.Size(), 0u);
}

TEST(SearchReuse, QuickPathOrderVerdictsAgreeWithFullAttempts) {
  auto p = MakeProver();
  std::mt19937 rng(2026);
  int proofs = 0;
  for (int iteration = 0; iteration < 4000; ++iteration) {
    RuleTable& t = p->CurrentTable;
    t.symbolCount = 1 + static_cast<int>(rng() % 4);
    t.ruleCount = static_cast<int>(rng() % 5);
    for (int r = 1; r <= t.ruleCount; ++r) {
      t.strict[r] = rng() % 4 != 0 ? 1 : 0;
      for (Word* w : {&t.lhs[r], &t.rhs[r]}) {
        const int length = static_cast<int>(rng() % 7);
        for (int i = 0; i < length; ++i)
          (*w)[i] = static_cast<Symbol>(1 + rng() % t.symbolCount);
        (*w)[length] = 0;
      }
    }
    for (const bool reversed : {false, true}) {
      const bool quick = p->RpoHolds(reversed);
      p->Proved = 0;
      if (reversed) p->ReverseSystem();
      p->ProveByRpo();
      if (reversed) p->ReverseSystem();
      ASSERT_EQ(quick, p->Proved != 0) << iteration << (reversed ? " reversed" : "");
      proofs += quick ? 1 : 0;
    }
  }
  EXPECT_GT(proofs, 1000);
}

TEST(SearchReuse, KeysSeeExactlyWhatTheSearchesRead) {
  RuleTable a, b;
  testing::FillTable(a, {"a b -> b a", "b ->= "});
  testing::FillTable(b, {"a b -> b a", "b ->= "});
  b.lhs[1][3] = 7; // past the terminating 0
  b.rhs[2][5] = 9;
  b.names[1] = "renamed"; // names only matter for the lines, which are written afresh
  TableKey ka, kb;
  BuildTableKey(a, ka);
  BuildTableKey(b, kb);
  EXPECT_EQ(ka, kb);

  b.strict[2] = 1; // a strict flag
  BuildTableKey(b, kb);
  EXPECT_FALSE(ka == kb);
  b.strict[2] = 0;
  b.symbolCount = 3; // a symbol more changes the candidates
  BuildTableKey(b, kb);
  EXPECT_FALSE(ka == kb);
  b.symbolCount = 2;
  b.rhs[2][0] = 1; // "b ->= a" instead of "b ->= "
  b.rhs[2][1] = 0;
  BuildTableKey(b, kb);
  EXPECT_FALSE(ka == kb);
  // Rules moved from one side to the other are told apart by the terminators.
  RuleTable c, d;
  testing::FillTable(c, {"a b -> a"});
  testing::FillTable(d, {"a -> b a"});
  TableKey kc, kd;
  BuildTableKey(c, kc);
  BuildTableKey(d, kd);
  EXPECT_FALSE(kc == kd);
}

TEST(SearchReuse, MemosStartAgainPastTheirBound) {
  struct Small {
    int value = 0;
    std::size_t HeapBytes() const { return 0; }
  };
  SearchMemo<Small> memo;
  TableKey key;
  for (std::size_t i = 0; i < SearchMemo<Small>::kMaxEntries; ++i) {
    key.bytes = std::to_string(i);
    key.hash = std::hash<std::string>{}(key.bytes);
    memo.Store(key, Small{static_cast<int>(i)});
  }
  EXPECT_EQ(memo.Size(), SearchMemo<Small>::kMaxEntries);
  ASSERT_NE(memo.Find(key), nullptr);
  EXPECT_EQ(memo.Find(key)->value, static_cast<int>(SearchMemo<Small>::kMaxEntries) - 1);
  key.bytes = "one more";
  key.hash = std::hash<std::string>{}(key.bytes);
  memo.Store(key, Small{-1});
  EXPECT_EQ(memo.Size(), 1u);
  EXPECT_EQ(memo.Find(key)->value, -1);

  // Large keys: the byte bound clears long before the entry bound.
  SearchMemo<Small> big;
  key.bytes.assign(std::size_t{1} << 20, 'x');
  for (int i = 0; i < 40; ++i) {
    key.bytes[0] = static_cast<char>(i);
    key.hash = std::hash<std::string>{}(key.bytes);
    big.Store(key, Small{i});
  }
  EXPECT_LT(big.Size(), 32u);
}

} // namespace
} // namespace selko
