// One string-list file: "<number><TAB><text>" lines, an optional "@base n"
// line before them, blank lines and "#" comments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace viewer {

struct StringListEntry {
  int index = 0;  // the line's number minus the file's base
  std::string text;
  int line = 0;
};

// Raises HostError kErrBadFile naming file and line for a malformed line,
// text that is not UTF-8, or a number used twice in the file.
std::vector<StringListEntry> ParseStringListFile(std::string_view file, std::string_view text);

}  // namespace viewer
