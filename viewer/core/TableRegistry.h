// Every table the host hands out: its own tables, and the tables plug-ins
// publish through table servers (provided on the first request, then kept).
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/Core.h"
#include "host/Tables.h"

namespace viewer {

class TableRegistry {
 public:
  // Tables with these names are never served (a host built without them).
  explicit TableRegistry(std::set<std::string> withheld = {}) : withheld_(std::move(withheld)) {}

  // A table of the host (not owned). Later tables of the same name win.
  void AddHostTable(host::HostTable& table);
  bool IsWithheld(std::string_view name) const { return withheld_.count(std::string(name)) != 0; }

  // The table of that name at minVersion or newer, else null.
  host::HostTable* Get(std::string_view name, host::TableVersion minVersion);

  // False when the name is already served.
  bool RegisterServer(host::TableServer& server, host::ExtensionID owner);
  void UnregisterServer(const host::TableServer& server);
  void UnregisterServersOf(host::ExtensionID owner);

 private:
  struct Published {
    host::TableServer* server = nullptr;
    host::ExtensionID owner = nullptr;
    host::HostTable* table = nullptr;  // once provided
  };

  std::set<std::string> withheld_;
  std::map<std::string, host::HostTable*, std::less<>> hostTables_;
  std::map<std::string, Published, std::less<>> published_;
};

}  // namespace viewer
