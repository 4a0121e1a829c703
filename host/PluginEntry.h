// The loading protocol between the host and a plug-in module, and the glue
// that every plug-in links: PIMain -> PISetupSDK (acquires the host tables)
// -> PIHandshake -> export tables -> import tables -> init ... unload.
#pragma once

#include <cstdint>
#include <string>

#include "host/ADM.h"
#include "host/AV.h"
#include "host/Core.h"
#include "host/Cos.h"
#include "host/PD.h"
#include "host/PDE.h"
#include "host/Platform.h"
#include "host/Tables.h"

namespace host {

inline constexpr std::uint32_t kHandshakeV0200 = 0x20000;
inline constexpr std::int32_t kBundleParamsTag = 16;

// What the host passes to PIMain.
struct PIBundleParams {
  std::int32_t tag = kBundleParamsTag;  // must be 16
  const char* pluginPath = nullptr;     // the module's file
  const char* appPath = nullptr;        // the host executable
  const void* resourceFile = nullptr;   // the module's resources, as the host read them
};

struct PISDKData_V0200;
using PISetupSDKProc = bool (*)(std::uint32_t handshakeVersion, void* sdkData);

struct PIHandshakeData_V0200 {
  std::uint32_t handshakeVersion = kHandshakeV0200;
  ASAtom extensionName = ASAtomNull;
  bool (*exportHFTsCallback)() = nullptr;
  bool (*importReplaceAndRegisterCallback)() = nullptr;
  bool (*initCallback)() = nullptr;
  bool (*unloadCallback)() = nullptr;
};

using PIHandshakeProc = bool (*)(std::uint32_t handshakeVersion, void* handshakeData);

struct PISDKData_V0200 {
  std::uint32_t handshakeVersion = kHandshakeV0200;
  ExtensionID extensionID = nullptr;
  CoreTable* coreHFT = nullptr;
  PIHandshakeProc handshakeCallback = nullptr;  // filled by the plug-in
};

// The plug-in's embedded resource data (the resources/ files of the module,
// concatenated with names). The host parses it.
struct PIResourceBlob {
  const char* data = nullptr;
  std::size_t size = 0;
};

using PIMainProc = bool (*)(std::uint32_t appHandshakeVersion, std::uint32_t* handshakeVersion,
                            PISetupSDKProc* setupProc, void* bundleParams);
using PIResourcesProc = const PIResourceBlob* (*)();

}  // namespace host

// Symbols every plug-in module exports.
extern "C" __attribute__((visibility("default"))) bool PIMain(std::uint32_t appHandshakeVersion,
                                                              std::uint32_t* handshakeVersion,
                                                              host::PISetupSDKProc* setupProc,
                                                              void* bundleParams);
extern "C" __attribute__((visibility("default"))) const host::PIResourceBlob* PIResources();

// Defined by each plug-in.
host::ASAtom GetExtensionName();
bool PluginExportHFTs();
bool PluginImportReplaceAndRegister();
bool PluginInit();
bool PluginUnload();
// The module's embedded resources (generated at build time).
extern const host::PIResourceBlob gEmbeddedResources;

// Host tables and their versions, acquired by PISetupSDK.
extern host::ExtensionID gExtensionID;
extern host::CoreTable* gCoreHFT;
extern host::AcroSupportTable* gAcroSupportHFT;
extern host::CosTable* gCosHFT;
extern host::PDModelTable* gPDModelHFT;
extern host::PDFEditWriteTable* gPDFEditWriteHFT;
extern host::PDFEditReadTable* gPDFEditReadHFT;
extern host::PDSysFontTable* gPDSysFontHFT;
extern host::PagePDEContentTable* gPagePDEContentHFT;
extern host::AcroViewTable* gAcroViewHFT;
extern host::HostTable* gPDSWriteHFT;
extern host::HostTable* gPDSReadHFT;
extern host::PlatformTable* gMacintoshHFT;
extern host::HostTable* gASExtraHFT;
extern host::AcroViewSweetPeaTable* gAcroViewSweetPeaHFT;
extern host::HostTable* gPDMetadataHFT;
extern host::HostTable* gAcroColorHFT;

struct PITableVersions {
  host::TableVersion acroSupport = 0, core = 0, cos = 0, pdModel = 0, pdfEditWrite = 0, pdfEditRead = 0,
                     pdSysFont = 0, pagePDEContent = 0, acroView = 0, pdsWrite = 0, pdsRead = 0,
                     macintosh = 0, asExtra = 0, acroViewSweetPea = 0, pdMetadata = 0, acroColor = 0;
};
extern PITableVersions gTableVersions;

// Clears every table pointer (after unload, or before a test attaches a
// plug-in's code to another host in the same process).
void PIResetTables();
