#include "viewer/core/CoreServices.h"

#include <cstdlib>

#include "viewer/core/ErrorTexts.h"

namespace viewer {

std::string CoreServices::ErrorText(int code) { return HostErrorText(code); }

void* CoreServices::Malloc(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) host::RaiseHostError(host::kErrNoMemory);
  return p;
}

void CoreServices::Free(void* p) { std::free(p); }

bool CoreServices::RegisterTableServer(host::TableServer* server, host::ExtensionID owner) {
  return server && tables_.RegisterServer(*server, owner);
}

void CoreServices::UnregisterTableServer(host::TableServer* server) {
  if (server) tables_.UnregisterServer(*server);
}

}  // namespace viewer
