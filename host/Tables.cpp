#include "host/Tables.h"

namespace host {

HostTable::~HostTable() = default;

SelectorTable::SelectorTable(std::string name, TableVersion version, int entryCount)
    : name_(std::move(name)), version_(version), entries_(entryCount > 0 ? entryCount : 0, nullptr) {}

void SelectorTable::ReplaceEntry(int selector, Entry entry) {
  if (selector >= 1 && selector <= EntryCount()) entries_[selector - 1] = entry;
}

SelectorTable::Entry SelectorTable::GetEntry(int selector) const {
  if (selector < 1 || selector > EntryCount()) return nullptr;
  return entries_[selector - 1];
}

TableServer::TableServer(std::string name, TableProviderProc provider, TableDestroyProc destroy, void* clientData)
    : name_(std::move(name)), provider_(provider), destroy_(destroy), clientData_(clientData) {}

TableServer::~TableServer() {
  if (destroy_) destroy_(this, clientData_);
}

HostTable* TableServer::Provide(TableVersion version) {
  return provider_ ? provider_(this, version, clientData_) : nullptr;
}

}  // namespace host
