#include "viewer/core/FileSystemServices.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/HostError.h"

namespace fs = std::filesystem;

namespace viewer {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

host::ASFileKind KindOf(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return host::ASFileKind::File;
  if (S_ISDIR(st.st_mode)) return host::ASFileKind::Folder;
  return host::ASFileKind::Other;
}

bool StatPath(const std::string& path, struct stat* st) { return !path.empty() && ::stat(path.c_str(), st) == 0; }

// The device of the path, or of its nearest existing ancestor.
std::optional<dev_t> DeviceOf(fs::path path) {
  struct stat st {};
  while (!path.empty()) {
    if (StatPath(path.string(), &st)) return st.st_dev;
    if (path == path.parent_path()) break;
    path = path.parent_path();
  }
  return std::nullopt;
}

}  // namespace

host::ASPathName FileSystemServices::PathFromText(std::string_view text, std::string_view pathType) {
  if (pathType != "Cstring" && pathType != "POSIXPath") host::RaiseHostError(host::kErrBadParameter, "path type");
  return host::ASPathName(std::string(text));
}

std::string FileSystemServices::FileName(const host::ASPathName& path) {
  const std::string p = WithoutTrailingSlashes(path.Str());
  if (p == "/") return "";
  const auto slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

host::ASPathName FileSystemServices::Parent(const host::ASPathName& path) {
  const std::string p = WithoutTrailingSlashes(path.Str());
  if (p.empty() || p == "/") return {};
  const auto slash = p.rfind('/');
  if (slash == std::string::npos) return host::ASPathName(".");
  if (slash == 0) return host::ASPathName("/");
  return host::ASPathName(p.substr(0, slash));
}

host::ASPathName FileSystemServices::Join(const host::ASPathName& folder, std::string_view name) {
  if (folder.IsNull()) return host::ASPathName(std::string(name));
  return host::ASPathName((fs::path(folder.Str()) / fs::path(name)).string());
}

host::ASFileSysItemProps FileSystemServices::ItemProperties(const host::ASPathName& path) {
  host::ASFileSysItemProps props;
  struct stat st {};
  if (!StatPath(path.Str(), &st)) return props;
  props.kind = KindOf(st);
  props.size = static_cast<std::uint64_t>(st.st_size);
  props.device = static_cast<std::uint64_t>(st.st_dev);
  props.inode = static_cast<std::uint64_t>(st.st_ino);
  return props;
}

std::vector<host::ASFolderItem> FileSystemServices::ListFolder(const host::ASPathName& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder.Str(), ec);
  if (ec) host::RaiseHostError(host::kErrFileNotFound, folder.Str());
  std::vector<host::ASFolderItem> items;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) host::RaiseHostError(host::kErrFileRead, folder.Str());
    const std::string path = it->path().string();
    items.push_back({host::ASPathName(path), ItemProperties(host::ASPathName(path)).kind});
  }
  // Listings come in no particular order from the system; byte order of the
  // names keeps every run alike.
  std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.path.Str() < b.path.Str(); });
  return items;
}

std::optional<std::string> FileSystemServices::RelativePath(const host::ASPathName& file,
                                                            const host::ASPathName& baseFolder) {
  const fs::path target = fs::path(file.Str()).lexically_normal();
  const fs::path base = fs::path(baseFolder.Str()).lexically_normal();
  if (!target.is_absolute() || !base.is_absolute()) return std::nullopt;
  const auto targetDevice = DeviceOf(target);
  const auto baseDevice = DeviceOf(base);
  if (!targetDevice || targetDevice != baseDevice) return std::nullopt;
  const fs::path relative = target.lexically_relative(base);
  if (relative.empty() || relative == ".") return std::nullopt;
  const std::string text = relative.string();
  if (text.rfind("..", 0) == 0) return text;
  return "./" + text;
}

host::ASPathName FileSystemServices::ResolveRelativePath(const host::ASPathName& baseFolder,
                                                         std::string_view relative) {
  const fs::path rel(relative);
  if (rel.is_absolute()) return host::ASPathName(rel.lexically_normal().string());
  return host::ASPathName((fs::path(baseFolder.Str()) / rel).lexically_normal().string());
}

host::ASPathName FileSystemServices::SpecialFolder(int category, int kind) {
  if (category != 1 || kind != 8) host::RaiseHostError(host::kErrFileNotFound, "special folder");
  std::error_code ec;
  if (helpFolder_.empty() || !fs::is_directory(helpFolder_, ec)) host::RaiseHostError(host::kErrFileNotFound, helpFolder_);
  return host::ASPathName(helpFolder_);
}

std::string FileSystemServices::ReadFile(const host::ASPathName& path) {
  std::ifstream in(path.Str(), std::ios::binary);
  if (!in) {
    struct stat st {};
    host::RaiseHostError(StatPath(path.Str(), &st) ? host::kErrFileRead : host::kErrFileNotFound, path.Str());
  }
  std::ostringstream data;
  data << in.rdbuf();
  if (in.bad()) host::RaiseHostError(host::kErrFileRead, path.Str());
  return data.str();
}

void FileSystemServices::DeleteFile(const host::ASPathName& path) {
  std::error_code ec;
  if (!fs::remove(path.Str(), ec) || ec) host::RaiseHostError(host::kErrFileWrite, path.Str());
}

bool FileSystemServices::SameFile(const host::ASPathName& a, const host::ASPathName& b) {
  struct stat sa {}, sb {};
  if (!StatPath(a.Str(), &sa) || !StatPath(b.Str(), &sb)) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace viewer
