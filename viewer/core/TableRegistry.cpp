#include "viewer/core/TableRegistry.h"

#include <iterator>

namespace viewer {

void TableRegistry::AddHostTable(host::HostTable& table) {
  const std::string name = table.TableName();
  if (IsWithheld(name)) return;
  hostTables_[name] = &table;
}

host::HostTable* TableRegistry::Get(std::string_view name, host::TableVersion minVersion) {
  if (const auto it = hostTables_.find(name); it != hostTables_.end()) {
    host::HostTable* table = it->second;
    return table->Version() >= minVersion ? table : nullptr;
  }
  const auto it = published_.find(name);
  if (it == published_.end()) return nullptr;
  Published& entry = it->second;
  if (!entry.table) entry.table = entry.server->Provide(minVersion);
  if (!entry.table || entry.table->Version() < minVersion) return nullptr;
  return entry.table;
}

bool TableRegistry::RegisterServer(host::TableServer& server, host::ExtensionID owner) {
  const std::string& name = server.Name();
  if (hostTables_.count(name) || published_.count(name)) return false;
  published_.emplace(name, Published{&server, owner, nullptr});
  return true;
}

void TableRegistry::UnregisterServer(const host::TableServer& server) {
  std::erase_if(published_, [&](const auto& entry) { return entry.second.server == &server; });
}

void TableRegistry::UnregisterServersOf(host::ExtensionID owner) {
  std::erase_if(published_, [&](const auto& entry) { return entry.second.owner == owner; });
}

}  // namespace viewer
