// Reading problems in the competition's XML and ARI formats, choosing the format, and
// preparing TPDB text for the window's reader.
#include <memory>

#include "cli/ari_system.hpp"
#include "cli/problem.hpp"
#include "cli/xml_system.hpp"
#include "cli_testing.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using clitest::ReadText;
using testing::FillTable;
using testing::TableRules;

// The rules of a TPDB text, read independently of the readers under test: the text between
// "(RULES" and the closing ')', rules separated by commas.
std::vector<std::string> TpdbRules(const std::string& text) {
  const std::size_t start = text.find("(RULES") + 6;
  const std::size_t end = text.rfind(')');
  std::vector<std::string> rules;
  std::string rule;
  for (std::size_t i = start; i < end; ++i) {
    if (text[i] == ',') {
      rules.push_back(rule);
      rule.clear();
    } else {
      rule += text[i] == '\n' ? ' ' : text[i];
    }
  }
  if (rule.find_first_not_of(' ') != std::string::npos) rules.push_back(rule);
  return rules;
}

bool SideTooLong(const std::string& rule) {
  std::istringstream in(rule);
  std::string token;
  int length = 0;
  while (in >> token) {
    if (token == "->" || token == "->=") {
      length = 0;
    } else if (++length > kMaxWordLength) {
      return true;
    }
  }
  return false;
}

void ExpectSameSystem(const RuleTable& actual, const RuleTable& expected, const std::string& what) {
  EXPECT_EQ(TableRules(actual), TableRules(expected)) << what;
  EXPECT_EQ(actual.symbolCount, expected.symbolCount) << what;
  for (int s = 1; s <= expected.symbolCount; ++s) {
    EXPECT_EQ(actual.names[s], expected.names[s]) << what << ", symbol " << s;
  }
  for (int r = 1; r <= expected.ruleCount; ++r) {
    EXPECT_EQ(actual.strict[r], expected.strict[r]) << what << ", rule " << r;
  }
}

TEST(CorpusFormats, XmlAndAriSamplesGiveTheSystemOfTheirTpdbText) {
  SELKO_NEED_CORPUS(corpus);
  int compared = 0;
  int refused = 0;
  for (const auto& entry : clitest::fs::directory_iterator(corpus + "/xml")) {
    const std::string name = entry.path().stem().string();
    const std::string tpdb = ReadText(corpus + "/tpdb/" + name + ".srs");
    const std::vector<std::string> rules = TpdbRules(tpdb);
    bool tooLong = false;
    for (const std::string& rule : rules)
      tooLong = tooLong || SideTooLong(rule);

    std::string xmlError;
    std::string ariError;
    const auto xml = ReadXmlSystem(ReadText(entry.path().string()), xmlError);
    const auto ari = ReadAriSystem(ReadText(corpus + "/ari/" + name + ".ari"), ariError);
    if (tooLong) {
      ++refused;
      EXPECT_EQ(xml, nullptr) << name;
      EXPECT_EQ(ari, nullptr) << name;
      EXPECT_NE(xmlError.find("a side has more than 19 symbols"), std::string::npos) << xmlError;
      EXPECT_NE(ariError.find("a side has more than 19 symbols"), std::string::npos) << ariError;
      continue;
    }
    ++compared;
    auto expected = std::make_unique<RuleTable>();
    FillTable(*expected, rules);
    ASSERT_NE(xml, nullptr) << name << ": " << xmlError;
    ASSERT_NE(ari, nullptr) << name << ": " << ariError;
    ExpectSameSystem(*xml, *expected, name + ".xml");
    ExpectSameSystem(*ari, *expected, name + ".ari");
  }
  EXPECT_GT(compared, 50);
  EXPECT_GT(refused, 0);
}

TEST(CorpusFormats, WindowTpdbReaderOnThePreparedLinesGivesTheXmlSystem) {
  SELKO_NEED_CORPUS(corpus);
  for (const char* name : {"std-0753", "rel-0142", "std-0396"}) {
    std::string error;
    const auto xml = ReadXmlSystem(ReadText(corpus + "/xml/" + name + ".xml"), error);
    ASSERT_NE(xml, nullptr) << error;
    std::vector<std::string> lines;
    ASSERT_TRUE(TpdbRulesLines(ReadText(corpus + "/tpdb/" + name + ".srs"), lines));
    auto prover = testing::MakeProver();
    prover->Input = &lines;
    prover->ReadTpdb();
    prover->Input = nullptr;
    if (prover->InputError == "the TPDB reader is not built yet") GTEST_SKIP();
    ASSERT_EQ(prover->InputError, "");
    ExpectSameSystem(prover->WorkTable, *xml, name);
  }
}

std::string Xml(const std::string& rules, const std::string& signature = "") {
  return "<?xml version=\"1.0\"?>\n<problem type=\"termination\"><trs><rules>" + rules +
         "</rules><signature>" + signature + "</signature></trs><strategy>FULL</strategy>" +
         "</problem>\n";
}

std::string Unary(const std::vector<std::string>& names, const std::string& variable = "x") {
  std::string term = "<var>" + variable + "</var>";
  for (auto n = names.rbegin(); n != names.rend(); ++n) {
    term = "<funapp><name>" + *n + "</name><arg>" + term + "</arg></funapp>";
  }
  return term;
}

std::string XmlRule(const std::string& lhs, const std::string& rhs) {
  return "<rule><lhs>" + lhs + "</lhs><rhs>" + rhs + "</rhs></rule>";
}

TEST(XmlFormat, ReadsRulesAndWeakRulesKeepingNamesInOrderOfFirstOccurrence) {
  std::string error;
  const std::string weak = "<relrules>" + XmlRule(Unary({}), Unary({"top", "a"})) + "</relrules>";
  const auto inside = ReadXmlSystem(Xml(XmlRule(Unary({"a", "b"}), Unary({"b", "a"})) +
                                        XmlRule(Unary({"b"}, "y"), Unary({}, "y")) + weak),
                                    error);
  ASSERT_NE(inside, nullptr) << error;
  EXPECT_EQ(TableRules(*inside), (std::vector<std::string>{"a b -> b a", "b ->", "->= top a"}));
  EXPECT_EQ(inside->symbolCount, 3);
  EXPECT_EQ(inside->names[3], "top");

  // Weak rules kept beside <rules> come after the strict ones.
  const std::string beside = "<?xml version=\"1.0\"?><problem><trs><rules>" +
                             XmlRule(Unary({"a"}), Unary({"b"})) + "</rules>" + weak +
                             "</trs></problem>";
  const auto after = ReadXmlSystem(beside, error);
  ASSERT_NE(after, nullptr) << error;
  EXPECT_EQ(TableRules(*after), (std::vector<std::string>{"a -> b", "->= top a"}));
}

TEST(XmlFormat, RefusesWhatIsNotUnaryOverOneVariableWithAClearMessage) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string constant = "<funapp><name>a</name><arg><funapp><name>c</name></funapp>"
                               "</arg></funapp>";
  const std::string binary = "<funapp><name>f</name><arg><var>x</var></arg><arg><var>x</var>"
                             "</arg></funapp>";
  const std::vector<Case> cases = {
      {Xml(XmlRule(Unary({"a"}), constant)),
       "rule 1: symbol c is a constant; only unary symbols over one variable can be read"},
      {Xml(XmlRule(Unary({"a"}), Unary({"b"})) + XmlRule(binary, Unary({"a"}))),
       "rule 2: symbol f has 2 arguments; only unary symbols over one variable can be read"},
      {Xml(XmlRule(Unary({"a"}, "x"), Unary({"b"}, "y"))),
       "rule 1: two variables, x and y; only unary symbols over one variable can be read"},
      {Xml(XmlRule(Unary({"a"}), "")), "rule 1: the right-hand side holds no term"},
      {Xml(XmlRule(Unary({"a"}), Unary({"b"})),
           "<funcsym><name>g</name><arity>2</arity></funcsym>"),
       "symbol g has arity 2; only unary symbols over one variable can be read"},
      {"<?xml version=\"1.0\"?>\n<problem><trs>\n<rules><rule></rules></trs></problem>",
       "malformed XML at line 3, column 16: Start-end tags mismatch"},
      {"<?xml version=\"1.0\"?><problem><trs></trs></problem>", "no <rules> element"},
      {"<?xml version=\"1.0\"?><other/>", "no <problem><trs> element"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(ReadXmlSystem(c.text, error), nullptr) << c.text;
    EXPECT_EQ(error, c.message);
  }
}

TEST(XmlFormat, EnforcesTheCapacitiesOfTheRuleTables) {
  std::vector<std::string> twenty(20, "a");
  std::string error;
  EXPECT_EQ(ReadXmlSystem(Xml(XmlRule(Unary({"a"}), Unary(twenty))), error), nullptr);
  EXPECT_EQ(error, "rule 1: a side has more than 19 symbols");

  std::vector<std::string> nineteen(19, "a");
  EXPECT_NE(ReadXmlSystem(Xml(XmlRule(Unary(nineteen), Unary({}))), error), nullptr);

  std::string many;
  for (int s = 1; s <= 101; ++s)
    many += XmlRule(Unary({"s" + std::to_string(s)}), Unary({}));
  EXPECT_EQ(ReadXmlSystem(Xml(many), error), nullptr);
  EXPECT_EQ(error, "rule 101: more than 100 distinct symbols");

  std::string rules;
  for (int r = 1; r <= 1001; ++r)
    rules += XmlRule(Unary({"a"}), Unary({}));
  EXPECT_EQ(ReadXmlSystem(Xml(rules), error), nullptr);
  EXPECT_EQ(error, "more than 1000 rules");
}

TEST(AriFormat, ReadsDeclarationsRulesWeakRulesCommentsAndQuotedNames) {
  const std::string text = "; a comment before the format\n"
                           "(format TRS)\n"
                           "(fun a 1) ; a comment after a form\n"
                           "(fun |b c| 1)\n"
                           "(rule (a (|b c| x)) (|b c| (a x)))\n"
                           "(rule (a y) y :cost 1)\n"
                           "(rule z (a z) :cost 0)\n";
  std::string error;
  const auto system = ReadAriSystem(text, error);
  ASSERT_NE(system, nullptr) << error;
  EXPECT_EQ(TableRules(*system), (std::vector<std::string>{"a b c -> b c a", "a ->", "->= a"}));
  EXPECT_EQ(system->symbolCount, 2);
  EXPECT_EQ(system->names[2], "b c");
  EXPECT_EQ(system->strict[3], 0);
}

TEST(AriFormat, RefusesNonUnarySignaturesAndMalformedTextNamingLineAndColumn) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string head = "(format TRS)\n(fun a 1)\n";
  const std::vector<Case> cases = {
      {head + "(fun f 2)\n",
       "line 3, column 1: symbol f has arity 2; only unary symbols over one variable can be read"},
      {head + "(fun c 0)\n",
       "line 3, column 1: symbol c has arity 0; only unary symbols over one variable can be read"},
      {head + "(rule (a x) a)\n", "line 3, column 13: symbol a is used as a constant; only "
                                  "unary symbols over one variable can be read"},
      {head + "(rule (a x x) x)\n", "line 3, column 8: symbol a is applied to 2 arguments; "
                                    "only unary symbols over one variable can be read"},
      {head + "(rule (a x) (a y))\n", "line 3, column 1: two variables, x and y; only unary "
                                      "symbols over one variable can be read"},
      {head + "(rule (b x) x)\n", "line 3, column 8: undeclared symbol b"},
      {head + "(rule (a x) x\n", "line 3, column 1: '(' is never closed"},
      {head + "(rule (a x) x))\n", "line 3, column 15: ')' without a matching '('"},
      {head + "(rule (a x) x :cost 2)\n",
       "line 3, column 21: a rule's cost must be 0 (weak) or 1 (strict)"},
      {head + "(rule (a x))\n",
       "line 3, column 1: expected (rule LHS RHS) or (rule LHS RHS :cost N)"},
      {head + "(sort S)\n", "line 3, column 1: unknown form (sort ...)"},
      {"(fun a 1)\n(format TRS)\n", "line 1, column 1: the first form must be (format TRS)"},
      {"(format MSTRS)\n", "line 1, column 9: format MSTRS cannot be read; only TRS"},
      {"; nothing but a comment\n", "line 1, column 1: the text holds no (format TRS)"},
      {head + "(fun |a 1)\n", "line 3, column 6: '|' without a closing '|'"},
      {head + std::string(2000, '('), "line 3, column 1001: parentheses nested too deeply"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(ReadAriSystem(c.text, error), nullptr) << c.text;
    EXPECT_EQ(error, c.message);
  }
}

TEST(AriFormat, CapacityRefusalsNameTheRule) {
  std::string text = "(format TRS)\n(fun a 1)\n(rule x ";
  for (int i = 0; i < 20; ++i)
    text += "(a ";
  text += "x" + std::string(20, ')') + ")\n";
  std::string error;
  EXPECT_EQ(ReadAriSystem(text, error), nullptr);
  EXPECT_EQ(error, "line 3, column 1: rule 1: a side has more than 19 symbols");
}

TEST(InputDetection, ChoosesTheFormatByNameAndContent) {
  EXPECT_EQ(DetectInputFormat("p.xml", "anything"), InputFormat::Xml);
  EXPECT_EQ(DetectInputFormat("p", "<?xml version=\"1.0\"?><problem/>"), InputFormat::Xml);
  EXPECT_EQ(DetectInputFormat("p", "; comment\n;another\n  ( format TRS)"), InputFormat::Ari);
  EXPECT_EQ(DetectInputFormat("p.srs", "\n  (VAR x)\n(RULES a -> b)"), InputFormat::Tpdb);
  EXPECT_EQ(DetectInputFormat("p.srs", "ab->ba\n"), InputFormat::Plain);
  EXPECT_EQ(DetectInputFormat("p.srs", "(a->b\n"), InputFormat::Plain); // no (RULES
  EXPECT_EQ(DetectInputFormat("p.srs", "a->b (RULES\n"), InputFormat::Plain);
  EXPECT_EQ(DetectInputFormat("p.srs", ""), InputFormat::Plain);
}

TEST(InputDetection, TpdbTextIsHandedOverFromItsRulesSectionWithTabsAsBlanks) {
  std::vector<std::string> lines;
  ASSERT_TRUE(TpdbRulesLines("(COMMENT Some Sort of text)\n(STRATEGY FULL)\n(RULES\ta\tb -> "
                             "b a,\r\n b ->= a\n)\n",
                             lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"(RULES a b -> b a,", " b ->= a", ")"}));
  EXPECT_FALSE(TpdbRulesLines("(COMMENT no rules)", lines));

  const Problem tpdb =
      PrepareProblem("p.srs", "(COMMENT x)\n(RULES a -> b)", InputFormat::Auto, false);
  EXPECT_TRUE(tpdb.tpdbReader);
  EXPECT_EQ(tpdb.lines, (std::vector<std::string>{"(RULES a -> b)"}));
  EXPECT_EQ(PrepareProblem("p", "a -> b", InputFormat::Tpdb, false).error, "no (RULES section");

  // The window's box takes the text exactly as it is.
  const Problem box =
      PrepareProblem("p.srs", "(COMMENT x)\n(RULES\ta -> b)", InputFormat::Auto, true);
  EXPECT_TRUE(box.tpdbReader);
  EXPECT_EQ(box.lines, (std::vector<std::string>{"(COMMENT x)", "(RULES\ta -> b)"}));
}

TEST(InputDetection, PlainTextReachesTheWindowsReaderUnchanged) {
  const Problem plain = PrepareProblem("p.srs", "ab->ba\r\n\tx\n", InputFormat::Auto, false);
  EXPECT_FALSE(plain.tpdbReader);
  EXPECT_EQ(plain.lines, (std::vector<std::string>{"ab->ba", "\tx"}));
  // The table the window's reader made of these lines is what the prover runs.
  ASSERT_NE(plain.system, nullptr);
  EXPECT_EQ(TableRules(*plain.system), (std::vector<std::string>{"a b -> b a", "\t x ->"}));
  const RunOptions options = ProblemOptions(plain, RunOptions{});
  EXPECT_FALSE(options.tpdbFormat);
  EXPECT_EQ(options.preparedSystem, plain.system.get());
}

TEST(InputDetection, APreparedSystemIsWhatTheProverRuns) {
  const Problem problem = PrepareProblem(
      "p.ari", "(format TRS)\n(fun a 1)\n(fun b 1)\n(rule (a (b x)) (b x))\n(rule x (a x) :cost 0)",
      InputFormat::Auto, false);
  ASSERT_EQ(problem.error, "");
  ASSERT_NE(problem.system, nullptr);
  const RunOptions options = ProblemOptions(problem, RunOptions{});
  EXPECT_EQ(options.preparedSystem, problem.system.get());
  auto prover = testing::MakeProver();
  prover->Run(problem.lines, options);
  EXPECT_EQ(TableRules(prover->SlotB), (std::vector<std::string>{"a b -> b", "->= a"}));
  EXPECT_EQ(prover->PlainMode, 0);
}

} // namespace
} // namespace selko
