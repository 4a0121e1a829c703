// Runs the real korvid-viewer binary on a script and collects what it says.
#pragma once

#include <string>
#include <vector>

#include "support/TempDir.h"

struct ViewerRun {
  int status = -1;
  std::vector<std::string> out;  // standard output, one entry a line
  std::string err;               // standard error
};

// Writes script into folder as "test.kvs" and runs the viewer headless on it
// with the extra arguments.
ViewerRun RunViewer(const std::string& folder, const std::string& script, const std::string& arguments = "");

// The command-line arguments of a run with an empty plug-ins folder (made
// in folder), for runs that show the viewer alone.
std::string WithoutPlugins(const korvid::testing::TempDir& folder);

// The lines of a test plug-in's log (see tests/plugins) that start with one
// of the prefixes, in order.
std::vector<std::string> LoggedLines(const std::string& log, const std::vector<std::string>& prefixes);
