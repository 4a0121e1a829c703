// korvid-viewer: the viewer with its plug-ins.
//
//   korvid-viewer [OPTIONS] [FILE...]
//   korvid-viewer --headless --script FILE [OPTIONS]
//   OPTIONS: [--host-version X.Y] [--language XXX] [--plugins DIR]
//
// On the desktop each file opens in its window. Headless, the script drives
// the viewer and everything a person would see is printed, one line each.
// Exit status: 0 done, 2 bad command line or bad script line, 3 no display.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "viewer/core/Environment.h"
#include "viewer/core/Host.h"
#include "viewer/script/ScriptFrontEnd.h"
#include "viewer/script/ScriptParser.h"
#include "viewer/script/ScriptRunner.h"

#ifdef KORVID_WITH_DESKTOP
#include "viewer/qt/DesktopApp.h"
#endif

namespace {

constexpr int kUsageError = 2;
constexpr int kNoDisplay = 3;

struct CommandLine {
  bool headless = false;
  std::string script;
  std::vector<std::string> files;
  viewer::HostOptions host;
};

int Usage(const std::string& problem) {
  std::cerr << "korvid-viewer: " << problem << "\n"
            << "usage: korvid-viewer [--host-version X.Y] [--language XXX] [--plugins DIR] [FILE...]\n"
            << "       korvid-viewer --headless --script FILE [--host-version X.Y] [--language XXX] "
               "[--plugins DIR]\n";
  return kUsageError;
}

// Answers an empty text when the command line is good, else the problem.
std::string Parse(int argc, char** argv, CommandLine* line) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--headless") {
      line->headless = true;
    } else if (arg == "--script") {
      line->script = value();
    } else if (arg == "--host-version") {
      line->host.hostVersion = value();
      viewer::ParseVersion(line->host.hostVersion);
    } else if (arg == "--language") {
      line->host.language = value();
      if (line->host.language.size() != 3) throw std::invalid_argument("--language takes three letters");
    } else if (arg == "--plugins") {
      line->host.pluginDir = value();
    } else if (arg.starts_with("--")) {
      throw std::invalid_argument("unknown option " + arg);
    } else {
      line->files.push_back(arg);
    }
  }
  if (line->headless) {
    if (line->script.empty()) return "--headless needs --script FILE";
    if (!line->files.empty()) return "headless, the script opens the files";
  } else if (!line->script.empty()) {
    return "--script needs --headless";
  }
  return {};
}

int RunDesktop(int argc, char** argv, const CommandLine& line) {
#ifdef KORVID_WITH_DESKTOP
  if (!viewer::qt::DisplayAvailable()) {
    std::cerr << "korvid-viewer: no display to show windows on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
              << "Run it headless with a script: korvid-viewer --headless --script FILE (./run.sh --headless).\n";
    return kNoDisplay;
  }
  return viewer::qt::RunDesktop(argc, argv, line.host, line.files);
#else
  (void)argc;
  (void)argv;
  (void)line;
  return Usage("this build has no desktop front end (Qt 6 was not found); run with --headless --script FILE");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  try {
    if (const std::string problem = Parse(argc, argv, &line); !problem.empty()) return Usage(problem);
  } catch (const std::invalid_argument& e) {
    return Usage(e.what());
  }
  if (!line.headless) return RunDesktop(argc, argv, line);

  std::ifstream in(line.script, std::ios::binary);
  if (!in) return Usage("cannot read " + line.script);
  std::ostringstream text;
  text << in.rdbuf();
  const viewer::script::ParsedScript parsed = viewer::script::ParseScript(text.str());
  if (const auto* error = std::get_if<viewer::script::ScriptParseError>(&parsed)) {
    std::cerr << "error: line " << error->line << ": " << error->reason << '\n';
    return kUsageError;
  }

  viewer::script::ScriptFrontEnd frontEnd(&std::cout);
  int status = 0;
  {
    viewer::Host host(frontEnd, line.host);
    frontEnd.Attach(host);
    host.LoadPlugins();
    frontEnd.Settle();
    const std::string folder = std::filesystem::absolute(line.script).parent_path().string();
    viewer::script::ScriptRunner runner(host, frontEnd, folder);
    status = runner.Run(std::get<std::vector<viewer::script::ScriptCommand>>(parsed), std::cerr);
    frontEnd.Detach();  // quitting: what the plug-ins take down at unload is no news
  }
  return status;
}
