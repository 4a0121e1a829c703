#include "blocktool/host/MarkupContentInit.h"

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/HFTMarkupContent.h"
#include "blocktool/host/MarkupContentInitExportMenu.h"
#include "blocktool/host/MarkupContentNotification.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/SpotColorNames.h"
#include "dialogframework/ADMAcroSDK.h"
#include "host/PluginEntry.h"

using namespace host;

ASBool bUpdateView = 1;
ASBool bControlByClick = 0;
ASBool bDetectUnderFonts = 0;
ASBool bSaveAsInProgress = 0;
ASBool bRepagingInProgress = 0;
ASBool bSynchronizeGetContent = 0;
ASBool bRedrawViewInProgress = 0;
ASBool bSupportedBlockSpecVersion = 1;
ASBool bMaxZoomLimitationInformed = 0;
ASBool bMaxZoomLimitationActive = 0;
ASBool bPageChangeNotificationInProgress = 0;

std::uint32_t nSecurityMode = 0;
std::int16_t nAdobeMajorVersion = 0;
std::int16_t nAdobeMinorVersion = 0;
char cDecimalSeparator = '.';
ASScript asSessionScript = 0;

ASAtom atMarkupToolExtension = ASAtomNull;
ASAtom atMarkupTool = ASAtomNull;
ASAtom atDefaultPrefixName = ASAtomNull;

namespace {

constexpr int kWrongVersionMessage = 1024;
constexpr int kDecimalSeparatorMessage = 1103;

// Whether start-up acquired the dialog manager for the plug-in's lifetime.
bool dialogManagerHeld = false;

// How the first start-up frame ended.
enum class StartOutcome { Active, Inert, Failed };

ASScript SessionScript() {
  const ASScript script = gAcroViewHFT->UIScript();
  return script < 0 ? 0 : script;
}

// One note alert: why the plug-in does nothing on this host.
void ShowWrongVersionAlert() {
  std::string text = Service.GetStringByID(kWrongVersionMessage);
  text += Service.GetRequiredAcrobatVersionMessage();
  gAcroViewHFT->AlertNote(text);
}

// The service, the version gate and the commands, in one exception frame.
StartOutcome StartServiceAndCommands() {
  try {
    if (ADMUtils::HeldCount() == 0 && gAcroViewHFT->DialogManagerAvailable()) {
      dialogManagerHeld = ADMUtils::InitializeADM();
    }
    Service.CatchLanguage();
    asSessionScript = SessionScript();
    nAdobeMajorVersion = static_cast<std::int16_t>(gAcroViewHFT->MajorVersion());
    nAdobeMinorVersion = static_cast<std::int16_t>(gAcroViewHFT->MinorVersion());
    if (nAdobeMajorVersion != kRequiredHostMajorVersion) {
      ShowWrongVersionAlert();
      return StartOutcome::Inert;
    }
    Service.SetDelimiter();
    nSecurityMode = kBlockEditingPermissions;
    return StartOutcome::Active;
  } catch (...) {
    Service.ExceptionAlert("MenuInit");
    return StartOutcome::Failed;
  }
}

// The first character of the language's separator text; only a one-byte
// character can serve, anything else falls back to the point.
char DecimalSeparatorFromResources() {
  const std::string& text = Service.GetStringByID(kDecimalSeparatorMessage);
  if (text.empty() || static_cast<unsigned char>(text[0]) >= 0x80) return '.';
  return text[0];
}

bool CreateGlobalObjects() {
  try {
    spotColorNames.Initialize();
    pMrkupCollectionMap = std::make_unique<CDocMarkupCollectionMap>();
    pMainDlgAppearance = std::make_unique<CTabDialogAppearance>();
    return true;
  } catch (...) {
    Service.ExceptionAlert("Global Class Initialization");
    return false;
  }
}

void ReleaseDialogManager() {
  const bool held = std::exchange(dialogManagerHeld, false);
  if (held && gAcroViewHFT->DialogManagerAvailable()) ADMUtils::ReleaseADM();
}

// Runs one step of tear-down: unload goes on whatever the host answers.
template <typename Step>
void TearDown(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

bool Start() {
  if (!gAcroViewHFT->GetMenubar()) return false;
  switch (StartServiceAndCommands()) {
    case StartOutcome::Active:
      break;
    case StartOutcome::Inert:
      return true;
    case StartOutcome::Failed:
      return false;
  }
  InitAboutAndHelpItems(*gAcroViewHFT->GetMenubar());
  atMarkupTool = gCoreHFT->AtomFromString(kMarkupToolType);
  RegisterMarkupNotifications();
  atDefaultPrefixName = gCoreHFT->AtomFromString(kDefaultPrefixName);
  if (!CreateGlobalObjects()) return false;
  ResetMarkupFlags();
  cDecimalSeparator = DecimalSeparatorFromResources();
  return true;
}

}  // namespace

void* MarkupToolClientData() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(atMarkupToolExtension));
}

bool IsMarkupToolActive() {
  if (!gAcroViewHFT) return false;
  host::AVToolRec* tool = gAcroViewHFT->GetActiveTool();
  return tool && tool->GetType && atMarkupTool != ASAtomNull && tool->GetType(tool) == atMarkupTool;
}

void ResetMarkupFlags() {
  bUpdateView = 1;
  bControlByClick = 0;
  bDetectUnderFonts = 0;
  bSaveAsInProgress = 0;
  bRepagingInProgress = 0;
  bSynchronizeGetContent = 0;
  bRedrawViewInProgress = 0;
  bSupportedBlockSpecVersion = 1;
  bMaxZoomLimitationInformed = 0;
  bMaxZoomLimitationActive = 0;
  bPageChangeNotificationInProgress = 0;
}

ASAtom GetExtensionName() {
  try {
    atMarkupToolExtension = gCoreHFT->AtomFromString(kMarkupContentExtensionName);
  } catch (const std::exception&) {
    atMarkupToolExtension = ASAtomNull;
  }
  return atMarkupToolExtension;
}

bool PluginExportHFTs() {
  try {
    RegisterMarkupContentHFTServer(MarkupToolClientData());
  } catch (const std::exception&) {
    // Without the table the block tool still works; only other plug-ins
    // cannot reach it.
  }
  return true;
}

bool PluginImportReplaceAndRegister() { return true; }

bool PluginInit() {
  try {
    return Start();
  } catch (...) {
    Service.ExceptionAlert("PluginInit");
    return false;
  }
}

bool PluginUnload() {
  pMainDlgAppearance.reset();
  pMrkupCollectionMap.reset();
  TearDown(UnregisterMarkupNotifications);
  TearDown(UnregisterMarkupContentHFTServer);
  TearDown(ReleaseDialogManager);
  return true;
}
