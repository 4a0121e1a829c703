// Runs a parsed script on a host through the scripted front end. Relative
// paths are taken from the script's folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "viewer/script/ScriptParser.h"

namespace viewer {
class Document;
class Host;
}  // namespace viewer

namespace viewer::script {

class ScriptFrontEnd;

class ScriptRunner {
 public:
  ScriptRunner(Host& host, ScriptFrontEnd& frontEnd, std::string baseFolder);

  // Answers 0, or 2 after printing "error: line N: REASON" to errors when a
  // line cannot be carried out.
  int Run(const std::vector<ScriptCommand>& commands, std::ostream& errors);

 private:
  struct LineError {
    std::string reason;
  };
  void Execute(const ScriptCommand& command);
  Document& FrontDocument(const ScriptCommand& command);
  std::string Resolve(const std::string& path) const;
  static int Int(const std::string& text);

  Host& host_;
  ScriptFrontEnd& frontEnd_;
  std::string baseFolder_;
};

}  // namespace viewer::script
