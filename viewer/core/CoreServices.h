// "Core": atoms, error texts, memory, and table lookup and publication.
#pragma once

#include "host/Core.h"
#include "viewer/core/AtomTable.h"
#include "viewer/core/ServedTable.h"
#include "viewer/core/TableRegistry.h"

namespace viewer {

class CoreServices final : public ServedTable<host::CoreTable> {
 public:
  CoreServices(host::TableVersion version, AtomTable& atoms, TableRegistry& tables)
      : ServedTable("Core", version), atoms_(atoms), tables_(tables) {}

  host::ASAtom AtomFromString(std::string_view text) override { return atoms_.Intern(text); }
  std::string AtomGetString(host::ASAtom atom) override { return atoms_.Text(atom); }
  host::ASAtom AtomExistsForString(std::string_view text) override { return atoms_.Find(text); }
  std::string ErrorText(int code) override;
  void* Malloc(std::size_t size) override;
  void Free(void* p) override;
  host::HostTable* GetTable(std::string_view name, host::TableVersion minVersion) override {
    return tables_.Get(name, minVersion);
  }
  bool RegisterTableServer(host::TableServer* server, host::ExtensionID owner) override;
  void UnregisterTableServer(host::TableServer* server) override;

 private:
  AtomTable& atoms_;
  TableRegistry& tables_;
};

}  // namespace viewer
