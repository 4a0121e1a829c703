#include <gtest/gtest.h>

#include "viewer/script/ScriptParser.h"

namespace {

using namespace viewer::script;

std::vector<ScriptCommand> Parsed(const std::string& text) {
  auto parsed = ParseScript(text);
  if (const auto* error = std::get_if<ScriptParseError>(&parsed)) {
    ADD_FAILURE() << "line " << error->line << ": " << error->reason;
    return {};
  }
  return std::get<std::vector<ScriptCommand>>(parsed);
}

TEST(ScriptParser, CommandsCommentsAndQuotedArguments) {
  const auto commands = Parsed(
      "# a comment line\n"
      "\n"
      "open \"my file.pdf\" hidden   # trailing comment\n"
      "menu Zolt:MarkUp_Content\n"
      "  click 10 20 1 2\n"
      "dialog Zolt:Properties\n"
      "  set 14 \"Name with \\\"quotes\\\" # not a comment\"\n"
      "  check 5 1\n"
      "  select 4 3.12\n"
      "  press 1\n"
      "end\n"
      "key tab 1\n");
  ASSERT_EQ(commands.size(), 5u);
  EXPECT_EQ(commands[0].line, 3);
  EXPECT_EQ(commands[0].args, (std::vector<std::string>{"my file.pdf", "hidden"}));
  EXPECT_EQ(commands[2].args, (std::vector<std::string>{"10", "20", "1", "2"}));
  const ScriptDialogBlock& block = commands[3].dialog;
  EXPECT_EQ(block.dialogName, "Zolt:Properties");
  EXPECT_EQ(block.lineNumber, 6);
  ASSERT_EQ(block.lines.size(), 4u);
  EXPECT_EQ(block.lines[0].argument, "Name with \"quotes\" # not a comment");
  EXPECT_EQ(block.lines[0].lineNumber, 7);
  EXPECT_EQ(block.lines[2].argument, "3.12");
  EXPECT_EQ(block.lines[3].verb, "press");
  EXPECT_EQ(commands[4].line, 12);
}

TEST(ScriptParser, BadLinesNameTheirLineAndReason) {
  struct Case {
    const char* script;
    int line;
    const char* reason;
  };
  const Case cases[] = {
      {"fly 1\n", 1, "unknown command \"fly\""},
      {"\n\npage\n", 3, "page takes 1 argument"},
      {"page 0\n", 1, "page needs a number from 1 on"},
      {"click 1\n", 1, "click takes 2 to 4 arguments"},
      {"click 1 two\n", 1, "\"two\" is not a whole number"},
      {"zoom -5\n", 1, "zoom needs a percentage above 0"},
      {"key escape\n", 1, "unknown key \"escape\""},
      {"pick-color 0 0 70000\n", 1, "colour components are 0 to 65535"},
      {"open a.pdf shown\n", 1, "open PATH takes only \"hidden\" after it"},
      {"menu \"unterminated\n", 1, "unterminated quote"},
      {"save now\n", 1, "save takes 0 arguments"},
      {"dialog X\n  press 1\n", 1, "dialog block without end"},
      {"dialog X\n  type 1 a\nend\n", 2, "\"type\" is not a dialog line (set, check, select, press, end)"},
      {"dialog X\n  check 4 yes\nend\n", 2, "check takes 0 or 1"},
      {"dialog X\n  select 4 1..2\nend\n", 2, "select takes an entry index or a path such as 3.12"},
      {"dialog X\n  press OK\nend\n", 2, "dialog items are numbers"},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseScript(c.script);
    const auto* error = std::get_if<ScriptParseError>(&parsed);
    ASSERT_NE(error, nullptr) << c.script;
    EXPECT_EQ(error->line, c.line) << c.script;
    EXPECT_EQ(error->reason, c.reason) << c.script;
  }
}

TEST(ScriptParser, NumbersIgnoreTheLocale) {
  double value = 0;
  EXPECT_TRUE(ParseScriptNumber("150.5", &value));
  EXPECT_DOUBLE_EQ(value, 150.5);
  EXPECT_FALSE(ParseScriptNumber("150,5", &value));
  EXPECT_FALSE(ParseScriptNumber("inf", &value));
  EXPECT_EQ(ParseKeyCode("enter"), 3);
  EXPECT_EQ(ParseKeyCode("31"), 31);
}

}  // namespace
