// A file is read once, as one system: the fixed-capacity run proves exactly the rules the
// engine reads, the same letters in the same order, whatever the format and however the file
// is laid out; a file the window's readers would read otherwise never reaches that run.
#include <algorithm>
#include <memory>

#include "cli/problem.hpp"
#include "cli/problem_run.hpp"
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

// The table of a prepared problem holds exactly the problem's rules and letters.
void ExpectSameRules(const Problem& problem, const std::string& what) {
  ASSERT_NE(problem.system, nullptr) << what;
  ASSERT_NE(problem.engineProblem, nullptr) << what;
  const RuleTable& fixed = *problem.system;
  EXPECT_EQ(Rules(*problem.engineProblem), Rules(fixed)) << what;
  const std::vector<std::string> names(fixed.names.begin() + 1,
                                       fixed.names.begin() + fixed.symbolCount + 1);
  EXPECT_EQ(problem.engineProblem->names, names) << what;
}

TEST(EngineReading, EveryCorpusFileReadsAsTheFixedReadersReadIt) {
  SELKO_NEED_CORPUS(corpus);
  int same = 0;
  int beyond = 0;
  for (const char* folder : {"plain", "tpdb", "xml", "ari"}) {
    for (const auto& entry : clitest::fs::directory_iterator(corpus + "/" + folder)) {
      const std::string path = entry.path().string();
      const Problem problem = PrepareProblem(path, ReadText(path), InputFormat::Auto, false);
      ASSERT_NE(problem.engineProblem, nullptr) << path << ": " << problem.engineError;
      if (!problem.error.empty()) {
        // Only the capacities refuse a benchmark file: the window's readers never read one
        // otherwise than the engine does.
        EXPECT_TRUE(IsCapacityRefusal(problem.error)) << path << ": " << problem.error;
        ++beyond;
        continue;
      }
      ++same;
      ExpectSameRules(problem, path);
    }
  }
  EXPECT_GT(same, 1000);
  EXPECT_GT(beyond, 100);
}

// The rules of a TPDB file as "lhs -> rhs" texts between "(RULES" and its ')'.
std::vector<std::string> RuleEntries(const std::string& text) {
  const std::size_t start = text.find("(RULES") + 6;
  const std::size_t end = text.find(')', start);
  std::vector<std::string> entries;
  std::string entry;
  for (std::size_t i = start; i <= end; ++i) {
    if (i == end || text[i] == ',') {
      if (entry.find_first_not_of(" \n\r\t") != std::string::npos) entries.push_back(entry);
      entry.clear();
    } else {
      entry += text[i];
    }
  }
  return entries;
}

std::string Joined(const std::vector<std::string>& entries, std::size_t from, std::size_t to,
                   const std::string& separator) {
  std::string text;
  for (std::size_t i = from; i < to; ++i) {
    if (i > from) text += separator;
    text += entries[i];
  }
  return text;
}

// The same rules written in the many ways a TPDB file may hold them.
std::vector<std::string> Variants(const std::vector<std::string>& rules) {
  const std::size_t n = rules.size();
  const std::size_t half = n / 2;
  const std::string all = Joined(rules, 0, n, ",\n  ");
  std::vector<std::string> variants = {
      "(RULES " + all + ")\n",
      "(VAR x y)\n(RULES\n  " + all + "\n)\n(COMMENT after)\n",
      "(COMMENT (nested) parentheses, and an S)\n(RULES " + all + ",)\n",
      "(RULES)\n(RULES " + all + ")\n",
      "(RULES " + all + ")\n(RULES)\n",
      "(RULES " + Joined(rules, 0, half, ", ") + ")\n(COMMENT between)\n(RULES " +
          Joined(rules, half, n, ", ") + ")\n",
      "(RULES " + Joined(rules, 0, half, ",\r\n") + ")\r\n(RULES " +
          Joined(rules, half, n, ",\r\n") + ")\r\n",
      "(STRATEGY FULL)\n(RULES " + Joined(rules, 0, n, ",,\t") + ")",
  };
  for (std::size_t k = 1; k < n && k <= 3; ++k) {
    std::string sections;
    for (std::size_t i = 0; i < n; i += k)
      sections += "(RULES " + Joined(rules, i, std::min(n, i + k), ",") + ")\n";
    variants.push_back(sections);
  }
  return variants;
}

TEST(EngineReading, TheFixedRunProvesOnlyTheRulesTheFileHolds) {
  SELKO_NEED_CORPUS(corpus);
  int kept = 0;
  int refused = 0;
  int files = 0;
  for (const auto& entry : clitest::fs::directory_iterator(corpus + "/tpdb")) {
    if (++files % 7 != 0) continue;
    const std::string path = entry.path().string();
    const Problem original = PrepareProblem(path, ReadText(path), InputFormat::Auto, false);
    ASSERT_NE(original.engineProblem, nullptr) << path;
    const std::vector<std::string> rules = Rules(*original.engineProblem);
    const std::vector<std::string> entries = RuleEntries(ReadText(path));
    ASSERT_EQ(entries.size(), rules.size()) << path;
    for (const std::string& text : Variants(entries)) {
      for (bool box : {false, true}) {
        const Problem variant = PrepareProblem("v.srs", text, InputFormat::Auto, box);
        ASSERT_NE(variant.engineProblem, nullptr) << text << variant.engineError;
        EXPECT_EQ(Rules(*variant.engineProblem), rules) << text;
        if (variant.error.empty()) {
          ++kept;
          ExpectSameRules(variant, text);
        } else {
          ++refused;
          EXPECT_EQ(variant.system, nullptr);
        }
      }
    }
  }
  EXPECT_GT(kept, 100);
  EXPECT_GT(refused, 100);
}

TEST(EngineReading, AFileTheWindowsReaderReadsOtherwiseIsRefusedNamingWhatItSkips) {
  const Problem two = PrepareProblem("two.srs", "(RULES a b -> b a)\n(RULES b a -> a b)\n",
                                     InputFormat::Auto, false);
  EXPECT_EQ(two.error, "the fixed-capacity reader reads the first rule section only: 1 of the "
                       "file's 2 rules; --extended reads the file as written");
  EXPECT_EQ(two.system, nullptr);
  ASSERT_NE(two.engineProblem, nullptr);
  EXPECT_EQ(Rules(*two.engineProblem), (std::vector<std::string>{"a b -> b a ", "b a -> a b "}));

  // A name at a line's end runs into the next line's first name in the window's reader.
  const Problem over = PrepareProblem("p.srs", "(RULES a b\nc -> d)", InputFormat::Auto, false);
  EXPECT_EQ(over.error, "the fixed-capacity reader reads rule 1 as \"a bc -> d\", the file has "
                        "\"a b c -> d\"; --extended reads the file as written");

  // What the engine's reader refuses after the first section refuses the file for both runs.
  const Problem after = PrepareProblem("p.srs", "(RULES a -> b)\nb -> a", InputFormat::Auto, false);
  EXPECT_EQ(after.error, "line 2: expected '(' and a section such as (RULES ...)");
  EXPECT_EQ(after.engineProblem, nullptr);

  // The window's own refusal keeps its message and its line.
  std::string twenty;
  for (int k = 0; k < 20; ++k)
    twenty += "a ";
  const Problem capacity =
      PrepareProblem("p.srs", "(RULES\n" + twenty + "-> b)", InputFormat::Auto, false);
  EXPECT_EQ(capacity.error, "line 2: a side has more than 19 symbols");
}

TEST(EngineReading, TheWindowsBoxAndRefusalsOfBothReaders) {
  // The window's box: the engine's TPDB reader on the same text.
  const Problem box = PrepareProblem("p.srs", "(RULES ab cd -> cd ab)", InputFormat::Auto, true);
  ASSERT_NE(box.engineProblem, nullptr) << box.engineError;
  EXPECT_EQ(Rules(*box.engineProblem), (std::vector<std::string>{"ab cd -> cd ab "}));
  ExpectSameRules(box, "box");

  // A refusal of both readers keeps each one's message.
  const Problem malformed = PrepareProblem("p.xml", "<problem/>", InputFormat::Auto, false);
  EXPECT_EQ(malformed.error, "no <problem><trs> element");
  EXPECT_EQ(malformed.engineError, "no <problem><trs> element");

  // A binary file is refused before either reader looks at it.
  const Problem binary = PrepareProblem("p.srs", std::string("ab\0", 3), InputFormat::Auto, false);
  EXPECT_EQ(binary.error, "not a text file: a NUL byte at line 1, column 3");
  EXPECT_EQ(binary.engineProblem, nullptr);
}

TEST(EngineReading, TheTwoSectionFileLoopsInEveryFrontEnd) {
  clitest::ScratchDir dir;
  const std::string file = dir.Write("two.srs", "(RULES a b -> b a)\n(RULES b a -> a b)\n");
  const clitest::CliRun fixed = clitest::RunCli({"prove", file});
  EXPECT_EQ(fixed.status, 1);
  EXPECT_EQ(clitest::Lines(fixed.out)[0],
            "error: " + file +
                ": the fixed-capacity reader reads the first rule section only: 1 of the file's "
                "2 rules; --extended reads the file as written");
  const clitest::CliRun extended =
      clitest::RunCli({"prove", file, "--extended", "--timeout", "10", "--format", "termcomp"});
  EXPECT_EQ(extended.status, 0) << extended.err;
  EXPECT_EQ(clitest::Lines(extended.out)[0], "NO");
  const clitest::CliRun competition =
      clitest::RunCli({"--timeout=10", "--category=SRS_Standard", file});
  EXPECT_EQ(clitest::Lines(competition.out)[0], "NO") << competition.out;
}

} // namespace
} // namespace selko
