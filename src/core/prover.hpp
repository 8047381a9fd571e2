// SELKO's prover: one object holds all proving state, and every technique is a member function
// without arguments that reads and writes that state. This header is the map of the system:
// the tables, the flags and the proof log first, then every technique grouped by subsystem.
// Each technique's body lives in the source file of its subsystem (see the comments).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/loops/ancestor_table.hpp"
#include "core/orders/search_memo.hpp"
#include "core/orders/search_outcomes.hpp"
#include "core/store/rule_table.hpp"

namespace selko {

constexpr int kLogSlots = 999; // stored proof lines; LogCount may count further

// The window's options as they stand when START is pressed.
struct RunOptions {
  bool remLabels = true;                     // "rem.labels"
  bool matchBound = true;                    // "match bnd"
  bool tpdbFormat = false;                   // "tpdb format"
  std::string attemptsText = "100";          // "nr of att:"
  double timeoutSeconds = 0;                 // 0: no deadline; otherwise the run gives up after it
  const std::atomic<bool>* stop = nullptr;   // set from another thread: the run gives up as at
                                             // its deadline, at the next safe point
  const RuleTable* preparedSystem = nullptr; // read by a front end in another format; used in
                                             // place of the window's readers when set
};

enum class Status { Terminating, LoopFound, NoProof, Error };

struct RunResult {
  Status status = Status::NoProof;
  std::vector<std::string> proof; // the lines the result pane shows
  std::string error;              // the message of Status::Error
};

// The status word of the window for a result ("terminating", "loop found", " no proof ").
const char* StatusWord(Status status);

class Prover {
public:
  // One press of START: read the input, run every phase, and return what the window shows.
  // Never throws; refused input and a bad attempts text come back as Status::Error.
  RunResult Run(const std::vector<std::string>& inputLines, const RunOptions& options);

  // ---- Rule and symbol store (store/rule_table.cpp) -------------------------------------------
  RuleTable WorkTable;    // filled by the readers, written by the transformations
  RuleTable CurrentTable; // read and shrunk by the removal techniques, printed by FormatRule
  RuleTable SlotA;        // the system the alternatives of an attempt go back to
  RuleTable SlotB;        // the system exactly as read
  struct {                // CurrentTable's sides saved around the path order's erasure loop
    std::array<Word, kMaxRules + 1> lhs{};
    std::array<Word, kMaxRules + 1> rhs{};
  } PathOrderCopy;
  std::array<std::int32_t, kMaxRules + 1> RuleOrigin{}; // labelled rule -> rule it came from
  std::int32_t AttemptBudget = 0; // labelling attempts; set only in the last phase
  std::string PrecedenceText;     // the precedence the last path-order attempt collected
  std::string PrecedencePairs;    // the same pairs a > b as symbol numbers, two bytes each
  std::uint8_t Proved = 0;        // a termination proof is complete
  std::uint8_t LoopFound = 0;     // a looping derivation was found
  std::uint8_t PlainMode = 0;     // every rule read is strict
  std::uint8_t ReportSteps = 0;   // removal steps are written to the log

  int InternSymbol(const std::string& name); // WorkTable's number for a name, added if new
  void SaveWorkA();                          // WorkTable -> SlotA
  void RestoreWorkA();                       // SlotA -> WorkTable
  void SaveWorkB();                          // WorkTable -> SlotB
  void RestoreWorkB();                       // SlotB -> WorkTable
  void CommitWork();                         // WorkTable -> CurrentTable
  void ReloadWork();                         // CurrentTable -> WorkTable
  void ReverseSystem();                      // reverse every side of CurrentTable in place

  // ---- Rule text and proof log (store/proof_log.cpp) ------------------------------------------
  std::array<std::string, kLogSlots + 1> ProofLog; // slots 1..999
  std::int32_t LogCount = 0;    // lines logged since the last clear or cut-back, dropped ones too
  std::int32_t AttemptMark = 0; // log length where the current attempt began
  std::int32_t HeaderMark = 0;  // log length after the header and the rules read

  std::string FormatRule(int r) const;         // rule r of CurrentTable as one line of text
  void LogLine(const std::string& line = "");  // append a line (dropped past slot 999)
  std::vector<std::string> ShownProof() const; // lines 1..LogCount as the result pane shows them

  // ---- Input readers (readers/) ---------------------------------------------------------------
  const std::vector<std::string>* Input = nullptr; // the input text of the run, line by line
  std::string InputError; // set by a reader that refuses the input; ends the run with an error

  const std::string& InputLine(int k) const; // line k from 0; the empty line past the end
  void ReadPlain();                          // plain_reader.cpp: one-character format
  void ReadTpdb();                           // tpdb_reader.cpp: the rule section of a TPDB text
  void ReadPrepared();                       // prepared_reader.cpp: Options.preparedSystem

  // ---- Proof search driver (driver/) ----------------------------------------------------------
  RunOptions Options; // the options of the run in progress

  void ProofRun();      // proof_run.cpp: the frame of one START, steps 4 to 9
  void PhaseOne();      // phase_order.cpp: core attempt and the four match-bound attempts
  void PhaseTwo();      // phase_order.cpp: loop search
  void LastPhaseRest(); // phase_order.cpp: transformations, budgeted core attempt, left contexts
  void CoreAttempt();   // core_attempt.cpp: labelling driver on R, DP(R), DP(rev(R))
  std::string AttemptsError; // set when the "nr of att:" text is not an integer

  // Deadline of the run in progress (RunOptions::timeoutSeconds and RunOptions::stop). Techniques
  // call TimeUp() at safe points (between attempts, sweeps and passes) and give up as if they
  // had failed.
  std::chrono::steady_clock::time_point Deadline{};
  bool HasDeadline = false;
  bool Interrupted = false;
  bool TimeUp();

  // ---- Orders and interpretations (orders/) ---------------------------------------------------
  // Candidate of the interpretation search; local to one RemoveByInterpretation call.
  enum class Direction : std::uint8_t { Plain, Reversed };
  std::array<std::uint8_t, kMaxSymbols + 1> SuccessorSet{}; // "lambda x.x+1"
  std::array<std::uint8_t, kMaxSymbols + 1> TenfoldSet{};   // "lambda x.10x" (weights: "4x")
  std::array<std::uint8_t, kMaxRules + 1> RemoveMark{};     // strictly decreasing rules
  std::array<std::int64_t, kMaxSymbols + 1> Weights{};      // shifts x+w(s) of step 13
  Direction SearchDirection = Direction::Plain;
  // Per-rule counting data, prepared once per RemoveByInterpretation call: for rule r the
  // entries CountingStart[r]..CountingStart[r+1]-1 hold each symbol whose occurrences differ
  // between the sides, with (occurrences in lhs) - (occurrences in rhs).
  std::array<std::int32_t, kMaxRules + 2> CountingStart{};
  std::array<std::uint8_t, kMaxRules * 2 * kMaxWordLength> CountingSymbol{};
  std::array<std::int8_t, kMaxRules * 2 * kMaxWordLength> CountingDelta{};
  std::int32_t FailHint = 0; // rule that failed the last candidate; evaluators test it first

  bool RemoveByInterpretation(); // removal_step.cpp: one removal step (search, log, remove)
  void PrepareCounting();        // polynomial_interpretations.cpp: fill the counting data
  bool CheckCounting();          // polynomial_interpretations.cpp: counting family
  bool CheckTenfold();           // polynomial_interpretations.cpp: tenfold family
  void RemovalLoop();            // removal_loop.cpp: remove while possible, then the verdict
  bool SearchWeights();          // weighted_interpretations.cpp: step 13 of the search, logged
  bool FindWeights();            // weighted_interpretations.cpp: step 13 without its lines
  void LogWeights();             // weighted_interpretations.cpp: the lines of step 13
  bool CheckWeighted();          // weighted_interpretations.cpp: evaluator of step 13
  // polynomial_interpretations.cpp: steps 1 to 13 on CurrentTable, without lines or removal;
  // the winner (or the last candidate tried) is left in the sets above and named in `outcome`.
  void SearchInterpretation(InterpretationOutcome& outcome);
  void KeepInterpretation(InterpretationOutcome& outcome) const;   // the state the search left
  void ReplayInterpretation(const InterpretationOutcome& outcome); // ... put back
  void LogInterpretation(const InterpretationOutcome& outcome);    // the winner's lines

  // Reuse of the deterministic searches (search_memo.hpp): the interpretation search and the
  // path order with erasure remember their results per table for this Prover's life, and a
  // table met again gets the same state and lines without a search. The counting data above and
  // PathOrderCopy are scratch, which a reused search leaves as they were.
  std::uint8_t ReuseSearches = 1; // 0: every search runs afresh (tests compare both ways)
  TableKey SearchKey;             // the key of the table being searched
  SearchMemo<InterpretationOutcome> InterpretationMemo;
  SearchMemo<PathOrderOutcome> PathOrderMemo;

  std::uint8_t RpoReversed = 0; // the last path-order attempt ran on the reversed system
  std::array<std::array<std::uint8_t, kMaxSymbols + 1>, kMaxSymbols + 1>
      PrecedenceTable{};        // [a][b]: a > b is needed; scratch of one ProveByRpo call
  bool OrientRules();           // path_order.cpp: collect precedence pairs
  void ProveByRpo();            // path_order.cpp: orient and test the pairs for a cycle
  void ProveByRpoBothWays();    // path_order.cpp: on the system, then on its reversal
  void ProveByRpoWithErasure(); // path_order.cpp: and with one symbol erased at a time
  int RunRpoWithErasure();      // path_order.cpp: the same, always searched; the last erased
  bool RpoHolds(bool reversed); // path_order.cpp: ProveByRpo's verdict alone, no state but
  std::int32_t RpoFailHint = 0; // the rule that failed RpoHolds last, tried first next time
  void ReplayPathOrder(const PathOrderOutcome& outcome); // path_order.cpp: a search's result
  void LogRpoVerdict();                                  // path_order.cpp: the verdict lines

  bool AddDependencyPairs(); // dependency_pairs.cpp: false (nothing changed) if refused
  void LogDependencyPairs(); // dependency_pairs.cpp: list CurrentTable as the DP problem

  // ---- Semantic labelling (labelling/) --------------------------------------------------------
  std::uint8_t LabelProgress = 0;  // the last attempt made progress
  std::uint8_t ProvedByRpo = 0;    // the path order gave the proof
  std::uint8_t QuasiModelMode = 0; // attempts look for quasi-models
  std::uint8_t LabelReversed = 0;  // attempts run on the reversed system
  std::uint32_t RandomSeed = 0;    // never reseeded: presses of START continue one sequence
  struct {                         // the labelled system of an attempt as built, before removal
    std::array<Word, kMaxRules + 1> lhs{};
    std::array<Word, kMaxRules + 1> rhs{};
    std::array<std::uint8_t, kMaxRules + 1> strict{};
    std::array<std::int32_t, kMaxRules + 1> origin{};
    std::int32_t ruleCount = 0;
  } LabelledCopy;
  // Whether each interpretation of a small alphabet is a model (a quasi-model), numbered by its
  // kinds in base 4 (3), symbol 1 lowest; kept by LabelSearch for the attempts of one pass.
  static constexpr int kMaxDrawVerdicts = 4096;
  struct DrawVerdictMemo {
    std::array<std::uint8_t, kMaxDrawVerdicts> verdict{}; // 0 unknown, 1 passes, 2 fails
    int size = 0;                                         // interpretations; 0: not in use
    std::uint8_t quasi = 0;                               // the mode the verdicts are for
  } DrawVerdicts;
  std::int32_t DrawFailHint = 0; // WorkTable rule that failed the last draw; checked first

  int RandomBelow(int n); // interpretation_draws.cpp: next draw in 0..n-1
  // interpretation_draws.cpp: an attempt's draws of kinds for WorkTable's symbols, until one
  // is a model (a quasi-model); false when none was.
  bool DrawInterpretation(std::array<std::uint8_t, kMaxSymbols + 1>& kinds);
  static int ApplyInterpretation(int kind, int x); // semantic_labelling.cpp
  void LabelOnce();                                // semantic_labelling.cpp: one random attempt
  void LabelSearch();     // semantic_labelling.cpp: models, then quasi-models
  void LabelBothWays();   // semantic_labelling.cpp: on the system, then reversed
  void LabellingDriver(); // labelling_driver.cpp: removal, path order, labelling
  bool AddLeftContexts(); // left_contexts.cpp: false (nothing changed) if refused

  // ---- Further transformations (transform/) ---------------------------------------------------
  int CountOverlaps(int a, int b) const; // transformation_order.cpp
  void TransformationOrder();            // transformation_order.cpp
  void DummyElimination();               // dummy_elimination.cpp

  // ---- Match bounds (matchbounds/) ------------------------------------------------------------
  void MatchBoundProof();   // match_automaton.cpp: RFC match-bound automaton
  void ExpandEmptyRhs();    // match_preprocessing.cpp: l -> e becomes l a -> a
  bool StripCommonSymbol(); // match_preprocessing.cpp: one-rule systems

  // ---- Loop search (loops/) -------------------------------------------------------------------
  void LoopSearch();           // loop_search.cpp: bounded ancestor graph
  AncestorTable LastAncestors; // final table of the last search (count 0 if it gave up)
  int LoopStart = 0;           // string of it that starts the loop; 0 when none was found
};

} // namespace selko
