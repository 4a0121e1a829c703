#include "viewer/script/ScriptRunner.h"

#include <filesystem>

#include "host/HostError.h"
#include "viewer/core/ErrorTexts.h"
#include "viewer/core/Host.h"
#include "viewer/script/ScriptFrontEnd.h"

namespace viewer::script {

ScriptRunner::ScriptRunner(Host& host, ScriptFrontEnd& frontEnd, std::string baseFolder)
    : host_(host), frontEnd_(frontEnd), baseFolder_(std::move(baseFolder)) {}

int ScriptRunner::Int(const std::string& text) {
  int value = 0;
  ParseScriptInt(text, &value);  // checked when the script was parsed
  return value;
}

std::string ScriptRunner::Resolve(const std::string& path) const {
  const std::filesystem::path p(path);
  if (p.is_absolute() || baseFolder_.empty()) return path;
  return (std::filesystem::path(baseFolder_) / p).lexically_normal().string();
}

Document& ScriptRunner::FrontDocument(const ScriptCommand& command) {
  Document* doc = host_.Documents().Front();
  if (!doc) throw LineError{command.verb + " needs an open document in front"};
  return *doc;
}

int ScriptRunner::Run(const std::vector<ScriptCommand>& commands, std::ostream& errors) {
  for (const ScriptCommand& command : commands) {
    try {
      Execute(command);
      frontEnd_.Settle();
    } catch (const LineError& e) {
      errors << "error: line " << command.line << ": " << e.reason << '\n';
      return 2;
    } catch (const host::HostError& e) {
      errors << "error: line " << command.line << ": " << HostErrorText(e.Code())
             << (e.Detail().empty() ? "" : " (" + e.Detail() + ")") << '\n';
      return 2;
    }
    if (const auto& failure = frontEnd_.ScriptError()) {
      errors << "error: line " << (failure->line ? failure->line : command.line) << ": " << failure->reason << '\n';
      return 2;
    }
  }
  for (const std::string& unused : frontEnd_.UnusedAnswers()) frontEnd_.Print("unused: " + unused);
  return 0;
}

void ScriptRunner::Execute(const ScriptCommand& c) {
  const std::string& verb = c.verb;
  const auto& args = c.args;
  if (verb == "open") {
    host_.Documents().Open(Resolve(args[0]), args.size() < 2);
  } else if (verb == "front") {
    const int index = Int(args[0]) - 1;
    if (index >= host_.Documents().Count()) throw LineError{"there is no document " + args[0]};
    Document& doc = host_.Documents().At(index);
    if (!doc.IsVisible()) throw LineError{"document " + args[0] + " is hidden"};
    host_.Documents().BringToFront(doc);
  } else if (verb == "page") {
    Document& doc = FrontDocument(c);
    const int page = Int(args[0]);
    if (page > doc.Pdf().NumPages())
      throw LineError{"the document has " + std::to_string(doc.Pdf().NumPages()) + " pages"};
    doc.View().GoToPage(page - 1);
  } else if (verb == "zoom") {
    double percent = 0;
    ParseScriptNumber(args[0], &percent);
    FrontDocument(c).View().SetZoomFactor(percent / 100);
  } else if (verb == "tool") {
    host::AVToolRec* tool = host_.Tools().ByTypeName(args[0]);
    if (!tool) throw LineError{"no tool of type " + args[0]};
    host_.SetActiveTool(tool, true);
  } else if (verb == "menu") {
    host::AVMenuItem* item = host_.Menus().FindItem(args[0]);
    if (!item) throw LineError{"no menu item " + args[0]};
    if (!host_.ChooseMenuItem(*item)) frontEnd_.Print("disabled: " + args[0]);
  } else if (verb == "click") {
    FrontDocument(c);
    frontEnd_.Click(host_, Int(args[0]), Int(args[1]), args.size() > 2 ? Int(args[2]) : 0,
                    args.size() > 3 ? Int(args[3]) : 1);
  } else if (verb == "right-click") {
    host_.RightClick(FrontDocument(c).View(), Int(args[0]), Int(args[1]), 0, 1);
  } else if (verb == "key") {
    host_.Key(ParseKeyCode(args[0]), args.size() > 1 ? Int(args[1]) : 0);
  } else if (verb == "drag-to") {
    frontEnd_.QueueDrag({Int(args[0]), Int(args[1]), Int(args[2]), Int(args[3])}, args.size() > 4 ? Int(args[4]) : 0);
  } else if (verb == "popup") {
    frontEnd_.QueuePopupChoice(args[0]);
  } else if (verb == "answer-alert") {
    frontEnd_.QueueAlertAnswer(Int(args[0]));
  } else if (verb == "choose-file") {
    std::vector<std::string> paths;
    for (const std::string& path : args) paths.push_back(Resolve(path));
    frontEnd_.QueueFiles(std::move(paths));
  } else if (verb == "choose-folder") {
    frontEnd_.QueueFolder(Resolve(args[0]));
  } else if (verb == "pick-color") {
    frontEnd_.QueueColor({static_cast<std::uint16_t>(Int(args[0])), static_cast<std::uint16_t>(Int(args[1])),
                          static_cast<std::uint16_t>(Int(args[2]))});
  } else if (verb == "dialog") {
    frontEnd_.QueueDialog(c.dialog);
  } else if (verb == "save" || verb == "save-as") {
    Document& doc = FrontDocument(c);
    const host::ASPathName path = verb == "save" ? doc.Pdf().Path() : host::ASPathName(Resolve(args[0]));
    if (path.IsNull()) throw LineError{"the document has no file yet (use save-as)"};
    doc.Pdf().Save(path, host::kPDSaveFull);
    frontEnd_.Print("saved: " + path.Str());
  } else if (verb == "close") {
    FrontDocument(c).Close(false);
  }
}

}  // namespace viewer::script
