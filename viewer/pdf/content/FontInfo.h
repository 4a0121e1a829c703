// What the interpreter needs of a font: how shown bytes split into codes,
// each code's advance, the vertical extent of its glyphs, and the
// attributes the page-content layer reports.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "viewer/pdf/content/AfmMetrics.h"

namespace viewer::pdf {

struct FontAttributes {
  std::string baseFont;  // BaseFont, as stored (with any subset prefix)
  std::string subtype;   // "Type1", "TrueType", "Type0", ...
  std::string encoding;  // encoding name, or "" when there is none
  int wMode = 0;
  int flags = 0;         // font descriptor flags
};

struct Glyph {
  double advance = 0;  // text space units per unit font size
  bool wordSpace = false;  // a single-byte code 32: word spacing applies
};

class FontInfo {
 public:
  const FontAttributes& Attributes() const { return attributes_; }
  bool Vertical() const { return attributes_.wMode == 1; }
  // Extent of the glyphs above and below the baseline, per unit font size.
  double Ascent() const { return ascent_; }
  double Descent() const { return descent_; }

  std::vector<Glyph> Glyphs(std::string_view bytes) const;

  // Read from a font dictionary; a font that cannot be read gives default
  // metrics, so its text still has a place on the page.
  static std::shared_ptr<const FontInfo> Read(QPDFObjectHandle font, StandardFontMetrics& standard);

 private:
  struct WidthRange {
    unsigned first = 0;
    unsigned last = 0;
    double width = 0;
  };

  double WidthOf(unsigned code) const;
  void ReadSimple(QPDFObjectHandle font, QPDFObjectHandle descriptor, StandardFontMetrics& standard);
  void ReadStandardWidths(QPDFObjectHandle font, const AfmMetrics& afm);
  void ReadComposite(QPDFObjectHandle font);
  void ReadExtent(QPDFObjectHandle descriptor, const AfmMetrics* afm);

  FontAttributes attributes_;
  int bytesPerCode_ = 1;
  double scale_ = 0.001;        // glyph space to text space
  double defaultWidth_ = 500;   // glyph space, for codes without a width
  std::vector<double> simpleWidths_;  // by code, for single-byte fonts
  std::vector<WidthRange> ranges_;    // by code, for two-byte fonts
  double ascent_ = 0.8;
  double descent_ = -0.2;
};

// Each font dictionary read once per interpretation.
class FontCache {
 public:
  explicit FontCache(StandardFontMetrics& standard) : standard_(&standard) {}
  std::shared_ptr<const FontInfo> Get(QPDFObjectHandle font);

 private:
  StandardFontMetrics* standard_;
  std::map<QPDFObjGen, std::shared_ptr<const FontInfo>> fonts_;
};

}  // namespace viewer::pdf
