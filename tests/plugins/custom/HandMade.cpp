// A test plug-in that speaks the loading protocol by hand, so that it can
// fail where FAIL_AT says: "version" (PIMain answers an older handshake),
// "setup" (needs the table "Forms", which the host does not serve) or
// "handshake" (refuses the handshake). It logs each step it reaches.
#include <cstring>
#include <string>

#include "host/PluginEntry.h"
#include "probe/ProbeLog.h"

namespace {

const std::string kName = MODULE_NAME;
const std::string kFailAt = FAIL_AT;

bool Step(const char* step) { return (ProbeLog(kName + ":" + step), kFailAt != step); }

bool Export() { return Step("export"); }
bool Import() { return Step("import"); }
bool Init() { return Step("init"); }
bool Unload() { return Step("unload"); }

bool Handshake(std::uint32_t, void* data) {
  if (!Step("handshake")) return false;
  auto* reply = static_cast<host::PIHandshakeData_V0200*>(data);
  reply->exportHFTsCallback = &Export;
  reply->importReplaceAndRegisterCallback = &Import;
  reply->initCallback = &Init;
  reply->unloadCallback = &Unload;
  return true;
}

bool Setup(std::uint32_t, void* data) {
  ProbeLog(kName + ":setup");
  auto* sdk = static_cast<host::PISDKData_V0200*>(data);
  if (kFailAt == "setup" && !sdk->coreHFT->GetTable(host::tables::kForms, 0x10002)) return false;
  sdk->handshakeCallback = &Handshake;
  return true;
}

const host::PIResourceBlob kNoResources{};

}  // namespace

extern "C" bool PIMain(std::uint32_t appVersion, std::uint32_t* handshakeVersion, host::PISetupSDKProc* setupProc,
                       void*) {
  ProbeLog(kName + ":main");
  *handshakeVersion = kFailAt == "version" ? 0x10000 : appVersion;
  *setupProc = &Setup;
  return true;
}

extern "C" const host::PIResourceBlob* PIResources() { return &kNoResources; }
