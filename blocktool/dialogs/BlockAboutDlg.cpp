#include "blocktool/dialogs/BlockAboutDlg.h"

#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace ab = about_dialog;

namespace {

constexpr int kVersionLead = 1001;
constexpr int kHelpFileName = 1094;
constexpr int kLogoIcon = 128;
constexpr const char* kLogoFamily = "Zolt:Logo";

host::ASPathName HelpPath(const host::ASPathName& folder, const std::string& name) {
  return gAcroSupportHFT->Join(gAcroSupportHFT->Join(folder, kHelpSubfolder), name);
}

}  // namespace

void CBlockAboutDlg::InitSelf() {
  host::ADMDialog* dialog = GetDialog();
  dialog->SetDefaultItemID(1);
  if (host::ADMItem* picture = dialog->GetItem(ab::kPicture)) picture->SetPictureID(kLogoIcon, kLogoFamily);
  if (host::ADMItem* hostLine = dialog->GetItem(ab::kHostVersionLine))
    hostLine->SetText(Service.GetRequiredAcrobatVersionMessage());
  if (host::ADMItem* version = dialog->GetItem(ab::kVersionLine))
    version->SetText(Service.GetStringByID(kVersionLead) + " " + kBlockToolVersion);
}

void execAboutMarkupContentTool(void*) {
  try {
    CBlockAboutDlg dialog;
    dialog.Modal(gExtensionID, ab::kName, Service.GetLocalIDD(ab::kResourceID), host::adm::kModalStyle);
  } catch (...) {
    Service.ExceptionAlert("About");
  }
}

std::string MarkupContentHelpFile() {
  if (!gAcroSupportHFT) return {};
  host::ASPathName folder;
  try {
    folder = gAcroSupportHFT->SpecialFolder(1, 8);
  } catch (...) {
    return {};
  }
  if (folder.IsNull()) return {};
  const host::ASPathName localized = HelpPath(folder, Service.GetStringByID(kHelpFileName, true));
  if (gAcroSupportHFT->ItemProperties(localized).kind == host::ASFileKind::File)
    return gAcroSupportHFT->DisplayString(localized);
  return gAcroSupportHFT->DisplayString(HelpPath(folder, Service.GetStringByID(kHelpFileName, false)));
}

void execHelpMarkupContentTool(void*) {
  try {
    const std::string file = MarkupContentHelpFile();
    if (!file.empty() && gAcroViewHFT) gAcroViewHFT->OpenHelpFile(gAcroSupportHFT->PathFromText(file));
  } catch (...) {
    // Opening help is the host's; a refusal there leaves nothing to do.
  }
}
