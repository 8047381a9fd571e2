// The engine's TPDB reader: whole files, names of several characters, other sections skipped.
#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"
#include "engine/readers/tpdb_reader.hpp"

namespace selko::engine {
namespace {

using testing::RuleTexts;

TEST(TpdbProblemReader, ReadsTheRulesSectionsAndSkipsTheOthers) {
  struct Case {
    std::string text;
    std::vector<std::string> rules;
  };
  const std::vector<Case> cases = {
      {"(RULES a b -> b a, b c ->= c b)", {"a b -> b a", "b c ->= c b"}},
      {"(VAR x)\n(COMMENT a (nested) comment, -> with arrows)\n(RULES\n  ab cd -> cd ab,\n"
       "  cd->ab\n)\n(STRATEGY FULL)\n",
       {"ab cd -> cd ab", "cd -> ab"}},
      {"(RULES\ta\tb\t->\tb\ta\t)", {"a b -> b a"}},             // tabs are blanks
      {"(RULES a\nb -> b\na)", {"a b -> b a"}},                  // so are line ends
      {"(RULES a -> , -> a,, b->=)", {"a ->", "-> a", "b ->="}}, // empty sides and entries
      {"(RULES a -> b,)", {"a -> b"}},
      {"(RULES a -> b)(COMMENT between)(RULES b -> c)", {"a -> b", "b -> c"}},
      {"(RULES)", {}},
      {"(RULES x_1 f' 0 -> f' x_1)", {"x_1 f' 0 -> f' x_1"}},
  };
  for (const Case& c : cases) {
    Problem problem;
    std::string error;
    ASSERT_TRUE(ReadTpdbProblem(c.text, problem, error)) << c.text << ": " << error;
    EXPECT_EQ(RuleTexts(problem), c.rules) << c.text;
  }
  Problem problem;
  std::string error;
  ASSERT_TRUE(ReadTpdbProblem("(RULES ab cd -> cd ab ef)", problem, error));
  EXPECT_EQ(problem.names, (std::vector<std::string>{"ab", "cd", "ef"}));
  EXPECT_TRUE(problem.rules[0].strict);
}

TEST(TpdbProblemReader, RefusesMalformedTextNamingTheLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"(COMMENT only)\n(VAR x)", "no (RULES section"},
      {"", "no (RULES section"},
      {"(RULES\na b,\nc -> d)", "line 2: a rule without an arrow"},
      {"(RULES\na -> b,\nc -> d", "line 3: no closing ')' before the end of the text"},
      {"(RULES a -> b\n\n", "line 3: no closing ')' before the end of the text"},
      {"(RULES a -", "line 1: no closing ')' before the end of the text"},
      {"(RULES a - b)", "line 1: a '-' that is not followed by '>'"},
      {"(RULES\n a -> b -> c)", "line 2: a '-' inside a right-hand side"},
      {"(RULES a -> b)\nstray text", "line 2: expected '(' and a section such as (RULES ...)"},
      {"(VAR x)\n(COMMENT (unbalanced\n(RULES a -> b)", "line 2: (COMMENT is never closed"},
  };
  for (const Case& c : cases) {
    Problem problem;
    std::string error;
    EXPECT_FALSE(ReadTpdbProblem(c.text, problem, error)) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
  }
}

TEST(TpdbProblemReader, LongSidesAreReadAndOnlyAbuseIsRefused) {
  std::string side;
  for (int i = 0; i < 300; ++i)
    side += " s" + std::to_string(i % 40);
  Problem problem;
  std::string error;
  ASSERT_TRUE(ReadTpdbProblem("(RULES" + side + " ->=" + side + " t)", problem, error)) << error;
  EXPECT_EQ(problem.rules[0].lhs.size(), 300u);
  EXPECT_EQ(problem.rules[0].rhs.size(), 301u);
  EXPECT_FALSE(problem.rules[0].strict);
  EXPECT_EQ(problem.LetterCount(), 41u);

  std::string longest;
  for (std::size_t i = 0; i <= kMaxProblemSide; ++i)
    longest += "a ";
  EXPECT_FALSE(ReadTpdbProblem("(RULES\nb -> a,\n" + longest + "-> b)", problem, error));
  EXPECT_EQ(error, "line 3: a side has more than 100000 symbols");

  std::string many = "(RULES\n";
  for (std::size_t i = 0; i <= kMaxProblemRules; ++i)
    many += "a b -> b a,\n";
  EXPECT_FALSE(ReadTpdbProblem(many + ")", problem, error));
  EXPECT_EQ(error, "line 100002: more than 100000 rules");
}

} // namespace
} // namespace selko::engine
