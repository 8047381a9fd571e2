// The looping derivation behind a "loop found": built from the ancestor edges of the loop
// search, every step checked by rewriting before it is shown.
#pragma once

#include <string>
#include <vector>

#include "core/store/rule_table.hpp"

namespace selko {

// The loop search's graph: strings 1..count (index 0 unused) and ancestor[t][s], true when
// string t rewrites in one step to a string that contains string s.
struct AncestorGraph {
  std::vector<std::vector<Symbol>> strings; // strings[1..count], symbols of the searched table
  std::vector<std::vector<bool>> ancestor;  // (count+1) x (count+1)
  int reported = 0;                         // the string the loop line names
  std::vector<std::string> names;           // names[s] of the searched table's symbols
};

struct LoopDerivation {
  bool checked = false;           // every step was checked by rewriting
  std::vector<std::string> lines; // the text to show after the loop line
};

// The derivation from the reported string through the graph's edges, in the rules of `system`
// (the system as read): a string of the cycle is reached and the cycle is followed back to a
// string that contains it again. Without a derivation that passes every check, `checked` is
// false and `lines` holds the one line that says so.
LoopDerivation BuildLoopDerivation(const RuleTable& system, const AncestorGraph& graph);

// The line shown when no checked derivation exists.
extern const char* const kNoDerivationLine;

} // namespace selko
