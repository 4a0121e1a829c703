// Splits one line of a dialog layout into words, quoted texts and
// key=value options; "#" outside quotes starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace viewer {

struct LayoutToken {
  std::string key;   // set for key=value options
  std::string text;  // the word, the quoted text or the option's value
  bool quoted = false;

  bool IsWord(std::string_view word) const { return key.empty() && !quoted && text == word; }
};

// Quoted texts take the escapes \" \\ \n \t. Raises HostError kErrBadFile
// naming file and line for an unterminated quote or an unknown escape.
std::vector<LayoutToken> TokenizeLayoutLine(std::string_view file, int line, std::string_view text);

}  // namespace viewer
