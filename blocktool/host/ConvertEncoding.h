// Names the text encoding of a host script for the block's "encoding"
// property. No script has a name to write, so every answer is "".
#pragma once

#include <cstdint>
#include <string>

class CConvertEncoding {
 public:
  static std::string GetEncoding(std::int32_t scriptCode);
};
