// The Core and AcroSupport tables: atoms, errors, memory, table lookup and
// publication, file-system paths and files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostError.h"
#include "host/HostTypes.h"
#include "host/Tables.h"

namespace host {

// The host's record of one loaded plug-in (opaque to plug-ins). Menus,
// tool-bar buttons and page-content acquisitions are owned by it; the
// plug-in's resources are found through it.
struct ExtensionRecord;
using ExtensionID = ExtensionRecord*;

class KORVID_HOST_API CoreTable : public HostTable {
 public:
  // Atoms: equal texts give equal atoms. Raises kErrAtomTableFull when the
  // 16-bit atom space is used up.
  virtual ASAtom AtomFromString(std::string_view text) = 0;
  virtual std::string AtomGetString(ASAtom atom) = 0;
  // Answers ASAtomNull when the text has no atom yet (does not make one).
  virtual ASAtom AtomExistsForString(std::string_view text) = 0;

  // The host's text for an error code.
  virtual std::string ErrorText(int code) = 0;

  // Host memory (for objects that the host or another plug-in may free).
  virtual void* Malloc(std::size_t size) = 0;
  virtual void Free(void* p) = 0;

  // Tables served by the host or published by plug-ins: the table when it
  // exists at a version of at least minVersion, else null.
  virtual HostTable* GetTable(std::string_view name, TableVersion minVersion) = 0;
  // Registers a plug-in's table server; the host does not own it.
  virtual bool RegisterTableServer(TableServer* server, ExtensionID owner) = 0;
  virtual void UnregisterTableServer(TableServer* server) = 0;
};

// A file-system path: a POSIX path, "/" the only separator, absolute when it
// begins with "/".
class ASPathName {
 public:
  ASPathName() = default;
  explicit ASPathName(std::string path) : path_(std::move(path)) {}
  bool IsNull() const { return path_.empty(); }
  const std::string& Str() const { return path_; }
  friend bool operator==(const ASPathName&, const ASPathName&) = default;

 private:
  std::string path_;
};

enum class ASFileKind { Missing, File, Folder, Other };

struct ASFileSysItemProps {
  ASFileKind kind = ASFileKind::Missing;
  std::uint64_t size = 0;
  std::uint64_t device = 0;  // identity of the file: (device, inode)
  std::uint64_t inode = 0;
};

struct ASFolderItem {
  ASPathName path;
  ASFileKind kind = ASFileKind::Missing;
};

class AcroSupportTable : public HostTable {
 public:
  // Paths. PathFromText accepts the path types "Cstring" and "POSIXPath"
  // (both plain POSIX path text).
  virtual ASPathName PathFromText(std::string_view text, std::string_view pathType = "Cstring") = 0;
  virtual std::string DisplayString(const ASPathName& path) = 0;   // "" for a null path
  virtual std::string FileName(const ASPathName& path) = 0;        // last component
  virtual ASPathName Parent(const ASPathName& path) = 0;           // null for "/"
  virtual ASPathName Join(const ASPathName& folder, std::string_view name) = 0;
  virtual ASFileSysItemProps ItemProperties(const ASPathName& path) = 0;  // kind Missing when absent
  // The items of a folder sorted by name (byte order). Raises kErrFileNotFound.
  virtual std::vector<ASFolderItem> ListFolder(const ASPathName& folder) = 0;
  // A path of the file relative to the folder of base ("./name" in the same
  // folder, ".." per level up); nullopt when there is no relative form
  // (another file system).
  virtual std::optional<std::string> RelativePath(const ASPathName& file, const ASPathName& baseFolder) = 0;
  virtual ASPathName ResolveRelativePath(const ASPathName& baseFolder, std::string_view relative) = 0;
  // Special folders: category 1, kind 8 is the folder of the plug-ins' help.
  // Raises kErrFileNotFound when the host has no such folder.
  virtual ASPathName SpecialFolder(int category, int kind) = 0;

  // Files.
  virtual std::string ReadFile(const ASPathName& path) = 0;  // raises kErrFileRead
  virtual void DeleteFile(const ASPathName& path) = 0;       // raises kErrFileWrite
  virtual bool SameFile(const ASPathName& a, const ASPathName& b) = 0;  // by device and inode
};

}  // namespace host
