// The function table the block tool exports to other plug-ins, so that they
// can create blocks and set their properties without knowing its classes.
#pragma once

#include <memory>

#include "host/Tables.h"

inline constexpr host::TableVersion kMarkupContentHFTVersion = 1;
inline constexpr int kMarkupContentHFTEntryCount = 7;

// The server registered with the host, and the table it hands out: made on
// the first request, then kept.
extern std::unique_ptr<host::TableServer> gMarkupContentHFTServer;
extern std::unique_ptr<host::SelectorTable> gMarkupContentHFT;

// Provider of the table server.
host::HostTable* ProvideMarkupContentHFT(host::TableServer* server, host::TableVersion version, void* clientData);

// Publishes the table under the extension's name; false when the host
// refused the server.
bool RegisterMarkupContentHFTServer(void* clientData);
// Takes the server back from the host (the table itself stays until the
// plug-in's code is unloaded, for callers that still hold it).
void UnregisterMarkupContentHFTServer();
