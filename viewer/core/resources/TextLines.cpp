#include "viewer/core/resources/TextLines.h"

namespace viewer {

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  int number = 1;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back({number++, line});
    if (newline == std::string_view::npos) break;
    text.remove_prefix(newline + 1);
  }
  return lines;
}

}  // namespace viewer
