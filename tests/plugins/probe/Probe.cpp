// A test plug-in on the shared entry-point glue. PROBE_NAME names it;
// PROBE_IMPORT (optional) names a table of another plug-in that it binds
// while importing. It logs each protocol step, publishes "Probe:<name>",
// adds the menu item "Probe:<name>" to the Edit menu and registers a tool of
// type "Probe:<name>" that logs its events: a click asks whether the button
// is still down and, if so, for a rectangle drag; a right click pops up a
// menu of two items that log when they run; keys ask what a person
// answers and log the answer: 'd' runs the dialog "Probe:Dialog" modally
// (how it ended, the text of its field), 'a' a yes/no alert, 'o' a file
// chooser for PDF files, 'f' a folder chooser, 'c' the colour picker.
#include <string>

#include "host/PluginEntry.h"
#include "probe/ProbeLog.h"

namespace {

const std::string kName = PROBE_NAME;
host::TableServer* gServer = nullptr;
host::SelectorTable* gTable = nullptr;
host::AVMenuItem* gItem = nullptr;
host::AVMenu* gPopup = nullptr;
host::AVToolRec gTool;
host::ASAtom gToolType = host::ASAtomNull;

host::HostTable* Provide(host::TableServer*, host::TableVersion, void*) {
  ProbeLog(kName + ":provide");
  if (!gTable) gTable = new host::SelectorTable("Probe:" + kName, 1, 1);
  return gTable;
}

std::string Version() {
  return std::to_string(gAcroViewHFT->MajorVersion()) + "." + std::to_string(gAcroViewHFT->MinorVersion());
}

std::string RectText(const host::AVRect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

bool DoClick(host::AVToolRec*, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y, int modifiers,
             int count) {
  const bool down = view->IsMouseStillDown();
  ProbeLog(kName + ":click " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(modifiers) + " " +
           std::to_string(count) + (down ? " down" : " up"));
  if (down) ProbeLog(kName + ":dragged " + RectText(view->DragRect(x, y, {x, y, x, y}, host::kDragBottomRight)));
  return true;
}

bool DoRightClick(host::AVToolRec*, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y, int, int) {
  host::AVMenuItem* chosen = view->DoPopupMenu(gPopup, x, y, true);
  ProbeLog(kName + ":popup " + (chosen ? chosen->Name() : "none"));
  return true;
}

std::string gDialogText;

int InitDialog(host::ADMDialog* dialog) {
  dialog->SetDestroyProc([](host::ADMDialog* d) { gDialogText = d->GetItem(3)->GetText(); });
  return 0;
}

void RunDialog() {
  auto* suite = static_cast<host::ADMDialogSuite*>(gAcroViewSweetPeaHFT->AcquireSuite(host::adm::kDialogSuite, 7));
  if (!suite) {
    ProbeLog(kName + ":no dialog layer");
    return;
  }
  gDialogText.clear();
  const int ended = suite->Modal(gExtensionID, "Probe:Dialog", 200, host::adm::kModalStyle, &InitDialog, nullptr, 0);
  gAcroViewSweetPeaHFT->ReleaseSuite(suite);
  ProbeLog(kName + ":dialog " + std::to_string(ended) + " " + gDialogText);
}

void PickColor() {
  auto* basic = static_cast<host::ADMBasicSuite*>(gAcroViewSweetPeaHFT->AcquireSuite(host::adm::kBasicSuite, 7));
  if (!basic) {
    ProbeLog(kName + ":no dialog layer");
    return;
  }
  host::RGBColor16 color;
  const bool picked = basic->ChooseColor({0, 0}, {0, 0, 0}, &color);
  gAcroViewSweetPeaHFT->ReleaseSuite(basic);
  ProbeLog(kName + ":color " + (picked ? std::to_string(color.red) + " " + std::to_string(color.green) + " " +
                                             std::to_string(color.blue)
                                       : std::string("cancelled")));
}

void Ask(int key) {
  host::AVFileDialogParams params;
  params.title = "Probe";
  params.filters = {{"PDF files", {"pdf"}}};
  switch (key) {
    case 'd':
      RunDialog();
      break;
    case 'a':
      ProbeLog(kName + ":confirm " + (gAcroViewHFT->AlertConfirm("Probe?") ? "yes" : "no"));
      break;
    case 'o':
      for (const host::ASPathName& path : gAcroViewHFT->ChooseFilesToOpen(params))
        ProbeLog(kName + ":chosen " + gAcroSupportHFT->FileName(path));
      break;
    case 'f': {
      const auto folder = gAcroViewHFT->ChooseFolder(params);
      ProbeLog(kName + ":folder " + (folder ? gAcroSupportHFT->FileName(*folder) : std::string("cancelled")));
      break;
    }
    case 'c':
      PickColor();
      break;
  }
}

bool DoKeyDown(host::AVToolRec*, int key, int modifiers) {
  ProbeLog(kName + ":key " + std::to_string(key) + " " + std::to_string(modifiers));
  Ask(key);
  return true;
}

void RunPopupItem(void* name) { ProbeLog(kName + ":ran " + static_cast<const char*>(name)); }
bool PopupItemEnabled(void* name) { return std::string(static_cast<const char*>(name)) != "Disabled"; }

void AddPopupItem(const char* name) {
  host::AVMenuItem* item = gAcroViewHFT->NewMenuItem(name, name, nullptr, false, 0, 0, 0, gExtensionID);
  item->SetExecuteProc(&RunPopupItem, const_cast<char*>(name));
  item->SetComputeEnabledProc(&PopupItemEnabled, const_cast<char*>(name));
  gPopup->AddItem(item, host::kMenuAppend);
  item->Release();
}

}  // namespace

host::ASAtom GetExtensionName() { return gCoreHFT->AtomFromString("Probe:" + kName); }

bool PluginExportHFTs() {
  ProbeLog(kName + ":export");
  gServer = new host::TableServer("Probe:" + kName, &Provide, nullptr, nullptr);
  return gCoreHFT->RegisterTableServer(gServer, gExtensionID);
}

bool PluginImportReplaceAndRegister() {
#ifdef PROBE_IMPORT
  const bool found = gCoreHFT->GetTable(PROBE_IMPORT, 1) != nullptr;
  ProbeLog(kName + ":import " + (found ? "found " : "missing ") + PROBE_IMPORT);
#else
  ProbeLog(kName + ":import");
#endif
  return true;
}

bool PluginInit() {
  const auto text = gMacintoshHFT->GetResourceString(gExtensionID, 129, 1);
  ProbeLog(kName + ":init " + gAcroViewHFT->LanguageCode() + " " + Version() + " " + text.value_or("(no text)"));
  host::AVMenu* edit = gAcroViewHFT->GetMenubar()->AcquireMenuByName("Edit");
  if (!edit) return false;
  gItem = gAcroViewHFT->NewMenuItem("Probe " + kName, "Probe:" + kName, nullptr, false, 0, 0, 0, gExtensionID);
  edit->AddItem(gItem, host::kMenuAppend);
  edit->Release();

  gPopup = gAcroViewHFT->NewMenu("Probe", "Probe:Popup");
  AddPopupItem("Enabled");
  AddPopupItem("Disabled");
  gToolType = gCoreHFT->AtomFromString("Probe:" + kName);
  gTool = {};
  gTool.DoClick = &DoClick;
  gTool.DoRightClick = &DoRightClick;
  gTool.DoKeyDown = &DoKeyDown;
  gTool.GetType = [](host::AVToolRec*) { return gToolType; };
  gAcroViewHFT->RegisterTool(&gTool);
  return true;
}

bool PluginUnload() {
  ProbeLog(kName + ":unload");
  if (gItem) {
    gItem->Remove();
    gItem->Release();
    gItem = nullptr;
  }
  if (gPopup) {
    gPopup->Release();
    gPopup = nullptr;
  }
  if (gServer) {
    gCoreHFT->UnregisterTableServer(gServer);
    delete gServer;
    gServer = nullptr;
  }
  delete gTable;
  gTable = nullptr;
  return true;
}
