// Reads a dialog layout file (dialogs/<id>.dlg; the format is described in
// docs/resources.md).
#pragma once

#include <string_view>

#include "viewer/core/resources/DialogLayout.h"

namespace viewer {

// fileID is the ID in the file's name; the layout must state the same one.
// Raises HostError kErrBadFile naming file and line for a malformed layout.
DialogLayout ParseDialogLayout(std::string_view file, int fileID, std::string_view text);

}  // namespace viewer
