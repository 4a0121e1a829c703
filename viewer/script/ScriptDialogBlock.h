// One `dialog NAME ... end` block of a viewer script: the answer to the next
// modal run of that dialog, as the lines a person's actions.
#pragma once

#include <string>
#include <vector>

namespace viewer::dm {
class Dialog;
}

namespace viewer::script {

struct ScriptDialogLine {
  int lineNumber = 0;
  std::string verb;      // "set", "check", "select", "press"
  std::string item;      // item ID (number) as written
  std::string argument;  // text, 0|1, index; empty for press
};

struct ScriptDialogBlock {
  int lineNumber = 0;  // of the `dialog` line
  std::string dialogName;
  std::vector<ScriptDialogLine> lines;
};

// Plays a block on a running modal dialog. Each line acts as a person would
// (set focuses the item, replaces its text and leaves it; press clicks it;
// check and select change the value with the notifications a click
// delivers). Answers true when the dialog ended; otherwise (the block left it
// open) error names the line and the reason.
bool PlayDialogBlock(dm::Dialog& dialog, const ScriptDialogBlock& block, std::string* error);

}  // namespace viewer::script
