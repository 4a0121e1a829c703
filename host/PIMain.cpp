// Entry-point glue linked into every plug-in module.
#include <array>

#include "host/PluginEntry.h"

using namespace host;

ExtensionID gExtensionID = nullptr;
CoreTable* gCoreHFT = nullptr;
AcroSupportTable* gAcroSupportHFT = nullptr;
CosTable* gCosHFT = nullptr;
PDModelTable* gPDModelHFT = nullptr;
PDFEditWriteTable* gPDFEditWriteHFT = nullptr;
PDFEditReadTable* gPDFEditReadHFT = nullptr;
PDSysFontTable* gPDSysFontHFT = nullptr;
PagePDEContentTable* gPagePDEContentHFT = nullptr;
AcroViewTable* gAcroViewHFT = nullptr;
HostTable* gPDSWriteHFT = nullptr;
HostTable* gPDSReadHFT = nullptr;
PlatformTable* gMacintoshHFT = nullptr;
HostTable* gASExtraHFT = nullptr;
AcroViewSweetPeaTable* gAcroViewSweetPeaHFT = nullptr;
HostTable* gPDMetadataHFT = nullptr;
HostTable* gAcroColorHFT = nullptr;
PITableVersions gTableVersions;

namespace {

// Versions tried, newest first, when the support table is older than 6.0.
constexpr std::array<TableVersion, 7> kFallbackVersions = {0x50001, 0x50000, 0x40005, 0x40000,
                                                           0x20003, 0x20002, 0x20001};

TableVersion gSupportVersion = 0;

HostTable* AcquireTable(const char* name, TableVersion minVersion, TableVersion* gotVersion) {
  if (gSupportVersion >= 0x60000) {
    HostTable* table = gCoreHFT->GetTable(name, minVersion);
    if (table) *gotVersion = table->Version();
    return table;
  }
  for (TableVersion version : kFallbackVersions) {
    if (version < minVersion) break;
    if (HostTable* table = gCoreHFT->GetTable(name, version)) {
      *gotVersion = version;
      return table;
    }
  }
  return nullptr;
}

template <typename T>
bool Acquire(T*& slot, const char* name, TableVersion minVersion, TableVersion* gotVersion) {
  slot = static_cast<T*>(AcquireTable(name, minVersion, gotVersion));
  return slot != nullptr;
}

bool AcquireHostTables() {
  HostTable* support = gCoreHFT->GetTable(tables::kAcroSupport, 0x60000);
  gSupportVersion = support ? support->Version() : 0;
  PITableVersions& v = gTableVersions;
  CoreTable* core = nullptr;
  bool ok = Acquire(gAcroSupportHFT, tables::kAcroSupport, 0x60000, &v.acroSupport) &&
            Acquire(core, tables::kCore, 0x50000, &v.core) &&
            Acquire(gCosHFT, tables::kCos, 0x60000, &v.cos) &&
            Acquire(gPDModelHFT, tables::kPDModel, 0x60000, &v.pdModel) &&
            Acquire(gPDFEditWriteHFT, tables::kPDFEditWrite, 0x60000, &v.pdfEditWrite) &&
            Acquire(gPDFEditReadHFT, tables::kPDFEditRead, 0x60000, &v.pdfEditRead) &&
            Acquire(gPDSysFontHFT, tables::kPDSysFont, 0x40000, &v.pdSysFont) &&
            Acquire(gPagePDEContentHFT, tables::kPagePDEContent, 0x60000, &v.pagePDEContent) &&
            Acquire(gAcroViewHFT, tables::kAcroView, 0x60000, &v.acroView) &&
            Acquire(gPDSWriteHFT, tables::kPDSWrite, 0x60000, &v.pdsWrite) &&
            Acquire(gPDSReadHFT, tables::kPDSRead, 0x60000, &v.pdsRead) &&
            Acquire(gMacintoshHFT, tables::kMacintosh, 0x20002, &v.macintosh) &&
            Acquire(gASExtraHFT, tables::kASExtra, 0x60000, &v.asExtra) &&
            Acquire(gAcroViewSweetPeaHFT, tables::kAcroViewSweetPea, 0x50000, &v.acroViewSweetPea) &&
            Acquire(gPDMetadataHFT, tables::kPDMetadata, 0x60000, &v.pdMetadata) &&
            Acquire(gAcroColorHFT, tables::kAcroColor, 0x60000, &v.acroColor);
  return ok;
}

bool PIHandshake(std::uint32_t handshakeVersion, void* handshakeData) {
  if (handshakeVersion != kHandshakeV0200 || !handshakeData) return false;
  auto* reply = static_cast<PIHandshakeData_V0200*>(handshakeData);
  reply->extensionName = GetExtensionName();
  reply->exportHFTsCallback = &PluginExportHFTs;
  reply->importReplaceAndRegisterCallback = &PluginImportReplaceAndRegister;
  reply->initCallback = &PluginInit;
  reply->unloadCallback = &PluginUnload;
  return true;
}

bool PISetupSDK(std::uint32_t handshakeVersion, void* sdkData) {
  if (handshakeVersion != kHandshakeV0200 || !sdkData) return false;
  auto* data = static_cast<PISDKData_V0200*>(sdkData);
  if (data->handshakeVersion != kHandshakeV0200 || !data->coreHFT) return false;
  gExtensionID = data->extensionID;
  gCoreHFT = data->coreHFT;
  try {
    if (!AcquireHostTables()) {
      PIResetTables();
      return false;
    }
  } catch (...) {
    PIResetTables();
    return false;
  }
  data->handshakeCallback = &PIHandshake;
  return true;
}

}  // namespace

void PIResetTables() {
  gExtensionID = nullptr;
  gCoreHFT = nullptr;
  gAcroSupportHFT = nullptr;
  gCosHFT = nullptr;
  gPDModelHFT = nullptr;
  gPDFEditWriteHFT = nullptr;
  gPDFEditReadHFT = nullptr;
  gPDSysFontHFT = nullptr;
  gPagePDEContentHFT = nullptr;
  gAcroViewHFT = nullptr;
  gPDSWriteHFT = nullptr;
  gPDSReadHFT = nullptr;
  gMacintoshHFT = nullptr;
  gASExtraHFT = nullptr;
  gAcroViewSweetPeaHFT = nullptr;
  gPDMetadataHFT = nullptr;
  gAcroColorHFT = nullptr;
  gTableVersions = {};
  gSupportVersion = 0;
}

extern "C" bool PIMain(std::uint32_t appHandshakeVersion, std::uint32_t* handshakeVersion,
                       PISetupSDKProc* setupProc, void* bundleParams) {
  if (!handshakeVersion || !setupProc || !bundleParams) return false;
  const auto* params = static_cast<const PIBundleParams*>(bundleParams);
  if (params->tag != kBundleParamsTag) return false;
  *handshakeVersion = appHandshakeVersion < kHandshakeV0200 ? appHandshakeVersion : kHandshakeV0200;
  *setupProc = &PISetupSDK;
  return true;
}

extern "C" const PIResourceBlob* PIResources() { return &gEmbeddedResources; }
