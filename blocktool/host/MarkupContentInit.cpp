#include "blocktool/host/MarkupContentInit.h"

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "blocktool/collections/AdvancedCopy.h"
#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/HFTMarkupContent.h"
#include "blocktool/host/MarkupBlockDraw.h"
#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInitAlignMenu.h"
#include "blocktool/host/MarkupContentInitEditMenu.h"
#include "blocktool/host/MarkupContentInitExportMenu.h"
#include "blocktool/host/MarkupContentInitRClickMenu.h"
#include "blocktool/host/MarkupContentNotification.h"
#include "blocktool/host/MarkupContentTool.h"
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

AVToolButton* toolButton = nullptr;

namespace {

constexpr int kWrongVersionMessage = 1024;
constexpr int kDecimalSeparatorMessage = 1103;
constexpr int kToolsMenuTitle = 1109;
constexpr int kContextMenuTitle = 1133;
constexpr int kToolButtonHelp = 1093;
constexpr int kToolButtonIcon = 128;
constexpr const char* kToolsMenuName = "Zolt:Korvid_Tools";
constexpr const char* kContextMenuName = "Zolt:RightClick";
// The host's button the tool button follows.
constexpr const char* kLinkButtonName = "Link";

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

MarkupMenuItemSpec ToolItemSpec() {
  return {kMarkupContentExtensionName, 1092, execMarkupContentTool, nullptr, enableMarkupContentTool,
          NumberClientData(nSecurityMode), markedMarkupContentTool};
}

// The tools menu, shared with the other Korvid plug-in: made here when it
// does not exist yet, else joined after a separator.
class ToolsMenu {
 public:
  explicit ToolsMenu(AVMenubar& menubar) : menubar_(menubar) {
    menu_ = menubar.AcquireMenuByName(kToolsMenuName);
    joined_ = menu_ != nullptr;
    if (!menu_) menu_ = gAcroViewHFT->NewMenu(Service.GetStringByID(kToolsMenuTitle), kToolsMenuName);
  }
  ~ToolsMenu() {
    if (menu_) menu_->Release();
  }
  ToolsMenu(const ToolsMenu&) = delete;
  ToolsMenu& operator=(const ToolsMenu&) = delete;

  void Fill() {
    if (!menu_) return;
    if (joined_ && menu_->NumItems() > 0) AddSeparatorMenuItem(menu_);
    AppendMarkupMenuItem(*menu_, ToolItemSpec());
    AddSeparatorMenuItem(menu_);
    AppendMarkupMenuItem(*menu_, {"Zolt:MarkUp_CONTROLCLICK", 1035, execMarkupContentControlByClick, nullptr,
                                  enableMarkupContentControlByClick, NumberClientData(nSecurityMode),
                                  markedMarkupContentControlByClick});
    AppendMarkupMenuItem(*menu_, {"Zolt:MarkUp_DETECTFONT", 1040, execMarkupContentDetectUnderFonts, nullptr,
                                  enableMarkupContentDetectUnderFonts, NumberClientData(nSecurityMode),
                                  markedMarkupContentDetectUnderFonts});
    AddSeparatorMenuItem(menu_);
    InitExportSubmenu(menu_);
    AddSeparatorMenuItem(menu_);
    InitArrangementSubmenus(menu_);
    if (!joined_) menubar_.AddMenu(menu_, kMenuAppend);
  }

 private:
  AVMenubar& menubar_;
  AVMenu* menu_ = nullptr;
  bool joined_ = false;
};

void InitMenus(AVMenubar& menubar) {
  InitEditMenu(&menubar);
  ToolsMenu(menubar).Fill();
  avRClickMenu = gAcroViewHFT->NewMenu(Service.GetStringByID(kContextMenuTitle), kContextMenuName);
  InitRClickMenu(avRClickMenu);
}

// The service, the version gate and the commands, in one exception frame.
StartOutcome StartServiceAndCommands(AVMenubar& menubar) {
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
    InitMenus(menubar);
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

// The tool button follows the host's link tool, with the procedures of the
// tool item.
bool InitToolButton() {
  try {
    AVToolBar* bar = gAcroViewHFT->GetToolBar();
    if (!bar) return true;
    AVToolButton* link = bar->GetButtonByName(kLinkButtonName);
    toolButton = bar->NewButton(kMarkupContentExtensionName, gExtensionID, kToolButtonIcon, false, true);
    const MarkupMenuItemSpec tool = ToolItemSpec();
    toolButton->SetExecuteProc(tool.execute, tool.executeData);
    toolButton->SetComputeEnabledProc(tool.enable, tool.enableData);
    toolButton->SetComputeMarkedProc(tool.marked, nullptr);
    toolButton->SetHelpText(Service.GetStringByID(kToolButtonHelp));
    bar->AddButton(toolButton, link, false);
    return true;
  } catch (...) {
    Service.ExceptionAlert("ToolbarInit");
    return false;
  }
}

void ReleaseToolButton() {
  if (!toolButton) return;
  try {
    toolButton->Destroy();
  } catch (...) {
    // The host takes the plug-in's buttons away itself.
  }
  toolButton = nullptr;
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
  } catch (...) {
  }
}

bool Start() {
  AVMenubar* menubar = gAcroViewHFT->GetMenubar();
  if (!menubar) return false;
  switch (StartServiceAndCommands(*menubar)) {
    case StartOutcome::Active:
      break;
    case StartOutcome::Inert:
      return true;
    case StartOutcome::Failed:
      return false;
  }
  InitAboutAndHelpItems(*menubar);
  if (!InitToolButton()) return false;
  atMarkupTool = gCoreHFT->AtomFromString(kMarkupToolType);
  RegisterMarkupNotifications();
  drawMarkupContentBlocksProc = DrawMarkUpBlocks;
  atDefaultPrefixName = gCoreHFT->AtomFromString(kDefaultPrefixName);
  if (!CreateGlobalObjects()) return false;
  InitializeTool();
  asSessionScript = SessionScript();
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
  TearDown(ReleaseTool);
  TearDown(ReleaseEditMenu);
  pMainDlgAppearance.reset();
  pMrkupCollectionMap.reset();
  AdvancedCopy.Clear();
  TearDown(ReleaseRClickMenu);
  TearDown(ReleaseToolButton);
  TearDown(UnregisterMarkupNotifications);
  TearDown(UnregisterMarkupContentHFTServer);
  TearDown(ReleaseDialogManager);
  return true;
}
