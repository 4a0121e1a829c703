#include "viewer/pdf/content/FontInfo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "viewer/pdf/content/GlyphEncodings.h"

namespace viewer::pdf {
namespace {

// A hostile font can list millions of widths; more than any font has are ignored.
constexpr size_t kMaxWidthEntries = 1 << 16;
constexpr double kGlyphSpace = 0.001;

std::string NameOf(QPDFObjectHandle h) { return h.isName() ? h.getName().substr(1) : std::string(); }

std::optional<double> NumberOf(QPDFObjectHandle h) {
  if (!h.isNumber()) return std::nullopt;
  const double v = h.getNumericValue();
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

int IntOf(QPDFObjectHandle h, int fallback) {
  if (!h.isInteger()) return fallback;
  const long long v = h.getIntValue();
  return v < -(1LL << 30) || v > (1LL << 30) ? fallback : static_cast<int>(v);
}

// The names of the codes of a standard font after its Encoding entry.
std::array<std::string, 256> EncodedNames(QPDFObjectHandle encoding, const AfmMetrics& afm) {
  std::array<std::string, 256> names = afm.builtinNames;
  const std::string base = encoding.isDictionary() ? NameOf(encoding.getKey("/BaseEncoding")) : NameOf(encoding);
  if (base == "WinAnsiEncoding" || base == "MacRomanEncoding") {
    const NamedEncoding named = base == "WinAnsiEncoding" ? NamedEncoding::WinAnsi : NamedEncoding::MacRoman;
    for (int code = 0; code < 256; ++code) names[code] = std::string(GlyphName(named, static_cast<unsigned char>(code)));
  }
  QPDFObjectHandle differences = encoding.isDictionary() ? encoding.getKey("/Differences") : QPDFObjectHandle::newNull();
  if (differences.isArray()) {
    long long code = 0;
    for (auto& item : differences.aitems()) {
      if (item.isInteger()) {
        code = item.getIntValue();
      } else if (item.isName()) {
        if (code >= 0 && code < 256) names[static_cast<size_t>(code)] = item.getName().substr(1);
        ++code;
      }
    }
  }
  return names;
}

}  // namespace

std::shared_ptr<const FontInfo> FontInfo::Read(QPDFObjectHandle font, StandardFontMetrics& standard) {
  std::shared_ptr<FontInfo> info(new FontInfo());
  if (!font.isInitialized() || !font.isDictionary()) return info;
  FontAttributes& attrs = info->attributes_;
  attrs.baseFont = NameOf(font.getKey("/BaseFont"));
  attrs.subtype = NameOf(font.getKey("/Subtype"));
  QPDFObjectHandle encoding = font.getKey("/Encoding");
  attrs.encoding = encoding.isDictionary() ? NameOf(encoding.getKey("/BaseEncoding")) : NameOf(encoding);
  if (attrs.subtype == "Type0") {
    info->ReadComposite(font);
  } else {
    info->ReadSimple(font, font.getKey("/FontDescriptor"), standard);
  }
  return info;
}

void FontInfo::ReadSimple(QPDFObjectHandle font, QPDFObjectHandle descriptor, StandardFontMetrics& standard) {
  if (descriptor.isDictionary()) attributes_.flags = IntOf(descriptor.getKey("/Flags"), 0);
  double missing = -1;  // none given
  if (descriptor.isDictionary()) missing = NumberOf(descriptor.getKey("/MissingWidth")).value_or(-1);
  const auto missingOr = [missing](double fallback) { return missing >= 0 ? missing : fallback; };

  if (attributes_.subtype == "Type3") {
    QPDFObjectHandle matrix = font.getKey("/FontMatrix");
    if (matrix.isArray() && matrix.getArrayNItems() == 6) {
      const double sx = NumberOf(matrix.getArrayItem(0)).value_or(kGlyphSpace);
      const double sy = NumberOf(matrix.getArrayItem(3)).value_or(kGlyphSpace);
      if (sx != 0) scale_ = sx;
      QPDFObjectHandle bbox = font.getKey("/FontBBox");
      if (bbox.isArray() && bbox.getArrayNItems() == 4) {
        const double low = NumberOf(bbox.getArrayItem(1)).value_or(0) * sy;
        const double high = NumberOf(bbox.getArrayItem(3)).value_or(0) * sy;
        if (high != low) {
          ascent_ = std::max(low, high);
          descent_ = std::min(low, high);
        }
      }
    }
  }

  QPDFObjectHandle widths = font.getKey("/Widths");
  const AfmMetrics* afm = widths.isArray() ? nullptr : standard.Find(attributes_.baseFont);
  if (widths.isArray()) {
    defaultWidth_ = missingOr(0);
    simpleWidths_.assign(256, defaultWidth_);
    const long long first = IntOf(font.getKey("/FirstChar"), 0);
    const int count = std::min(widths.getArrayNItems(), 256);
    for (int i = 0; i < count; ++i) {
      const long long code = first + i;
      if (code < 0 || code > 255) continue;
      simpleWidths_[static_cast<size_t>(code)] = NumberOf(widths.getArrayItem(i)).value_or(defaultWidth_);
    }
  } else if (afm != nullptr) {
    ReadStandardWidths(font, *afm);
  } else {
    defaultWidth_ = missingOr(500);  // no metrics at all: an average glyph
  }
  if (attributes_.subtype != "Type3") ReadExtent(descriptor, afm);
}

void FontInfo::ReadStandardWidths(QPDFObjectHandle font, const AfmMetrics& afm) {
  const auto names = EncodedNames(font.getKey("/Encoding"), afm);
  defaultWidth_ = 0;
  simpleWidths_.assign(256, 0);
  for (size_t code = 0; code < 256; ++code) {
    auto found = afm.widthByName.find(names[code]);
    if (found != afm.widthByName.end()) simpleWidths_[code] = found->second;
  }
}

void FontInfo::ReadComposite(QPDFObjectHandle font) {
  bytesPerCode_ = 2;
  defaultWidth_ = 1000;
  QPDFObjectHandle encoding = font.getKey("/Encoding");
  if (encoding.isStream()) {
    attributes_.encoding = NameOf(encoding.getDict().getKey("/CMapName"));
    attributes_.wMode = IntOf(encoding.getDict().getKey("/WMode"), 0) == 1 ? 1 : 0;
  } else {
    const std::string& name = attributes_.encoding;
    attributes_.wMode = name.size() > 2 && name.compare(name.size() - 2, 2, "-V") == 0 ? 1 : 0;
  }
  QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
  QPDFObjectHandle cidFont =
      descendants.isArray() && descendants.getArrayNItems() > 0 ? descendants.getArrayItem(0) : QPDFObjectHandle();
  if (!cidFont.isInitialized() || !cidFont.isDictionary()) return ReadExtent(QPDFObjectHandle::newNull(), nullptr);

  QPDFObjectHandle descriptor = cidFont.getKey("/FontDescriptor");
  if (descriptor.isDictionary()) attributes_.flags = IntOf(descriptor.getKey("/Flags"), 0);
  defaultWidth_ = NumberOf(cidFont.getKey("/DW")).value_or(1000);
  QPDFObjectHandle w = cidFont.getKey("/W");
  const int n = w.isArray() ? w.getArrayNItems() : 0;
  for (int i = 0; i + 1 < n && ranges_.size() < kMaxWidthEntries;) {
    const long long first = IntOf(w.getArrayItem(i), -1);
    QPDFObjectHandle next = w.getArrayItem(i + 1);
    if (first < 0) break;
    if (next.isArray()) {
      const int count = std::min<int>(next.getArrayNItems(), static_cast<int>(kMaxWidthEntries - ranges_.size()));
      for (int j = 0; j < count; ++j) {
        const auto code = static_cast<unsigned>(first + j);
        ranges_.push_back({code, code, NumberOf(next.getArrayItem(j)).value_or(defaultWidth_)});
      }
      i += 2;
    } else {
      if (i + 2 >= n) break;
      const long long last = IntOf(next, -1);
      if (last < first) break;
      ranges_.push_back({static_cast<unsigned>(first), static_cast<unsigned>(last),
                         NumberOf(w.getArrayItem(i + 2)).value_or(defaultWidth_)});
      i += 3;
    }
  }
  std::stable_sort(ranges_.begin(), ranges_.end(),
                   [](const WidthRange& a, const WidthRange& b) { return a.first < b.first; });
  ReadExtent(descriptor, nullptr);
}

void FontInfo::ReadExtent(QPDFObjectHandle descriptor, const AfmMetrics* afm) {
  if (descriptor.isDictionary()) {
    const auto ascent = NumberOf(descriptor.getKey("/Ascent"));
    const auto descent = NumberOf(descriptor.getKey("/Descent"));
    if (ascent && descent && *ascent > *descent) {
      ascent_ = *ascent * kGlyphSpace;
      descent_ = *descent * kGlyphSpace;
      return;
    }
  }
  if (afm != nullptr && afm->ascender > afm->descender) {
    ascent_ = afm->ascender * kGlyphSpace;
    descent_ = afm->descender * kGlyphSpace;
  }
}

double FontInfo::WidthOf(unsigned code) const {
  if (bytesPerCode_ == 1) return simpleWidths_.empty() ? defaultWidth_ : simpleWidths_[code & 0xFF];
  auto after = std::upper_bound(ranges_.begin(), ranges_.end(), code,
                                [](unsigned c, const WidthRange& r) { return c < r.first; });
  if (after == ranges_.begin()) return defaultWidth_;
  --after;
  return code <= after->last ? after->width : defaultWidth_;
}

std::vector<Glyph> FontInfo::Glyphs(std::string_view bytes) const {
  std::vector<Glyph> glyphs;
  glyphs.reserve(bytes.size() / static_cast<size_t>(bytesPerCode_) + 1);
  for (size_t i = 0; i < bytes.size();) {
    unsigned code = static_cast<unsigned char>(bytes[i]);
    size_t length = 1;
    if (bytesPerCode_ == 2 && i + 1 < bytes.size()) {
      code = (code << 8) | static_cast<unsigned char>(bytes[i + 1]);
      length = 2;
    }
    glyphs.push_back({WidthOf(code) * scale_, bytesPerCode_ == 1 && code == 32});
    i += length;
  }
  return glyphs;
}

std::shared_ptr<const FontInfo> FontCache::Get(QPDFObjectHandle font) {
  if (!font.isInitialized() || !font.isIndirect()) return FontInfo::Read(font, *standard_);
  const QPDFObjGen id = font.getObjGen();
  auto found = fonts_.find(id);
  if (found == fonts_.end()) found = fonts_.emplace(id, FontInfo::Read(font, *standard_)).first;
  return found->second;
}

}  // namespace viewer::pdf
