#include "blocktool/collections/RelativePath.h"

#include <algorithm>

#include "blocktool/model/Service.h"
#include "host/AV.h"
#include "host/PluginEntry.h"

namespace {

host::ASPathName ActiveDocumentPath() {
  if (!gAcroViewHFT) return {};
  try {
    host::AVDoc* doc = gAcroViewHFT->GetActiveDoc();
    host::PDDoc* pdDoc = doc ? doc->GetPDDoc() : nullptr;
    return pdDoc ? pdDoc->Path() : host::ASPathName();
  } catch (...) {
    return {};
  }
}

}  // namespace

CRelativePath::CRelativePath() : CRelativePath(ActiveDocumentPath()) {}

CRelativePath::CRelativePath(host::ASPathName documentPath) : documentPath_(std::move(documentPath)) {
  Service.GetSystemDelimiters(&foreignSeparator_, &systemSeparator_, &currentFolder_, &parentFolder_);
  ParsePath(documentPath_, documentFolders_);
}

void CRelativePath::ParsePath(const std::string& path, std::vector<std::string>& components,
                              std::string& last) const {
  components.clear();
  last.clear();
  if (path.empty()) return;
  if (path.find(systemSeparator_) == std::string::npos) {
    components.push_back(path);
    last = path;
    return;
  }
  std::size_t start = 0;
  for (std::size_t cut = path.find(systemSeparator_); cut != std::string::npos;
       cut = path.find(systemSeparator_, start)) {
    components.push_back(path.substr(start, cut - start));
    start = cut + 1;
  }
  last = path.substr(start);
}

void CRelativePath::ParsePath(const host::ASPathName& path, std::vector<std::string>& components) const {
  std::string last;
  ParsePath(gAcroSupportHFT ? gAcroSupportHFT->DisplayString(path) : path.Str(), components, last);
}

std::string CRelativePath::GetFileNameOnly(const std::string& path) const {
  const std::size_t cut = path.rfind(systemSeparator_);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string CRelativePath::GetRelativeFileName(const std::string& path) const {
  return currentFolder_ + systemSeparator_ + GetFileNameOnly(path);
}

void CRelativePath::UnifySlashes(std::string& path) const {
  std::replace(path.begin(), path.end(), foreignSeparator_, systemSeparator_);
}

host::ASPathName CRelativePath::DocumentFolder() const {
  if (documentPath_.IsNull() || !gAcroSupportHFT) return {};
  return gAcroSupportHFT->Parent(documentPath_);
}

std::string CRelativePath::AbsoluteToRelativePath(const std::string& absolute) const {
  const host::ASPathName folder = DocumentFolder();
  if (folder.IsNull() || absolute.empty()) return {};
  std::string relative;
  try {
    relative = gAcroSupportHFT->RelativePath(gAcroSupportHFT->PathFromText(absolute), folder).value_or("");
  } catch (...) {
    relative.clear();
  }
  UnifySlashes(relative);
  return relative;
}

std::string CRelativePath::RelativeToAbsolutePath(const std::string& relative) const {
  std::string absolute;
  const host::ASPathName folder = DocumentFolder();
  try {
    if (!folder.IsNull() && !relative.empty())
      absolute = gAcroSupportHFT->DisplayString(gAcroSupportHFT->ResolveRelativePath(folder, relative));
  } catch (...) {
    absolute.clear();
  }
  if (absolute.empty()) absolute = RelativePathBackToAbsolute(relative);
  UnifySlashes(absolute);
  return absolute;
}

std::string CRelativePath::RelativePathBackToAbsolute(const std::string& relative) const {
  if (relative.empty() || documentFolders_.size() < 2) return {};
  std::vector<std::string> components;
  std::string name;
  ParsePath(relative, components, name);
  // A bare file name is a name, not a folder of that name as well.
  if (relative.find(systemSeparator_) == std::string::npos) components.clear();
  std::size_t up = 0;
  while (up < components.size() && components[up] == parentFolder_) ++up;
  std::string result;
  const std::size_t kept = documentFolders_.size() > up ? documentFolders_.size() - up : 0;
  for (std::size_t i = 0; i < kept; ++i) result += documentFolders_[i] + foreignSeparator_;
  for (std::size_t i = up; i < components.size(); ++i) result += components[i] + foreignSeparator_;
  return result + name;
}

bool CRelativePath::IsFullPath(const std::string& path) const {
  return path.empty() || path.front() == systemSeparator_;
}

bool CRelativePath::IsSameRelativePath(const std::string& path) const {
  return path.size() >= 3 && path.compare(0, currentFolder_.size(), currentFolder_) == 0 &&
         path[currentFolder_.size()] == systemSeparator_ &&
         path.substr(currentFolder_.size() + 1) == GetFileNameOnly(path);
}

bool CRelativePath::DeviceOf(const std::string& path, std::uint64_t& device) const {
  if (!gAcroSupportHFT || path.empty()) return false;
  try {
    host::ASPathName item = gAcroSupportHFT->PathFromText(path);
    if (!IsFullPath(path)) {
      const host::ASPathName folder = DocumentFolder();
      if (folder.IsNull()) return false;
      item = gAcroSupportHFT->ResolveRelativePath(folder, path);
    }
    while (!item.IsNull()) {
      const host::ASFileSysItemProps props = gAcroSupportHFT->ItemProperties(item);
      if (props.kind != host::ASFileKind::Missing) {
        device = props.device;
        return true;
      }
      const host::ASPathName parent = gAcroSupportHFT->Parent(item);
      if (parent == item) break;
      item = parent;
    }
  } catch (...) {
    // An unreadable path is on no known file system.
  }
  return false;
}

bool CRelativePath::IsSameFolder(const std::string& path) const {
  if (path.empty()) return true;
  std::uint64_t fileDevice = 0;
  std::uint64_t documentDevice = 0;
  const host::ASPathName folder = DocumentFolder();
  return !folder.IsNull() && DeviceOf(path, fileDevice) && DeviceOf(folder.Str(), documentDevice) &&
         fileDevice == documentDevice;
}
