// Errors in a plug-in's resources: one host error (kErrBadFile) whose text
// names the resource file and the line, so that whoever wrote the file can
// find the mistake.
#pragma once

#include <string_view>

namespace viewer {

// Raises HostError kErrBadFile with "FILE:LINE: MESSAGE" ("FILE: MESSAGE"
// when line is 0).
[[noreturn]] void RaiseResourceError(std::string_view file, int line, std::string_view message);

}  // namespace viewer
