// Line splitting shared by the text resource formats: "\n" or "\r\n" ends a
// line, and line numbers start at 1.
#pragma once

#include <string_view>
#include <vector>

namespace viewer {

struct TextLine {
  int number = 0;
  std::string_view text;  // without the line end
};

std::vector<TextLine> SplitLines(std::string_view text);

}  // namespace viewer
