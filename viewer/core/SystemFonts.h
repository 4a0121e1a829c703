// The system's scalable fonts, as fontconfig knows them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Platform.h"

namespace viewer {

struct SystemFontFace {
  std::string family;
  std::string postscriptName;
  int style = 0;  // 0 plain, 1 bold, 2 italic, 3 bold italic
  host::SysFontFormat format = host::SysFontFormat::Unknown;
};

class SystemFonts {
 public:
  // Reads the font list once.
  SystemFonts();

  // Families sorted by name, each with its instances.
  std::vector<host::SysFontFamily> Families() const;
  // The face whose PostScript name, or family and style, matches a PDF font
  // name such as "Helvetica-Bold" or "Times New Roman,Bold"; names compare
  // without case, spaces and hyphens.
  std::optional<SystemFontFace> Match(std::string_view pdfFontName) const;

 private:
  std::vector<SystemFontFace> faces_;
};

}  // namespace viewer
