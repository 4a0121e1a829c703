// "AcroSupport": POSIX paths, folder listings and files.
#pragma once

#include "host/Core.h"
#include "viewer/core/ServedTable.h"

namespace viewer {

class FileSystemServices final : public ServedTable<host::AcroSupportTable> {
 public:
  FileSystemServices(host::TableVersion version, std::string helpFolder)
      : ServedTable("AcroSupport", version), helpFolder_(std::move(helpFolder)) {}

  host::ASPathName PathFromText(std::string_view text, std::string_view pathType) override;
  std::string DisplayString(const host::ASPathName& path) override { return path.Str(); }
  std::string FileName(const host::ASPathName& path) override;
  host::ASPathName Parent(const host::ASPathName& path) override;
  host::ASPathName Join(const host::ASPathName& folder, std::string_view name) override;
  host::ASFileSysItemProps ItemProperties(const host::ASPathName& path) override;
  std::vector<host::ASFolderItem> ListFolder(const host::ASPathName& folder) override;
  std::optional<std::string> RelativePath(const host::ASPathName& file, const host::ASPathName& baseFolder) override;
  host::ASPathName ResolveRelativePath(const host::ASPathName& baseFolder, std::string_view relative) override;
  host::ASPathName SpecialFolder(int category, int kind) override;
  std::string ReadFile(const host::ASPathName& path) override;
  void DeleteFile(const host::ASPathName& path) override;
  bool SameFile(const host::ASPathName& a, const host::ASPathName& b) override;

 private:
  std::string helpFolder_;
};

}  // namespace viewer
