// Helpers shared by the core tests: building systems by hand and comparing proof texts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/prover.hpp"

namespace selko::testing {

// A fresh Prover, as at program start (the object is too large for the stack of a test).
std::unique_ptr<Prover> MakeProver();

// Reads plain-format lines into WorkTable with the plain reader.
void ReadPlainLines(Prover& prover, const std::vector<std::string>& lines);

// Fills a table from rules written with blank-separated names, e.g. "a b -> b a", "c ->= ",
// "-> a". Names are interned in order of first occurrence, left side before right side.
void FillTable(RuleTable& table, const std::vector<std::string>& rules);

// The rules of a table written back in the same notation ("a b -> b a").
std::vector<std::string> TableRules(const RuleTable& table);

// A prover whose WorkTable and CurrentTable both hold `rules`, with an empty log: a system as
// the last phase hands it to the transformations.
std::unique_ptr<Prover> WithSystem(const std::vector<std::string>& rules);

// One removal step with ReportSteps set on CurrentTable filled with `rules`, from an empty log.
bool RemoveOnce(Prover& prover, const std::vector<std::string>& rules);

// The proof log lines 1..LogCount as the result pane would show them.
std::vector<std::string> LogLines(const Prover& prover);

// Compares two texts line by line; on a difference prints both with blanks made visible.
::testing::AssertionResult SameLines(const std::vector<std::string>& actual,
                                     const std::vector<std::string>& expected);

} // namespace selko::testing
