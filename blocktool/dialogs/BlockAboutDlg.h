// The about box of the block tool and its help command.
#pragma once

#include <string>

#include "dialogframework/CAcroADMDialog.h"

namespace about_dialog {
inline constexpr const char* kName = "Zolt:AboutDlg";
inline constexpr int kResourceID = 139;
inline constexpr int kPicture = 2;
inline constexpr int kVersionLine = 3;
inline constexpr int kHostVersionLine = 5;
}  // namespace about_dialog

// The program version the about box shows.
inline constexpr const char* kBlockToolVersion = "3.4";
// The block tool's folder inside the host's folder of plug-in help.
inline constexpr const char* kHelpSubfolder = "Korvid Block Plugin";

class CBlockAboutDlg : public CAcroADMDialog {
 public:
  void InitSelf() override;
  bool Validate() override { return true; }
  void DestroySelf() override {}
};

void execAboutMarkupContentTool(void* clientData);
// Opens the help file in the user's language, or the English one when there
// is none; does nothing when the host has no folder for help.
void execHelpMarkupContentTool(void* clientData);
// The help file the help command opens; "" when the host has no help folder.
std::string MarkupContentHelpFile();
