// The host's file-open and file-save dialogs with a title and file-type
// filters; answers the chosen file as a path. Filters match by extension
// (case-insensitively); the file type and creator codes are kept for callers
// but play no part on this system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/AV.h"

struct FileDescriptor {
  std::string extension;
  std::uint32_t fileType = 0;
  std::uint32_t creator = 0;
};

struct FileFilter {
  std::string description;
  std::vector<FileDescriptor> files;
};

// The name a save dialog proposes.
inline constexpr const char* kDefaultSaveName = "blocks.mct";

class CFileOpenSaveDialog {
 public:
  enum Kind { kOpen = 0, kSave = 1 };

  explicit CFileOpenSaveDialog(std::string title) : title_(std::move(title)) {}

  // extensions: one or more, separated by ", " ("tif, tiff").
  void AddFilter(const std::string& description, const std::string& extensions, std::uint32_t fileType,
                 std::uint32_t creator);
  // True and the chosen file's path when the user confirmed; path is left as
  // it was otherwise. The text argument is not used.
  bool ActivateOpenDialog(const std::string& text, std::string& path);
  bool ActivateSaveDialog(const std::string& text, std::string& path);
  bool ActivateDialog(const std::string& text, std::string& path, int kind);
  // What the host's dialog is given: the title, the filters in the order
  // they were added and, for a save dialog, the name it proposes.
  host::AVFileDialogParams HostParams(int kind) const;

  // Every "," ends an extension and the character after it is skipped; the
  // text after the last "," is the last extension (so there is always one).
  static int ParseFilterExtensions(const std::string& text, std::vector<std::string>& extensions);

  const std::string& Title() const { return title_; }
  const std::vector<FileFilter>& Filters() const { return filters_; }

 private:
  std::string title_;
  std::vector<FileFilter> filters_;
};

// Mac OS file type codes some callers pass along.
inline constexpr std::uint32_t kFileTypePDF = 0x50444620;  // 'PDF '
