#include "blocktool/dialogs/FileOpenSaveDialog.h"

#include "blocktool/model/Service.h"
#include "host/AV.h"
#include "host/PluginEntry.h"

void CFileOpenSaveDialog::AddFilter(const std::string& description, const std::string& extensions,
                                    std::uint32_t fileType, std::uint32_t creator) {
  std::vector<std::string> parsed;
  ParseFilterExtensions(extensions, parsed);
  FileFilter filter{description, {}};
  for (std::string& extension : parsed) filter.files.push_back({std::move(extension), fileType, creator});
  filters_.push_back(std::move(filter));
}

int CFileOpenSaveDialog::ParseFilterExtensions(const std::string& text, std::vector<std::string>& extensions) {
  extensions.clear();
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
    extensions.push_back(text.substr(start, comma - start));
    start = std::min(comma + 2, text.size());
  }
  extensions.push_back(text.substr(start));
  return static_cast<int>(extensions.size());
}

bool CFileOpenSaveDialog::ActivateOpenDialog(const std::string& text, std::string& path) {
  return ActivateDialog(text, path, kOpen);
}

bool CFileOpenSaveDialog::ActivateSaveDialog(const std::string& text, std::string& path) {
  return ActivateDialog(text, path, kSave);
}

host::AVFileDialogParams CFileOpenSaveDialog::HostParams(int kind) const {
  host::AVFileDialogParams params;
  params.title = title_;
  for (const FileFilter& filter : filters_) {
    host::AVFileFilter hostFilter{filter.description, {}};
    for (const FileDescriptor& file : filter.files) hostFilter.extensions.push_back(file.extension);
    params.filters.push_back(std::move(hostFilter));
  }
  if (kind == kSave) params.defaultName = kDefaultSaveName;
  return params;
}

bool CFileOpenSaveDialog::ActivateDialog(const std::string&, std::string& path, int kind) {
  if (!gAcroViewHFT || !gAcroSupportHFT) return false;
  const host::AVFileDialogParams params = HostParams(kind);
  try {
    if (kind == kSave) {
      const std::optional<host::ASPathName> chosen = gAcroViewHFT->ChooseFileToSave(params);
      if (!chosen || chosen->IsNull()) return false;
      path = gAcroSupportHFT->DisplayString(*chosen);
      return true;
    }
    const std::vector<host::ASPathName> chosen = gAcroViewHFT->ChooseFilesToOpen(params);
    if (chosen.empty() || chosen.front().IsNull()) return false;
    path = gAcroSupportHFT->DisplayString(chosen.front());
    return true;
  } catch (...) {
    Service.ExceptionAlert("File dialog");
    return false;
  }
}
