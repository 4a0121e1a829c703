// The resource blob embedded in each plug-in module: every file of the
// plug-in's resource folder as a record "<relative path>\n<size>\n<bytes>".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace viewer {

struct ResourceFile {
  std::string path;        // relative to the plug-in's resource folder
  std::string_view bytes;  // points into the blob
};

// Splits a blob into its files, in blob order. Raises HostError kErrBadFile
// (text naming the record) when a record is cut short or malformed, or a
// path occurs twice.
std::vector<ResourceFile> ParseResourceBlob(std::string_view blob);

}  // namespace viewer
