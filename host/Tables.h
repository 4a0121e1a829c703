// Function tables: the host hands its services to plug-ins as named tables
// with versions, and plug-ins publish tables of their own through table
// servers that other plug-ins bind by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostTypes.h"

namespace host {

using TableVersion = std::uint32_t;

// Names and versions of the tables the host serves.
namespace tables {
inline constexpr const char* kAcroSupport = "AcroSupport";
inline constexpr const char* kCore = "Core";
inline constexpr const char* kCos = "Cos";
inline constexpr const char* kPDModel = "PDModel";
inline constexpr const char* kPDFEditWrite = "PDFEditWrite";
inline constexpr const char* kPDFEditRead = "PDFEditRead";
inline constexpr const char* kPDSysFont = "PDSysFont";
inline constexpr const char* kPagePDEContent = "PagePDEContent";
inline constexpr const char* kAcroView = "AcroView";
inline constexpr const char* kPDSWrite = "PDSWrite";
inline constexpr const char* kPDSRead = "PDSRead";
inline constexpr const char* kMacintosh = "Macintosh";  // platform services
inline constexpr const char* kASExtra = "ASExtra";
inline constexpr const char* kAcroViewSweetPea = "AcroViewSweetPea";  // dialog manager suites
inline constexpr const char* kPDMetadata = "PDMetadata";
inline constexpr const char* kAcroColor = "AcroColorHFT";
inline constexpr const char* kForms = "Forms";
}  // namespace tables

// Every table, host or plug-in, has a name and a version.
class KORVID_HOST_API HostTable {
 public:
  virtual ~HostTable();
  virtual std::string TableName() const = 0;
  virtual TableVersion Version() const = 0;
};

// A table whose entries are addressed by selector (1-based), as plug-ins
// publish them. Entries are untyped function pointers; the publisher and its
// callers agree on each selector's signature.
class KORVID_HOST_API SelectorTable final : public HostTable {
 public:
  using Entry = void (*)();
  SelectorTable(std::string name, TableVersion version, int entryCount);
  std::string TableName() const override { return name_; }
  TableVersion Version() const override { return version_; }
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  // Out-of-range selectors are ignored on write and answer null on read.
  void ReplaceEntry(int selector, Entry entry);
  Entry GetEntry(int selector) const;
  template <typename Fn>
  Fn GetEntryAs(int selector) const { return reinterpret_cast<Fn>(GetEntry(selector)); }

 private:
  std::string name_;
  TableVersion version_;
  std::vector<Entry> entries_;
};

class TableServer;
using TableProviderProc = HostTable* (*)(TableServer* server, TableVersion version, void* clientData);
using TableDestroyProc = void (*)(TableServer* server, void* clientData);

// A plug-in's publication of one named table. The provider is called on the
// first request for the table.
class KORVID_HOST_API TableServer {
 public:
  TableServer(std::string name, TableProviderProc provider, TableDestroyProc destroy, void* clientData);
  ~TableServer();
  TableServer(const TableServer&) = delete;
  TableServer& operator=(const TableServer&) = delete;
  const std::string& Name() const { return name_; }
  HostTable* Provide(TableVersion version);

 private:
  std::string name_;
  TableProviderProc provider_;
  TableDestroyProc destroy_;
  void* clientData_;
};

}  // namespace host
