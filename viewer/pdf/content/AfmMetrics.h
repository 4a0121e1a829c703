// Metrics of the standard 14 fonts, read from the AFM files installed with
// the system's base fonts. PDF files may use these fonts without giving
// their widths.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace viewer::pdf {

struct AfmMetrics {
  std::unordered_map<std::string, double> widthByName;  // glyph space (1/1000 em)
  std::array<std::string, 256> builtinNames;             // the font's own encoding
  double ascender = 0;
  double descender = 0;
};

std::optional<AfmMetrics> ParseAfm(std::string_view text);

class StandardFontMetrics {
 public:
  // folder: where the AFM files are; empty for the system's folder.
  explicit StandardFontMetrics(std::string folder = {});

  // The metrics of a standard 14 font by its PDF name (a subset prefix and
  // the common aliases are accepted); null for other fonts.
  const AfmMetrics* Find(std::string_view baseFont);

 private:
  std::string folder_;
  std::map<std::string, std::optional<AfmMetrics>, std::less<>> loaded_;
};

}  // namespace viewer::pdf
