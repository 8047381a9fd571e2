// The shared test helpers (SameLines, FillTable, TableRules, ...) built into the command-line
// tests as well.
#include "support/prover_testing.cpp" // NOLINT(bugprone-suspicious-include)
