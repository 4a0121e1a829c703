// The viewer's script language: one command a line, "#" starts a comment,
// arguments are separated by blanks and may be quoted ("a b", with \" and
// \\ inside quotes). `dialog NAME` ... `end` blocks answer a modal dialog.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "viewer/script/ScriptDialogBlock.h"

namespace viewer::script {

struct ScriptCommand {
  int line = 0;
  std::string verb;
  std::vector<std::string> args;
  ScriptDialogBlock dialog;  // the block of a `dialog` command
};

struct ScriptParseError {
  int line = 0;
  std::string reason;
};

using ParsedScript = std::variant<std::vector<ScriptCommand>, ScriptParseError>;

ParsedScript ParseScript(std::string_view text);

// Splits one line into words (quotes and comments as above). Answers false
// with a reason for an unterminated quote.
bool SplitScriptLine(std::string_view line, std::vector<std::string>* words, std::string* reason);

// Numbers of scripts: decimal, independent of the C locale.
bool ParseScriptInt(std::string_view text, int* value);
bool ParseScriptNumber(std::string_view text, double* value);
// Key codes by number or by name (enter, backspace, tab, left, right, up,
// down, space); -1 for anything else.
int ParseKeyCode(std::string_view text);

}  // namespace viewer::script
