// Test helpers for the engine: problems from rule text, and a small reader of the corpus's
// TPDB text files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::testing {

// Rules such as "a b -> b a" or "c ->= " (letters separated by blanks, "->=" for a weak
// rule); letters are numbered in order of first appearance.
Problem MakeProblem(const std::vector<std::string>& rules);

// The problem in a file of the form "(RULES l -> r, l ->= r, ...)"; nothing when unreadable.
std::optional<Problem> ReadTpdbFile(const std::string& path);

// The corpus directory (tests are built with its path).
std::string CorpusDir();

} // namespace selko::engine::testing
