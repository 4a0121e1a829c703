#include "ViewerRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

ViewerRun RunViewer(const std::string& folder, const std::string& script, const std::string& arguments) {
  const std::string scriptPath = folder + "/test.kvs";
  std::ofstream(scriptPath) << script;
  const std::string outPath = folder + "/out.txt";
  const std::string errPath = folder + "/err.txt";
  const std::string command = std::string("'") + KORVID_VIEWER + "' --headless --script '" + scriptPath + "' " +
                              arguments + " >'" + outPath + "' 2>'" + errPath + "'";
  ViewerRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream out(outPath);
  for (std::string line; std::getline(out, line);) run.out.push_back(line);
  std::ostringstream err;
  err << std::ifstream(errPath).rdbuf();
  run.err = err.str();
  return run;
}

std::string WithoutPlugins(const korvid::testing::TempDir& folder) {
  const std::filesystem::path empty = folder.Path() / "no-plugins";
  std::filesystem::create_directories(empty);
  return "--plugins '" + empty.string() + "'";
}

std::vector<std::string> LoggedLines(const std::string& log, const std::vector<std::string>& prefixes) {
  std::vector<std::string> lines;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    for (const std::string& prefix : prefixes) {
      if (line.rfind(prefix, 0) == 0) {
        lines.push_back(line);
        break;
      }
    }
  }
  return lines;
}
