// What the deterministic searches leave behind, in the form the search memos keep it: enough to
// put the prover's state back exactly as the search left it and to write its lines again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace selko {

// One interpretation search (steps 1 to 13) on one table.
struct InterpretationOutcome {
  std::uint8_t found = 0;            // the last candidate tried removes rules
  std::uint8_t step = 0;             // that candidate: step 1..13 (0: none was tried)
  std::uint8_t s = 0;                // its symbols (steps 1..12)
  std::uint8_t t = 0;                //
  std::uint8_t reversed = 0;         // the direction the search ended in
  std::int32_t failHint = 0;         // the evaluators' hint at the end
  std::string marks;                 // RemoveMark[1..rules] at the end
  std::string fourfold;              // step 13: TenfoldSet[1..symbols]
  std::vector<std::int64_t> weights; // step 13: Weights[1..symbols]

  std::size_t HeapBytes() const {
    return marks.capacity() + fourfold.capacity() + weights.capacity() * sizeof(std::int64_t);
  }
};

// One path order attempt with erasure on one table, begun without a proof.
struct PathOrderOutcome {
  std::uint8_t proved = 0;   // some attempt succeeded
  std::uint8_t reversed = 0; // RpoReversed at the end
  std::uint8_t erased = 0;   // the symbol erased by the last attempt (0: the loop never ran)
  std::string pairs;         // the last attempt's precedence pairs a > b, two bytes each

  std::size_t HeapBytes() const { return pairs.capacity(); }
};

} // namespace selko
