// The engine reads every problem file as the fixed-capacity readers do: the same rules, the same
// letters in the same order, whatever the format; beyond the capacities it still reads them.
#include <memory>

#include "cli/problem.hpp"
#include "cli_testing.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using clitest::ReadText;

// Each rule as its names separated by blanks, the arrow in between.
std::vector<std::string> Rules(const RuleTable& table) {
  std::vector<std::string> rules;
  for (int r = 1; r <= table.ruleCount; ++r) {
    std::string text;
    auto side = [&](const Word& w) {
      for (int k = 0; k < WordLength(w); ++k)
        text += table.names[w[static_cast<std::size_t>(k)]] + " ";
    };
    side(table.lhs[r]);
    text += table.strict[r] != 0 ? "-> " : "->= ";
    side(table.rhs[r]);
    rules.push_back(text);
  }
  return rules;
}

std::vector<std::string> Rules(const engine::Problem& problem) {
  std::vector<std::string> rules;
  for (const engine::Rule& rule : problem.rules) {
    std::string text;
    for (engine::Letter a : rule.lhs)
      text += problem.names[a] + " ";
    text += rule.strict ? "-> " : "->= ";
    for (engine::Letter a : rule.rhs)
      text += problem.names[a] + " ";
    rules.push_back(text);
  }
  return rules;
}

// The fixed-capacity reading of a prepared problem: the window's readers on its lines, or the
// system read from XML or ARI. Null with error set when refused.
std::unique_ptr<RuleTable> FixedReading(const Problem& problem, std::string& error) {
  if (!problem.error.empty()) {
    error = problem.error;
    return nullptr;
  }
  if (problem.system != nullptr) return std::make_unique<RuleTable>(*problem.system);
  auto prover = testing::MakeProver();
  prover->Input = &problem.lines;
  if (problem.tpdbReader) {
    prover->ReadTpdb();
  } else {
    prover->ReadPlain();
  }
  prover->Input = nullptr;
  error = prover->InputError;
  if (!error.empty()) return nullptr;
  return std::make_unique<RuleTable>(prover->WorkTable);
}

bool IsCapacityRefusal(const std::string& error) {
  for (const char* limit : {"a side has more than 19 symbols", "more than 1000 rules",
                            "more than 100 distinct symbols"}) {
    if (error.find(limit) != std::string::npos) return true;
  }
  return false;
}

TEST(EngineReading, EveryCorpusFileReadsAsTheFixedReadersReadIt) {
  SELKO_NEED_CORPUS(corpus);
  int same = 0;
  int beyond = 0;
  for (const char* folder : {"plain", "tpdb", "xml", "ari"}) {
    for (const auto& entry : clitest::fs::directory_iterator(corpus + "/" + folder)) {
      const std::string path = entry.path().string();
      const Problem problem = PrepareProblem(path, ReadText(path), InputFormat::Auto, false, true);
      ASSERT_NE(problem.engineProblem, nullptr) << path << ": " << problem.engineError;
      std::string error;
      const auto fixed = FixedReading(problem, error);
      if (fixed == nullptr) {
        EXPECT_TRUE(IsCapacityRefusal(error)) << path << ": " << error;
        ++beyond;
        continue;
      }
      ++same;
      EXPECT_EQ(Rules(*problem.engineProblem), Rules(*fixed)) << path;
      const std::vector<std::string> names(fixed->names.begin() + 1,
                                           fixed->names.begin() + fixed->symbolCount + 1);
      EXPECT_EQ(problem.engineProblem->names, names) << path;
    }
  }
  EXPECT_GT(same, 1000);
  EXPECT_GT(beyond, 100);
}

TEST(EngineReading, OnlyAnExtendedPreparationReadsTheEnginesProblem) {
  const Problem fixedOnly = PrepareProblem("p.srs", "ab->ba\n", InputFormat::Auto, false);
  EXPECT_EQ(fixedOnly.engineProblem, nullptr);
  EXPECT_EQ(fixedOnly.engineError, "");

  // The window's box: the engine's TPDB reader on the same text.
  const Problem box =
      PrepareProblem("p.srs", "(RULES ab cd -> cd ab)", InputFormat::Auto, true, true);
  ASSERT_NE(box.engineProblem, nullptr) << box.engineError;
  EXPECT_EQ(Rules(*box.engineProblem), (std::vector<std::string>{"ab cd -> cd ab "}));

  // A refusal of both readers keeps each one's message.
  const Problem malformed = PrepareProblem("p.xml", "<problem/>", InputFormat::Auto, false, true);
  EXPECT_EQ(malformed.error, "no <problem><trs> element");
  EXPECT_EQ(malformed.engineError, "no <problem><trs> element");

  // A binary file is refused before either reader looks at it.
  const Problem binary =
      PrepareProblem("p.srs", std::string("ab\0", 3), InputFormat::Auto, false, true);
  EXPECT_EQ(binary.error, "not a text file: a NUL byte at line 1, column 3");
  EXPECT_EQ(binary.engineProblem, nullptr);
}

} // namespace
} // namespace selko
