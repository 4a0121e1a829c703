#include "blocktool/host/HFTMarkupContent.h"

#include "blocktool/host/MarkupContentInit.h"
#include "host/PluginEntry.h"

std::unique_ptr<host::TableServer> gMarkupContentHFTServer;
std::unique_ptr<host::SelectorTable> gMarkupContentHFT;

host::HostTable* ProvideMarkupContentHFT(host::TableServer*, host::TableVersion, void*) {
  if (!gMarkupContentHFT) {
    gMarkupContentHFT = std::make_unique<host::SelectorTable>(kMarkupContentExtensionName, kMarkupContentHFTVersion,
                                                              kMarkupContentHFTEntryCount);
  }
  return gMarkupContentHFT.get();
}

bool RegisterMarkupContentHFTServer(void* clientData) {
  UnregisterMarkupContentHFTServer();
  gMarkupContentHFTServer = std::make_unique<host::TableServer>(kMarkupContentExtensionName, &ProvideMarkupContentHFT,
                                                                nullptr, clientData);
  if (gCoreHFT->RegisterTableServer(gMarkupContentHFTServer.get(), gExtensionID)) return true;
  gMarkupContentHFTServer.reset();
  return false;
}

void UnregisterMarkupContentHFTServer() {
  if (!gMarkupContentHFTServer) return;
  if (gCoreHFT) gCoreHFT->UnregisterTableServer(gMarkupContentHFTServer.get());
  gMarkupContentHFTServer.reset();
}
