#include "viewer/core/SystemFonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <tuple>

namespace viewer {

namespace {

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int IntOf(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

host::SysFontFormat FormatOf(const std::string& fontFormat) {
  if (fontFormat == "TrueType") return host::SysFontFormat::TrueType;
  if (fontFormat == "CFF") return host::SysFontFormat::OpenType;
  if (fontFormat == "Type 1") return host::SysFontFormat::Type1;
  return host::SysFontFormat::Unknown;
}

std::string Folded(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == ' ' || c == '-' || c == ',' || c == '_') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

int StyleFromName(std::string_view styleText) {
  const std::string folded = Folded(styleText);
  int style = 0;
  if (folded.find("bold") != std::string::npos) style |= 1;
  if (folded.find("italic") != std::string::npos || folded.find("oblique") != std::string::npos) style |= 2;
  return style;
}

struct FcDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
  void operator()(FcObjectSet* o) const { FcObjectSetDestroy(o); }
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
  void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};

}  // namespace

SystemFonts::SystemFonts() {
  // A configuration of our own, released once the list is read: the
  // process-wide one would live (and hold its memory) until exit.
  std::unique_ptr<FcConfig, FcDeleter> config(FcInitLoadConfigAndFonts());
  if (!config) return;
  std::unique_ptr<FcPattern, FcDeleter> pattern(FcPatternCreate());
  std::unique_ptr<FcObjectSet, FcDeleter> objects(FcObjectSetBuild(
      FC_FAMILY, FC_POSTSCRIPT_NAME, FC_WEIGHT, FC_SLANT, FC_FONTFORMAT, FC_SCALABLE, static_cast<char*>(nullptr)));
  std::unique_ptr<FcFontSet, FcDeleter> set(FcFontList(config.get(), pattern.get(), objects.get()));
  if (!set) return;
  for (int i = 0; i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    FcBool scalable = FcFalse;
    if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) continue;
    SystemFontFace face;
    face.family = StringOf(font, FC_FAMILY);
    if (face.family.empty()) continue;
    face.postscriptName = StringOf(font, FC_POSTSCRIPT_NAME);
    if (IntOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_BOLD) face.style |= 1;
    if (IntOf(font, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN) face.style |= 2;
    face.format = FormatOf(StringOf(font, FC_FONTFORMAT));
    faces_.push_back(std::move(face));
  }
  std::sort(faces_.begin(), faces_.end(), [](const auto& a, const auto& b) {
    return std::tie(a.family, a.style, a.postscriptName) < std::tie(b.family, b.style, b.postscriptName);
  });
}

std::vector<host::SysFontFamily> SystemFonts::Families() const {
  std::vector<host::SysFontFamily> families;
  for (const SystemFontFace& face : faces_) {
    if (families.empty() || families.back().name != face.family) families.push_back({face.family, {}});
    families.back().instances.push_back({face.style, face.format});
  }
  return families;
}

std::optional<SystemFontFace> SystemFonts::Match(std::string_view pdfFontName) const {
  // Subset fonts carry a tag such as "ABCDEF+".
  if (const auto plus = pdfFontName.find('+'); plus == 6) pdfFontName.remove_prefix(7);
  const std::string wanted = Folded(pdfFontName);
  if (wanted.empty()) return std::nullopt;
  for (const SystemFontFace& face : faces_) {
    if (Folded(face.postscriptName) == wanted) return face;
  }
  // "Family-Style" or "Family,Style": the family and the style asked for.
  const auto separator = pdfFontName.find_first_of("-,");
  const std::string family = Folded(pdfFontName.substr(0, separator));
  const int style = separator == std::string_view::npos ? 0 : StyleFromName(pdfFontName.substr(separator + 1));
  const SystemFontFace* sameFamily = nullptr;
  for (const SystemFontFace& face : faces_) {
    if (Folded(face.family) != family) continue;
    if (face.style == style) return face;
    if (!sameFamily) sameFamily = &face;
  }
  if (sameFamily) return *sameFamily;
  return std::nullopt;
}

}  // namespace viewer
