// Plays a script's `dialog NAME ... end` block on a running modal dialog,
// line by line, as a person's actions.
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace viewer::script {

namespace {

class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int Number(std::string_view text, const char* what) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    throw LineError(std::string(what) + " \"" + std::string(text) + "\" is not a number");
  return value;
}

// "3" or "3.12" (an entry below entry 3 of a hierarchy list).
std::vector<int> EntryPath(std::string_view text) {
  std::vector<int> path;
  while (true) {
    const std::size_t dot = text.find('.');
    path.push_back(Number(text.substr(0, dot), "entry index"));
    if (dot == std::string_view::npos) return path;
    text.remove_prefix(dot + 1);
  }
}

void PlayLine(dm::Dialog& dialog, const ScriptDialogLine& line) {
  dm::UserActions person(dialog);
  const int item = Number(line.item, "item");
  if (line.verb == "set") return person.SetText(item, line.argument);
  if (line.verb == "press") {
    if (!line.argument.empty()) throw LineError("press takes only an item");
    return person.Press(item);
  }
  if (line.verb == "check") {
    if (line.argument != "0" && line.argument != "1") throw LineError("check takes 0 or 1");
    return person.Check(item, line.argument == "1");
  }
  if (line.verb == "select") {
    const std::vector<int> path = EntryPath(line.argument);
    if (path.size() == 1) return person.Select(item, path.front());
    return person.SelectTreeEntry(item, path);
  }
  throw LineError("unknown dialog action \"" + line.verb + "\" (set, check, select or press)");
}

bool Fail(int lineNumber, const std::string& reason, std::string* error) {
  if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
  return false;
}

}  // namespace

bool PlayDialogBlock(dm::Dialog& dialog, const ScriptDialogBlock& block, std::string* error) {
  if (block.dialogName != dialog.Name())
    return Fail(block.lineNumber, "the block answers \"" + block.dialogName + "\" but \"" + dialog.Name() + "\" is open",
                error);
  for (const ScriptDialogLine& line : block.lines) {
    if (dialog.HasEnded()) return Fail(line.lineNumber, "the dialog has already ended", error);
    try {
      PlayLine(dialog, line);
    } catch (const std::runtime_error& e) {  // LineError or dm::UserActionError
      return Fail(line.lineNumber, e.what(), error);
    }
  }
  if (!dialog.HasEnded())
    return Fail(block.lineNumber, "the lines of dialog \"" + dialog.Name() + "\" leave it open", error);
  return true;
}

}  // namespace viewer::script
