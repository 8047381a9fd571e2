// The engine's plain reader: the window's plain syntax without its capacities.
#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"
#include "engine/readers/plain_reader.hpp"

namespace selko::engine {
namespace {

using testing::RuleTexts;

TEST(PlainProblemReader, ReadsTheWindowsSyntaxLetterByLetter) {
  struct Case {
    std::string text;
    std::vector<std::string> rules;
    std::vector<std::string> names; // in order of first occurrence
  };
  const std::vector<Case> cases = {
      {"ab->ba\nbc->cb\n", {"a b -> b a", "b c -> c b"}, {"a", "b", "c"}},
      {"ab->=ba\nba->", {"a b ->= b a", "b a ->"}, {"a", "b"}},
      {"ab->e\nab->bae", {"a b ->", "a b -> b a"}, {"a", "b"}}, // 'e' ends a right side
      {"ea->ae\n", {"e a -> a"}, {"e", "a"}},                   // but is a letter on the left
      {"ab->ba\r\nba->ab\r\n", {"a b -> b a", "b a -> a b"}, {"a", "b"}},
      {"ab->ba\n\nbc->cb\n", {"a b -> b a"}, {"a", "b"}}, // an empty line ends the rules
      {"ab->ba\n cb->bc\n", {"a b -> b a"}, {"a", "b"}},  // so does a leading blank
      {"ab->ba comment\n", {"a b -> b a"}, {"a", "b"}},   // a blank ends the right side
      {"ab > = - ba\n", {"a b ->= b a"}, {"a", "b"}},     // any mix of arrow characters
      {"->a\n", {"-> a"}, {"a"}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    Problem problem;
    std::string error;
    ASSERT_TRUE(ReadPlainProblem(c.text, problem, error)) << c.text << ": " << error;
    EXPECT_EQ(RuleTexts(problem), c.rules) << c.text;
    EXPECT_EQ(problem.names, c.names) << c.text;
  }
}

TEST(PlainProblemReader, LongSidesAndManyLettersAreNoLimit) {
  std::string lhs;
  for (char c = '!'; c <= '~'; ++c)
    if (c != '-' && c != '=' && c != '>') lhs += c; // 91 distinct letters on one side
  const std::string rhs(500, 'x');
  Problem problem;
  std::string error;
  ASSERT_TRUE(ReadPlainProblem(lhs + "->" + rhs + "\nx->\n", problem, error)) << error;
  ASSERT_EQ(problem.rules.size(), 2u);
  EXPECT_EQ(problem.rules[0].lhs.size(), lhs.size());
  EXPECT_EQ(problem.rules[0].rhs, String(500, problem.rules[1].lhs[0]));
  EXPECT_EQ(problem.LetterCount(), lhs.size()); // 'x' is among them
}

TEST(PlainProblemReader, RefusesOnlyAbuseNamingTheLine) {
  std::string many;
  for (std::size_t i = 0; i <= kMaxProblemRules; ++i)
    many += "ab->ba\n";
  Problem problem;
  std::string error;
  EXPECT_FALSE(ReadPlainProblem(many, problem, error));
  EXPECT_EQ(error, "line 100001: more than 100000 rules");

  EXPECT_TRUE(ReadPlainProblem(many.substr(7), problem, error)) << error; // exactly the limit
  EXPECT_EQ(problem.rules.size(), kMaxProblemRules);

  const std::string longest(kMaxProblemSide, 'a');
  EXPECT_TRUE(ReadPlainProblem("b->" + longest + "\n", problem, error)) << error;
  EXPECT_FALSE(ReadPlainProblem("b->a\n" + longest + "a->b\n", problem, error));
  EXPECT_EQ(error, "line 2: a side has more than 100000 symbols");
}

} // namespace
} // namespace selko::engine
