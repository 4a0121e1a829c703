#include "viewer/pdf/content/AfmMetrics.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <utility>

namespace viewer::pdf {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::optional<double> Number(std::string_view s) {
  s = Trim(s);
  double value = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || ptr == s.data()) return std::nullopt;
  return value;
}

struct Extent {
  double top = 0;
  double bottom = 0;
};

// "-210 -299 1032 1075": the second and fourth numbers.
std::optional<Extent> VerticalExtent(std::string_view box) {
  double v[4];
  for (double& value : v) {
    box = Trim(box);
    auto [ptr, ec] = std::from_chars(box.data(), box.data() + box.size(), value);
    if (ec != std::errc()) return std::nullopt;
    box.remove_prefix(static_cast<size_t>(ptr - box.data()));
  }
  return Extent{v[3], v[1]};
}

// "C 32 ; WX 278 ; N space ; B 0 0 0 0 ;"
void ParseCharMetrics(std::string_view line, AfmMetrics& metrics, std::map<std::string, Extent>& extents) {
  std::optional<double> code;
  std::optional<double> width;
  std::optional<Extent> extent;
  std::string name;
  while (!line.empty()) {
    const size_t semicolon = line.find(';');
    std::string_view field = Trim(line.substr(0, semicolon));
    line = semicolon == std::string_view::npos ? std::string_view() : line.substr(semicolon + 1);
    if (field.rfind("C ", 0) == 0) code = Number(field.substr(2));
    else if (field.rfind("WX ", 0) == 0) width = Number(field.substr(3));
    else if (field.rfind("N ", 0) == 0) name = std::string(Trim(field.substr(2)));
    else if (field.rfind("B ", 0) == 0) extent = VerticalExtent(field.substr(2));
  }
  if (!width || name.empty()) return;
  if (extent) extents[name] = *extent;
  metrics.widthByName[name] = *width;
  if (code && *code >= 0 && *code <= 255) metrics.builtinNames[static_cast<size_t>(*code)] = name;
}

// PDF names of the standard 14 fonts and common aliases, to the metric files.
constexpr std::pair<std::string_view, std::string_view> kFiles[] = {
    {"Helvetica", "NimbusSans-Regular"},
    {"Helvetica-Bold", "NimbusSans-Bold"},
    {"Helvetica-Oblique", "NimbusSans-Italic"},
    {"Helvetica-BoldOblique", "NimbusSans-BoldItalic"},
    {"Times-Roman", "NimbusRoman-Regular"},
    {"Times-Bold", "NimbusRoman-Bold"},
    {"Times-Italic", "NimbusRoman-Italic"},
    {"Times-BoldItalic", "NimbusRoman-BoldItalic"},
    {"Courier", "NimbusMonoPS-Regular"},
    {"Courier-Bold", "NimbusMonoPS-Bold"},
    {"Courier-Oblique", "NimbusMonoPS-Italic"},
    {"Courier-BoldOblique", "NimbusMonoPS-BoldItalic"},
    {"Symbol", "StandardSymbolsPS"},
    {"ZapfDingbats", "D050000L"},
    {"Arial", "NimbusSans-Regular"},
    {"ArialMT", "NimbusSans-Regular"},
    {"Arial,Bold", "NimbusSans-Bold"},
    {"Arial-BoldMT", "NimbusSans-Bold"},
    {"Arial,Italic", "NimbusSans-Italic"},
    {"Arial-ItalicMT", "NimbusSans-Italic"},
    {"Arial,BoldItalic", "NimbusSans-BoldItalic"},
    {"Arial-BoldItalicMT", "NimbusSans-BoldItalic"},
    {"TimesNewRoman", "NimbusRoman-Regular"},
    {"TimesNewRomanPSMT", "NimbusRoman-Regular"},
    {"TimesNewRoman,Bold", "NimbusRoman-Bold"},
    {"TimesNewRomanPS-BoldMT", "NimbusRoman-Bold"},
    {"TimesNewRoman,Italic", "NimbusRoman-Italic"},
    {"TimesNewRomanPS-ItalicMT", "NimbusRoman-Italic"},
    {"TimesNewRoman,BoldItalic", "NimbusRoman-BoldItalic"},
    {"TimesNewRomanPS-BoldItalicMT", "NimbusRoman-BoldItalic"},
    {"CourierNew", "NimbusMonoPS-Regular"},
    {"CourierNewPSMT", "NimbusMonoPS-Regular"},
    {"CourierNew,Bold", "NimbusMonoPS-Bold"},
    {"CourierNewPS-BoldMT", "NimbusMonoPS-Bold"},
    {"CourierNew,Italic", "NimbusMonoPS-Italic"},
    {"CourierNewPS-ItalicMT", "NimbusMonoPS-Italic"},
    {"CourierNew,BoldItalic", "NimbusMonoPS-BoldItalic"},
    {"CourierNewPS-BoldItalicMT", "NimbusMonoPS-BoldItalic"},
};

std::string_view WithoutSubsetPrefix(std::string_view name) {
  const size_t plus = name.find('+');
  return plus == std::string_view::npos ? name : name.substr(plus + 1);
}

}  // namespace

std::optional<AfmMetrics> ParseAfm(std::string_view text) {
  AfmMetrics metrics;
  std::map<std::string, Extent> extents;
  std::optional<Extent> fontBox;
  bool any = false;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::string_view l = Trim(line);
    if (l.rfind("C ", 0) == 0) {
      ParseCharMetrics(l, metrics, extents);
      any = true;
    } else if (l.rfind("FontBBox ", 0) == 0) {
      fontBox = VerticalExtent(l.substr(9));
    } else if (l.rfind("Ascender ", 0) == 0) {
      metrics.ascender = Number(l.substr(9)).value_or(metrics.ascender);
    } else if (l.rfind("Descender ", 0) == 0) {
      metrics.descender = Number(l.substr(10)).value_or(metrics.descender);
    }
  }
  if (!any) return std::nullopt;
  // Some metric files give no ascender and descender (or zeros): take them
  // from the glyphs that reach up and down, else from the font's box.
  if (metrics.ascender <= metrics.descender) {
    const auto d = extents.find("d");
    const auto p = extents.find("p");
    if (d != extents.end() && p != extents.end()) {
      metrics.ascender = d->second.top;
      metrics.descender = p->second.bottom;
    } else if (fontBox) {
      metrics.ascender = fontBox->top;
      metrics.descender = fontBox->bottom;
    }
  }
  if (metrics.ascender <= metrics.descender) {
    metrics.ascender = 800;
    metrics.descender = -200;
  }
  return metrics;
}

StandardFontMetrics::StandardFontMetrics(std::string folder)
    : folder_(folder.empty() ? std::string(KORVID_STANDARD_FONT_METRICS_DIR) : std::move(folder)) {}

const AfmMetrics* StandardFontMetrics::Find(std::string_view baseFont) {
  const std::string_view name = WithoutSubsetPrefix(baseFont);
  std::string_view file;
  for (const auto& [pdfName, fileName] : kFiles) {
    if (pdfName == name) file = fileName;
  }
  if (file.empty()) return nullptr;
  auto found = loaded_.find(file);
  if (found == loaded_.end()) {
    std::ifstream in(folder_ + "/" + std::string(file) + ".afm", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    found = loaded_.emplace(std::string(file), in ? ParseAfm(text.str()) : std::nullopt).first;
  }
  return found->second ? &*found->second : nullptr;
}

}  // namespace viewer::pdf
