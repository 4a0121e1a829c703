// The viewer on the desktop: a Qt application with the host, its plug-ins
// and a window for each file given.
#pragma once

#include <string>
#include <vector>

#include "viewer/core/HostOptions.h"

namespace viewer::qt {

// Whether a window system is there to show windows on (a display, a
// Wayland session, or a Qt platform named in the environment).
bool DisplayAvailable();

// Runs until the user quits; answers the exit status.
int RunDesktop(int argc, char** argv, const HostOptions& options, const std::vector<std::string>& files);

}  // namespace viewer::qt
