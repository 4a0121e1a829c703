// The graphics state the interpreter carries from operator to operator; q
// saves a copy of it, Q restores the copy.
#pragma once

#include <array>
#include <optional>
#include <string>

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace viewer::pdf {

using PdfRect = QPDFObjectHandle::Rectangle;

struct ColorState {
  std::string family = "DeviceGray";
  QPDFObjectHandle space;  // the colour space as the content named it (name or array)
  int components = 1;
  std::array<double, 4> value{0, 0, 0, 0};
};

// Which text-state fields the content set (bits of the page-content layer).
inline constexpr int kSetCharSpacing = 0x1;
inline constexpr int kSetWordSpacing = 0x2;
inline constexpr int kSetRenderMode = 0x4;
inline constexpr int kSetFontSize = 0x8;
inline constexpr int kSetHScale = 0x10;
inline constexpr int kSetRise = 0x20;

struct TextState {
  int setFlags = 0;
  double charSpacing = 0;
  double wordSpacing = 0;
  double hScale = 100;  // percent
  double leading = 0;
  double fontSize = 1;
  double rise = 0;
  int renderMode = 0;
  QPDFObjectHandle font;  // the font dictionary
};

struct GraphicsState {
  QPDFMatrix ctm;  // user space of the content to page space
  ColorState fill;
  ColorState stroke;
  double lineWidth = 1;
  TextState text;
  std::optional<PdfRect> clip;  // page space
};

}  // namespace viewer::pdf
