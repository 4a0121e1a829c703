// File paths of a block's default image or PDF, absolute or relative to the
// PDF document that holds the block. Paths are POSIX paths: "/" is the only
// separator (":" is an ordinary character in a file name), an absolute path
// begins with "/", the same-folder form is "./name" and every level up is
// "..". Relative forms are made and resolved against the folder of the
// document that was active when the object was made.
#pragma once

#include <string>
#include <vector>

#include "host/Core.h"

class CRelativePath {
 public:
  // Takes the active document's file (none: relative forms cannot be made).
  CRelativePath();
  // The same for a given document file.
  explicit CRelativePath(host::ASPathName documentPath);

  // Splits path at its separators: the folders into components, the text
  // after the last separator into last. A path without a separator is one
  // component and also the last part. An absolute path's first component is
  // "" (the root).
  void ParsePath(const std::string& path, std::vector<std::string>& components, std::string& last) const;
  void ParsePath(const host::ASPathName& path, std::vector<std::string>& components) const;

  std::string GetFileNameOnly(const std::string& path) const;
  // "./" + the file name: the same-folder form.
  std::string GetRelativeFileName(const std::string& path) const;
  // Paths already use the one separator of this system.
  void UnifySlashes(std::string& path) const;

  // "" when the file has no relative form (another file system, no document).
  std::string AbsoluteToRelativePath(const std::string& absolute) const;
  std::string RelativeToAbsolutePath(const std::string& relative) const;
  // Rebuilds an absolute path from the document's folders without the host:
  // one folder dropped per leading "..".
  std::string RelativePathBackToAbsolute(const std::string& relative) const;

  // True for "" and for a path that begins with "/".
  bool IsFullPath(const std::string& path) const;
  // "./name" with no further separator.
  bool IsSameRelativePath(const std::string& path) const;
  // True for "" and for a file on the file system of the document's folder
  // (a file that does not exist yet counts by its nearest existing folder).
  bool IsSameFolder(const std::string& path) const;

  const std::vector<std::string>& DocumentFolders() const { return documentFolders_; }

 private:
  host::ASPathName DocumentFolder() const;
  // The file system of the path or of its nearest existing ancestor.
  bool DeviceOf(const std::string& path, std::uint64_t& device) const;

  char foreignSeparator_ = '/';
  char systemSeparator_ = '/';
  std::string currentFolder_ = ".";
  std::string parentFolder_ = "..";
  host::ASPathName documentPath_;
  std::vector<std::string> documentFolders_;
};
