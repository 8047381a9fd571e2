// The loop search: ancestor graph, pruning, the loop line and the evidence it leaves.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;

using Lines = std::vector<std::string>;

const char* const kHeader = "SELKO 1.4 is applied to the string rewriting system";
const char* const kLoop = "Non-terminating; looping derivation starting in: ";

// A prover as the proof run leaves it before the loop search: WorkTable holds `rules`, the log
// the header, the rule lines, the empty line and the lines of an earlier attempt.
std::unique_ptr<Prover> BeforeLoopSearch(const Lines& rules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  p->CommitWork();
  p->LogLine(kHeader);
  for (int r = 1; r <= p->CurrentTable.ruleCount; ++r)
    p->LogLine(p->FormatRule(r));
  p->HeaderMark = p->LogCount;
  p->LogLine();
  p->LogLine("Dependency pair transformation:");
  p->AttemptMark = p->LogCount;
  return p;
}

// String k of the final table, one name after the other.
std::string StringText(const Prover& p, int k) {
  std::string out;
  const AncestorTable& t = p.LastAncestors;
  for (int i = 0; i < t.length[k]; ++i)
    out += p.WorkTable.names[t.strings[k][i]];
  return out;
}

TEST(LoopSearch, ABToBABLoopsFromAB) {
  auto p = BeforeLoopSearch({"a b -> b a b"});
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 1);
  EXPECT_TRUE(SameLines(LogLines(*p), {kHeader, "a b  -> b a b ", std::string(kLoop) + "ab"}));
  // a b is its own ancestor: a b -> b a b contains a b.
  EXPECT_EQ(p->LoopStart, 1);
  EXPECT_EQ(p->LastAncestors.ancestor[1][1], 1);
  EXPECT_EQ(p->LastAncestors.alive[1], 1);
  EXPECT_EQ(StringText(*p, 1), "ab");
}

TEST(LoopSearch, TwoStringsThatAreEachOthersAncestors) {
  auto p = BeforeLoopSearch({"a b -> b a", "b a -> a b"});
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 1);
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {kHeader, "a b  -> b a ", "b a  -> a b ", std::string(kLoop) + "ab"}));
  const AncestorTable& t = p->LastAncestors;
  EXPECT_EQ(p->LoopStart, 1);
  EXPECT_EQ(StringText(*p, 2), "ba");
  EXPECT_EQ(t.ancestor[1][2], 1);
  EXPECT_EQ(t.ancestor[2][1], 1);
}

TEST(LoopSearch, ABToBAHasNoLoopAndChangesNothing) {
  auto p = BeforeLoopSearch({"a b -> b a"});
  const Lines before = LogLines(*p);
  const RuleTable work = p->WorkTable;
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 0);
  EXPECT_EQ(p->LoopStart, 0);
  EXPECT_TRUE(SameLines(LogLines(*p), before));
  EXPECT_EQ(testing::TableRules(p->WorkTable), testing::TableRules(work));
  for (int k = 1; k <= p->LastAncestors.count; ++k)
    EXPECT_EQ(p->LastAncestors.alive[k], 0);
}

TEST(LoopSearch, TheHigherCopyOfADuplicateLhsIsNeverAnAncestor) {
  auto p = BeforeLoopSearch({"a b -> b a b", "a b -> a"});
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 1);
  EXPECT_EQ(LogLines(*p).back(), std::string(kLoop) + "ab");
  const AncestorTable& t = p->LastAncestors;
  EXPECT_EQ(StringText(*p, 2), "ab");
  for (int k = 1; k <= t.count; ++k)
    EXPECT_EQ(t.ancestor[2][k], 0) << k;
  EXPECT_EQ(t.alive[2], 0);
  EXPECT_EQ(p->LoopStart, 1);
}

TEST(LoopSearch, EmptyLeftHandSides) {
  {
    // The empty string is its own ancestor: the line ends right after "starting in: ".
    auto p = BeforeLoopSearch({"-> a"});
    p->LoopSearch();
    EXPECT_EQ(p->LoopFound, 1);
    EXPECT_TRUE(SameLines(LogLines(*p), {kHeader, " -> a ", kLoop}));
  }
  {
    // a b is an ancestor of the empty string 2, which is its own ancestor.
    auto p = BeforeLoopSearch({"a b -> b a", "-> a"});
    p->LoopSearch();
    EXPECT_EQ(p->LoopFound, 1);
    EXPECT_TRUE(
        SameLines(LogLines(*p), {kHeader, "a b  -> b a ", " -> a ", std::string(kLoop) + "ab"}));
    EXPECT_EQ(p->LastAncestors.length[2], 0);
    EXPECT_EQ(p->LastAncestors.ancestor[1][2], 1);
    EXPECT_EQ(p->LastAncestors.ancestor[2][2], 1);
  }
}

TEST(LoopSearch, ConcatenatesLongerNamesWithoutSeparator) {
  auto p = BeforeLoopSearch({"foo bar -> bar foo bar"});
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 1);
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {kHeader, "foo bar  -> bar foo bar ", std::string(kLoop) + "foobar"}));
}

TEST(LoopSearch, CutsTheLogBackToTheHeaderEvenPastTheStoredLines) {
  auto p = BeforeLoopSearch({"a -> b a"});
  for (int i = 0; i < 1200; ++i)
    p->LogLine("attempt line");
  p->LoopSearch();
  EXPECT_EQ(p->LogCount, 3);
  EXPECT_TRUE(SameLines(LogLines(*p), {kHeader, "a  -> b a ", std::string(kLoop) + "a"}));
}

TEST(LoopSearch, AnEmptyRhsInsertsTheLhsAndLongStringsAreDropped) {
  // a -> e: a^(k+1) is an ancestor of a^k, up to 19 symbols; no cycle.
  auto p = BeforeLoopSearch({"a -> "});
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 0);
  const AncestorTable& t = p->LastAncestors;
  ASSERT_EQ(t.count, kMaxWordLength);
  for (int k = 1; k <= t.count; ++k) {
    EXPECT_EQ(t.length[k], k);
    EXPECT_EQ(StringText(*p, k), std::string(static_cast<std::size_t>(k), 'a'));
    for (int m = 1; m <= t.count; ++m)
      EXPECT_EQ(t.ancestor[m][k], m == k + 1 ? 1 : 0);
  }
}

TEST(LoopSearch, AFullTableDropsNewStringsAndStillEnds) {
  auto p = BeforeLoopSearch({"a b -> b b a", "b c -> c c b", "c a -> a a c"});
  p->LoopSearch();
  const AncestorTable& t = p->LastAncestors;
  EXPECT_EQ(t.count, kMaxAncestorStrings);
  EXPECT_EQ(p->LoopFound, 0);
}

TEST(LoopSearch, SeedsOnlyTheFirstHundredLeftHandSides) {
  // Rule 101 alone loops, but there is no room for its lhs, and no seed leads to it.
  Lines rules(100, "a -> b");
  rules.push_back("c d -> d c d");
  auto p = BeforeLoopSearch(rules);
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 0);
  EXPECT_EQ(p->LastAncestors.count, 100);

  // Rules past the hundredth still rewrite: a -> a a makes a its own ancestor.
  rules.back() = "a -> a a";
  auto q = BeforeLoopSearch(rules);
  q->LoopSearch();
  EXPECT_EQ(q->LoopFound, 1);
  EXPECT_EQ(LogLines(*q).back(), std::string(kLoop) + "a");
}

TEST(LoopSearch, EveryRecordedEdgeIsARewriteStep) {
  // t ancestor of s must mean: some rule rewrites t in one step to a string that contains s.
  const std::vector<Lines> systems = {
      {"a b -> b a b"},
      {"a b -> b a", "-> a"},
      {"a b -> ", "b -> a b b", "a a -> b"},
      {"a b -> b b a", "b c -> c c b", "c a -> a a c"},
      {"a a b -> b a a b", "b -> a", "a b a -> "},
      {"a b c -> c b a", "c c -> a b c", "b -> c a"},
  };
  auto text = [](const Word& w, int n) { return std::string(w.begin(), w.begin() + n); };
  for (const Lines& rules : systems) {
    auto p = BeforeLoopSearch(rules);
    p->LoopSearch();
    const RuleTable& w = p->WorkTable;
    const AncestorTable& t = p->LastAncestors;
    int edges = 0;
    for (int a = 1; a <= t.count; ++a) {
      for (int b = 1; b <= t.count; ++b) {
        if (t.ancestor[a][b] == 0) continue;
        ++edges;
        const std::string from = text(t.strings[a], t.length[a]);
        const std::string part = text(t.strings[b], t.length[b]);
        bool step = false;
        for (int r = 1; r <= w.ruleCount && !step; ++r) {
          const std::string l = text(w.lhs[r], WordLength(w.lhs[r]));
          const std::string rhs = text(w.rhs[r], WordLength(w.rhs[r]));
          for (std::size_t i = 0; i + l.size() <= from.size() && !step; ++i) {
            if (from.compare(i, l.size(), l) != 0) continue;
            const std::string to = from.substr(0, i) + rhs + from.substr(i + l.size());
            step = to.find(part) != std::string::npos;
          }
        }
        EXPECT_TRUE(step) << rules.front() << ": " << a << " -> " << b;
      }
    }
    EXPECT_GT(edges, 0) << rules.front();
    // The pruned set: every alive string is an ancestor of an alive string.
    for (int k = 1; k <= t.count; ++k) {
      if (t.alive[k] == 0) continue;
      bool keeps = false;
      for (int m = 1; m <= t.count; ++m)
        keeps = keeps || (t.alive[m] != 0 && t.ancestor[k][m]);
      EXPECT_TRUE(keeps) << rules.front() << ": " << k;
    }
  }
}

TEST(LoopSearch, GivesUpWhenTimeIsUp) {
  auto p = BeforeLoopSearch({"a b -> b a b"});
  const Lines before = LogLines(*p);
  p->Interrupted = true;
  p->LoopSearch();
  EXPECT_EQ(p->LoopFound, 0);
  EXPECT_EQ(p->LoopStart, 0);
  EXPECT_EQ(p->LastAncestors.count, 0);
  EXPECT_TRUE(SameLines(LogLines(*p), before));
}

TEST(LoopSearch, ProofRunReportsTheLoopAfterTheHeader) {
  auto p = MakeProver();
  const RunResult result = p->Run({"ab->bab"}, RunOptions{});
  EXPECT_EQ(result.status, Status::LoopFound);
  EXPECT_TRUE(SameLines(result.proof,
                        {"SELKO 1.4 is applied to the string rewriting system", "a b  -> b a b ",
                         "Non-terminating; looping derivation starting in: ab"}));
}

} // namespace
} // namespace selko
