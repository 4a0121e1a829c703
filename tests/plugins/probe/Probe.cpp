// A test plug-in on the shared entry-point glue. PROBE_NAME names it;
// PROBE_IMPORT (optional) names a table of another plug-in that it binds
// while importing. It logs each protocol step, publishes "Probe:<name>" and
// adds the menu item "Probe:<name>" to the Edit menu while initialised.
#include <string>

#include "host/PluginEntry.h"
#include "probe/ProbeLog.h"

namespace {

const std::string kName = PROBE_NAME;
host::TableServer* gServer = nullptr;
host::SelectorTable* gTable = nullptr;
host::AVMenuItem* gItem = nullptr;

host::HostTable* Provide(host::TableServer*, host::TableVersion, void*) {
  ProbeLog(kName + ":provide");
  if (!gTable) gTable = new host::SelectorTable("Probe:" + kName, 1, 1);
  return gTable;
}

std::string Version() {
  return std::to_string(gAcroViewHFT->MajorVersion()) + "." + std::to_string(gAcroViewHFT->MinorVersion());
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
  return true;
}

bool PluginUnload() {
  ProbeLog(kName + ":unload");
  if (gItem) {
    gItem->Remove();
    gItem->Release();
    gItem = nullptr;
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
