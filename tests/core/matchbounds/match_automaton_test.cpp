// The RFC match-bound automaton: the proofs it prints, its search order and its limits.
#include <algorithm>
#include <cctype>
#include <memory>

#include "core/matchbounds/match_automaton.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;

using Lines = std::vector<std::string>;

// MatchBoundProof on a WorkTable holding `rules`, with an empty log.
std::unique_ptr<Prover> ProveByMatchBound(const Lines& rules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  p->MatchBoundProof();
  return p;
}

Lines Header(int bound) {
  return {"", "Terminating due to RFC match bound " + std::to_string(bound) + ",",
          "proved by the automaton defined by", "initial state = 1, final state = 2, transitions:"};
}

std::string Edge(int from, int to, const std::string& label) {
  return "from " + std::to_string(from) + " to " + std::to_string(to) + ", label: " + label;
}

// A rule written with one-character symbols, each side a repeated symbol: "c -> d^19".
std::string Repeat(const std::string& lhs, const std::string& symbol, int times) {
  std::string rule = lhs + " ->";
  for (int i = 0; i < times; ++i)
    rule += " " + symbol;
  return rule;
}

Word MakeWord(std::initializer_list<int> symbols) {
  Word w{};
  std::size_t p = 0;
  for (int s : symbols)
    w[p++] = static_cast<Symbol>(s);
  return w;
}

// ---- whole proofs ------------------------------------------------------------------------------

TEST(MatchBoundProof, ProvesABToBAWithBoundOne) {
  auto p = ProveByMatchBound({"a b -> b a"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(
      SameLines(LogLines(*p),
                {"", "Terminating due to RFC match bound 1,", "proved by the automaton defined by",
                 "initial state = 1, final state = 2, transitions:", "from 1 to 3, label: b0",
                 "from 2 to 2, label: #0", "from 3 to 2, label: a0", "from 3 to 4, label: b1",
                 "from 4 to 2, label: a1", "from 4 to 4, label: b1"}));
}

TEST(MatchBoundProof, UnreadableLeftSidesGiveTheStartAutomatonWithBoundZero) {
  auto p = ProveByMatchBound({"a -> b c"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(
      SameLines(LogLines(*p),
                {"", "Terminating due to RFC match bound 0,", "proved by the automaton defined by",
                 "initial state = 1, final state = 2, transitions:", "from 1 to 3, label: b0",
                 "from 2 to 2, label: #0", "from 3 to 2, label: c0"}));
}

TEST(MatchBoundProof, LeavesTheClosureRulesInCurrentTableAndWorkTableAsItWas) {
  auto p = ProveByMatchBound({"a b c -> b", "c a -> c"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(TableRules(p->CurrentTable),
            (Lines{"a b c -> b", "c a -> c", "a # -> b", "a b # -> b", "c # -> c"}));
  EXPECT_EQ(p->CurrentTable.symbolCount, 4);
  EXPECT_EQ(p->CurrentTable.names[4], "#");
  EXPECT_EQ(TableRules(p->WorkTable), (Lines{"a b c -> b", "c a -> c"}));
  EXPECT_EQ(p->WorkTable.symbolCount, 3);
}

TEST(MatchBoundProof, OneSymbolRhsAddsOneTransitionAndNoState) {
  // a b is read along a0 b0 from 1 to 2; b is not readable with label 1, so b1 goes straight
  // from 1 into 2 and the automaton keeps its three states.
  auto p = ProveByMatchBound({"a b -> b", "c -> a b"});
  EXPECT_EQ(p->Proved, 1);
  Lines expected = Header(1);
  for (const std::string& line :
       {Edge(1, 2, "b0"), Edge(1, 3, "a0"), Edge(1, 2, "b1"), Edge(2, 2, "#0"), Edge(3, 2, "b0")})
    expected.push_back(line);
  EXPECT_TRUE(SameLines(LogLines(*p), expected));
}

TEST(MatchBoundProof, FiftyPathsAreProcessedAndAFiftyFirstGivesUp) {
  // Every "c -> a" puts a0 from 1 to 2 into state 1's list; the closure rule a # -> b of
  // "a d -> b" is then read along each of them.
  Lines rules(50, "c -> a");
  rules.push_back("a d -> b");
  auto p = ProveByMatchBound(rules);
  EXPECT_EQ(p->Proved, 1);
  Lines expected = Header(1);
  for (int i = 0; i < 50; ++i)
    expected.push_back(Edge(1, 2, "a0"));
  expected.push_back(Edge(1, 2, "b0"));
  expected.push_back(Edge(1, 2, "b1"));
  expected.push_back(Edge(2, 2, "#0"));
  EXPECT_TRUE(SameLines(LogLines(*p), expected));

  rules.insert(rules.begin(), "c -> a");
  auto q = ProveByMatchBound(rules);
  EXPECT_EQ(q->Proved, 0);
  EXPECT_EQ(q->LogCount, 0);
}

// Rules 1 and 2 give one completion step that adds the chain b1^19 from 1 to 2; the padding
// rules only make the start automaton large (nothing reads c or d). With `padding`
// transitions of padding the start automaton has 21 + padding transitions.
Lines LongChainSystem(int padding) {
  Lines rules = {Repeat("a", "b", 19), "c -> a"};
  for (; padding >= 19; padding -= 19)
    rules.push_back(Repeat("c", "d", 19));
  if (padding > 0) rules.push_back(Repeat("c", "d", padding));
  return rules;
}

TEST(MatchBoundProof, AChainStartingAtTransition800CompletesAndSucceeds) {
  auto p = ProveByMatchBound(LongChainSystem(778)); // start automaton: 799 transitions
  ASSERT_EQ(p->Proved, 1);
  Lines expected = Header(1);
  expected.push_back(Edge(1, 3, "b0"));
  expected.push_back(Edge(1, 2, "a0"));
  for (int i = 0; i < 41; ++i)
    expected.push_back(Edge(1, 21 + 18 * i, "d0"));
  expected.push_back(Edge(1, 758, "b1"));
  expected.push_back(Edge(2, 2, "#0"));
  for (int s = 3; s <= 20; ++s)
    expected.push_back(Edge(s, s == 20 ? 2 : s + 1, "b0"));
  for (int i = 0; i < 41; ++i) {
    const int last = i < 40 ? 38 + 18 * i : 757; // the 41st chain reads d^18
    for (int s = 21 + 18 * i; s <= last; ++s)
      expected.push_back(Edge(s, s == last ? 2 : s + 1, "d0"));
  }
  for (int s = 758; s <= 775; ++s)
    expected.push_back(Edge(s, s == 775 ? 2 : s + 1, "b1"));
  EXPECT_EQ(expected.size(), 4u + 818u);
  EXPECT_TRUE(SameLines(LogLines(*p), expected));
}

TEST(MatchBoundProof, AStepWhoseFirstTransitionIs801GivesUpSilently) {
  auto p = ProveByMatchBound(LongChainSystem(779)); // start automaton: 800 transitions
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->LogCount, 0);
}

TEST(MatchBoundProof, SystemsWithoutAMatchBoundGiveUpSilently) {
  // Looping systems, and a terminating one whose heights grow without bound.
  for (const Lines& rules :
       {Lines{"a -> a"}, Lines{"a b -> b a", "b a -> a b"}, Lines{"a b -> b a a b"},
        Lines{"b a -> a b", "c b -> b c", "c a -> a c"}}) {
    auto p = ProveByMatchBound(rules);
    EXPECT_EQ(p->Proved, 0) << rules[0];
    EXPECT_EQ(p->LogCount, 0) << rules[0];
  }
}

// ---- soundness of the printed automata ---------------------------------------------------------

struct Edge3 {
  int from, to, label;
  std::string name;
};

// Reads the transitions back from a proof text.
std::vector<Edge3> ReadEdges(const Lines& proof) {
  std::vector<Edge3> edges;
  for (std::size_t i = 4; i < proof.size(); ++i) {
    const std::string& line = proof[i];
    const std::size_t to = line.find(" to ");
    const std::size_t comma = line.find(", label: ");
    std::string label = line.substr(comma + 9);
    std::size_t digits = label.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(label[digits - 1])))
      --digits;
    edges.push_back({std::stoi(line.substr(5, to - 5)),
                     std::stoi(line.substr(to + 4, comma - to - 4)),
                     std::stoi(label.substr(digits)), label.substr(0, digits)});
  }
  return edges;
}

// Every way of reading `word` from `state`: (end state, smallest label).
void Read(const std::vector<Edge3>& edges, const std::vector<std::string>& word, std::size_t j,
          int state, int lowest, std::vector<std::pair<int, int>>& ends) {
  if (j == word.size()) {
    ends.push_back({state, lowest});
    return;
  }
  for (const Edge3& e : edges) {
    if (e.from == state && e.name == word[j])
      Read(edges, word, j + 1, e.to, std::min(lowest, e.label), ends);
  }
}

bool ReadsWithLabel(const std::vector<Edge3>& edges, const std::vector<std::string>& word,
                    std::size_t j, int state, int label, int into) {
  if (j == word.size()) return state == into;
  for (const Edge3& e : edges) {
    if (e.from == state && e.name == word[j] && e.label == label &&
        ReadsWithLabel(edges, word, j + 1, e.to, label, into))
      return true;
  }
  return false;
}

std::vector<std::string> Names(const RuleTable& t, const Word& w) {
  std::vector<std::string> out;
  for (int p = 0; p < WordLength(w); ++p)
    out.push_back(t.names[w[static_cast<std::size_t>(p)]]);
  return out;
}

// Checks a success text against the extended system left in CurrentTable: every rhs is read
// from 1 to 2 with label 0, # loops on 2, and wherever a lhs is read with smallest label m its
// rhs is read between the same states with label m + 1; the bound is the largest label.
::testing::AssertionResult Compatible(const Prover& p) {
  const Lines proof = LogLines(p);
  if (p.Proved != 1 || proof.size() < 5) return ::testing::AssertionFailure() << "no proof";
  const std::vector<Edge3> edges = ReadEdges(proof);
  const RuleTable& t = p.CurrentTable;
  int states = 2, top = 0;
  for (const Edge3& e : edges)
    states = std::max({states, e.from, e.to}), top = std::max(top, e.label);
  if (proof[1] != "Terminating due to RFC match bound " + std::to_string(top) + ",")
    return ::testing::AssertionFailure() << "bound is not the largest label";
  if (!ReadsWithLabel(edges, {"#"}, 0, 2, 0, 2)) return ::testing::AssertionFailure() << "no #";
  for (int r = 1; r <= p.WorkTable.ruleCount; ++r) {
    if (!ReadsWithLabel(edges, Names(t, p.WorkTable.rhs[static_cast<std::size_t>(r)]), 0, 1, 0, 2))
      return ::testing::AssertionFailure() << "rhs of rule " << r << " not accepted";
  }
  for (int r = 1; r <= t.ruleCount; ++r) {
    const auto lhs = Names(t, t.lhs[static_cast<std::size_t>(r)]);
    const auto rhs = Names(t, t.rhs[static_cast<std::size_t>(r)]);
    for (int s = 1; s <= states; ++s) {
      std::vector<std::pair<int, int>> ends;
      Read(edges, lhs, 0, s, 1 << 30, ends);
      for (const auto& [f, m] : ends) {
        if (!ReadsWithLabel(edges, rhs, 0, s, m + 1, f))
          return ::testing::AssertionFailure() << "rule " << r << " from " << s << " to " << f;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(MatchBoundProof, PrintedAutomataAreCompatibleWithTheExtendedSystem) {
  for (const Lines& rules :
       {Lines{"a b -> b a"}, Lines{"a a b b -> b b b a a a"}, Lines{"a b -> b b a"},
        Lines{"a a -> a"}, Lines{"a b -> b a", "a a -> a", "a b -> b"},
        Lines{"a b c -> c b a", "c c -> b"}, Lines{"a b -> b c", "c b -> a"},
        Lines{"a b a -> b a b"}, Lines{"a b -> b a", "b c -> c b"},
        Lines{"a b -> b", "c -> a b"}}) {
    auto p = ProveByMatchBound(rules);
    EXPECT_TRUE(Compatible(*p)) << rules[0];
  }
}

// ---- refusals
// ------------------------------------------------------------------------------------

TEST(MatchBoundProof, RefusesEmptySidesWithoutTouchingAnything) {
  for (const Lines& rules : {Lines{"-> a"}, Lines{"a b -> b a", "a ->"}, Lines{"->"}}) {
    auto p = MakeProver();
    FillTable(p->WorkTable, rules);
    FillTable(p->CurrentTable, {"x -> y"});
    p->LogCount = 3;
    p->MatchBoundProof();
    EXPECT_EQ(p->Proved, 0);
    EXPECT_EQ(p->LogCount, 3);
    EXPECT_EQ(TableRules(p->CurrentTable), Lines{"x -> y"});
  }
}

TEST(MatchBoundProof, RefusesASystemWithoutRoomForTheClosureSymbol) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a -> b c"});
  for (int s = 4; s <= kMaxSymbols; ++s)
    p->WorkTable.names[static_cast<std::size_t>(s)] = "x";
  p->WorkTable.symbolCount = kMaxSymbols - 1;
  p->MatchBoundProof();
  EXPECT_EQ(p->Proved, 1); // 99 symbols: # is symbol 100
  EXPECT_EQ(p->CurrentTable.names[kMaxSymbols], "#");

  auto q = MakeProver();
  FillTable(q->WorkTable, {"a -> b c"});
  q->WorkTable.symbolCount = kMaxSymbols;
  q->MatchBoundProof();
  EXPECT_EQ(q->Proved, 0);
  EXPECT_EQ(q->LogCount, 0);
}

TEST(MatchBoundProof, RefusesWhenTheClosureRulesWouldNotFit) {
  // Each rule has a lhs of 19 symbols and so 18 closure rules: 52 rules make 988, 53 make 1007.
  const std::string rule = "a b c d e f g h i j k l m n o p q r s -> t";
  auto p = ProveByMatchBound(Lines(52, rule));
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->CurrentTable.ruleCount, 52 * 19);
  auto q = ProveByMatchBound(Lines(53, rule));
  EXPECT_EQ(q->Proved, 0);
  EXPECT_EQ(q->LogCount, 0);
}

TEST(MatchBoundProof, RefusesAStartAutomatonBeyondTheCapacity) {
  // 1 + 52 * 19 + 10 = 999 transitions fit; one symbol more does not.
  Lines rules(52, Repeat("c", "d", 19));
  rules.push_back(Repeat("c", "d", 10));
  auto p = ProveByMatchBound(rules);
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->LogCount, 4 + 999);
  rules.back() = Repeat("c", "d", 11);
  auto q = ProveByMatchBound(rules);
  EXPECT_EQ(q->Proved, 0);
  EXPECT_EQ(q->LogCount, 0);
}

TEST(MatchBoundProof, GivesUpAtOnceWhenTheRunIsOutOfTime) {
  auto p = MakeProver();
  FillTable(p->WorkTable, {"a b -> b a"});
  p->Interrupted = true; // the first sweep runs, the second one is not started
  p->MatchBoundProof();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->LogCount, 0);

  auto q = MakeProver();
  FillTable(q->WorkTable, {"a -> b c"});
  q->Interrupted = true; // a first sweep that adds nothing already completes the proof
  q->MatchBoundProof();
  EXPECT_EQ(q->Proved, 1);
}

// ---- the steps on hand-built automata
// ------------------------------------------------------------

// States 1..n and no transitions.
std::unique_ptr<MatchAutomaton> Automaton(int states) {
  auto m = std::make_unique<MatchAutomaton>();
  for (int s = 0; s < states; ++s)
    m->AddState();
  return m;
}

TEST(MatchAutomatonSteps, FindLhsPathsFollowsTheListsDepthFirst) {
  auto m = Automaton(5);
  const Symbol a = 1, b = 2;
  m->AddTransition(1, 3, a, 0); // 1
  m->AddTransition(1, 5, a, 2); // 2: dead end, no b leaves 5
  m->AddTransition(1, 4, a, 1); // 3
  m->AddTransition(3, 2, b, 0); // 4
  m->AddTransition(4, 2, b, 3); // 5
  m->AddTransition(3, 4, b, 1); // 6
  m->AddTransition(1, 2, b, 0); // 7
  m->FindLhsPaths(1, MakeWord({a, b}));
  EXPECT_FALSE(m->giveUp);
  ASSERT_EQ(m->pathCount, 3);
  ASSERT_EQ(m->pathLength, 2);
  EXPECT_EQ(m->paths[0][0], 1);
  EXPECT_EQ(m->paths[0][1], 4);
  EXPECT_EQ(m->paths[1][0], 1);
  EXPECT_EQ(m->paths[1][1], 6);
  EXPECT_EQ(m->paths[2][0], 3);
  EXPECT_EQ(m->paths[2][1], 5);
  m->FindLhsPaths(2, MakeWord({a, b}));
  EXPECT_EQ(m->pathCount, 0);
}

TEST(MatchAutomatonSteps, FindLhsPathsStopsAtAFiftyFirstPath) {
  auto m = Automaton(2);
  for (int i = 0; i < 50; ++i)
    m->AddTransition(1, 2, 1, i);
  m->FindLhsPaths(1, MakeWord({1}));
  EXPECT_FALSE(m->giveUp);
  EXPECT_EQ(m->pathCount, 50);
  EXPECT_EQ(m->paths[49][0], 50);
  m->AddTransition(1, 2, 1, 0);
  m->FindLhsPaths(1, MakeWord({1}));
  EXPECT_TRUE(m->giveUp);
}

TEST(MatchAutomatonSteps, DeadEndsCostNothingWhereTheyWouldMultiply) {
  // Three a-loops on state 1 and no b: reading a^18 b would otherwise try 3^18 prefixes.
  auto m = Automaton(2);
  for (int i = 0; i < 3; ++i)
    m->AddTransition(1, 1, 1, i);
  Word lhs{};
  for (std::size_t p = 0; p < 18; ++p)
    lhs[p] = 1;
  lhs[18] = 2;
  m->FindLhsPaths(1, lhs);
  EXPECT_EQ(m->pathCount, 0);
  EXPECT_FALSE(m->giveUp);
  // With the same loops a^5 has 3^5 paths: the search gives up.
  m->FindLhsPaths(1, MakeWord({1, 1, 1, 1, 1}));
  EXPECT_TRUE(m->giveUp);
}

TEST(MatchAutomatonSteps, MakeCompatibleReusesTheHighestNumberedState) {
  auto m = Automaton(6);
  const Symbol a = 1, b = 2, c = 3;
  m->AddTransition(1, 2, c, 0); // 1: the lhs path
  m->AddTransition(3, 2, a, 1); // 2: state 3 reads a with label 1 into 2
  m->AddTransition(4, 2, a, 1); // 3: so does state 4
  m->AddTransition(5, 2, a, 0); // 4: wrong label
  m->AddTransition(6, 3, a, 1); // 5: wrong end state
  m->FindLhsPaths(1, MakeWord({c}));
  ASSERT_EQ(m->pathCount, 1);
  m->MakeCompatible(0, 1, MakeWord({b, a}));
  ASSERT_EQ(m->transitionCount, 6);
  EXPECT_EQ(m->stateCount, 6);
  EXPECT_EQ(m->target[6], 4);
  EXPECT_EQ(m->symbol[6], b);
  EXPECT_EQ(m->label[6], 1);
  EXPECT_EQ(m->next[1], 6); // appended to state 1's list
  EXPECT_EQ(m->bound, 1);
  EXPECT_TRUE(m->TraceRhs(1, MakeWord({b, a}), 0, 1, 2));
}

TEST(MatchAutomatonSteps, MakeCompatibleBuildsAChainThroughFreshStates) {
  auto m = Automaton(2);
  const Symbol a = 1, b = 2, c = 3;
  m->AddTransition(1, 2, c, 2);
  m->AddTransition(1, 2, a, 1); // a with label 3 is needed; this one does not count
  m->FindLhsPaths(1, MakeWord({c}));
  m->MakeCompatible(0, 1, MakeWord({a, b, a}));
  ASSERT_EQ(m->transitionCount, 5);
  ASSERT_EQ(m->stateCount, 4);
  EXPECT_EQ(m->bound, 3);
  const int expected[][4] = {{3, 3, a, 3}, {4, 4, b, 3}, {5, 2, a, 3}};
  for (const auto& e : expected) {
    EXPECT_EQ(m->target[static_cast<std::size_t>(e[0])], e[1]);
    EXPECT_EQ(m->symbol[static_cast<std::size_t>(e[0])], e[2]);
    EXPECT_EQ(m->label[static_cast<std::size_t>(e[0])], e[3]);
  }
  EXPECT_EQ(m->first[3], 4);
  EXPECT_EQ(m->first[4], 5);
  EXPECT_EQ(m->next[2], 3);
  // Now readable: a second call adds nothing.
  m->MakeCompatible(0, 1, MakeWord({a, b, a}));
  EXPECT_EQ(m->transitionCount, 5);
}

// An automaton of exactly `transitions` transitions: the lhs path c0 from 1 to 2 and filler.
std::unique_ptr<MatchAutomaton> Filled(int transitions) {
  auto m = Automaton(3);
  m->AddTransition(1, 2, 3, 0);
  while (m->transitionCount < transitions)
    m->AddTransition(3, 3, 4, 0);
  m->FindLhsPaths(1, MakeWord({3}));
  return m;
}

TEST(MatchAutomatonSteps, OnlyAFirstNewTransitionAbove800GivesUpAndTheChainIsCompleted) {
  auto atLimit = Filled(799);
  atLimit->MakeCompatible(0, 1, MakeWord({1, 2, 1}));
  EXPECT_FALSE(atLimit->giveUp);
  EXPECT_EQ(atLimit->transitionCount, 802);

  auto above = Filled(800);
  above->MakeCompatible(0, 1, MakeWord({1, 2, 1}));
  EXPECT_TRUE(above->giveUp);
  EXPECT_EQ(above->transitionCount, 803);
  EXPECT_EQ(above->target[803], 2);

  auto reuse = Filled(800);
  reuse->AddTransition(3, 2, 2, 1); // 801: state 3 reads the rest of the rhs
  reuse->MakeCompatible(0, 1, MakeWord({1, 2}));
  EXPECT_TRUE(reuse->giveUp);
  EXPECT_EQ(reuse->transitionCount, 802);
  EXPECT_EQ(reuse->target[802], 3);
}

TEST(MatchAutomatonSteps, AStepThatWouldPassTheCapacityAddsNothing) {
  auto m = Filled(990);
  Word rhs{};
  for (std::size_t p = 0; p < 19; ++p)
    rhs[p] = 1;
  m->MakeCompatible(0, 1, rhs);
  EXPECT_TRUE(m->giveUp);
  EXPECT_EQ(m->transitionCount, 990);
}

} // namespace
} // namespace selko
