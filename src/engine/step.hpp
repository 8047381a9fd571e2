// One step of an engine proof: what a technique did to a problem, the certificate the checker
// verifies, the text a reader checks by hand, and the problems it left. A technique returns a
// Step and never prints; the strategy checks it and builds the proof from it.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

struct Step {
  std::string technique;            // short name ("matrix interpretation"), for tables
  std::string summary;              // one line for the outline
  std::vector<std::string> details; // every object a reader needs to check the step by hand
  Certificate certificate;
  std::vector<Problem> remaining; // none: this branch is proved (or, for a Loop, disproved)
};

} // namespace selko::engine
