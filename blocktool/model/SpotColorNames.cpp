#include "blocktool/model/SpotColorNames.h"

#include <algorithm>
#include <cctype>

CSpotColorNames spotColorNames;

namespace {

// How a family numbers its inks.
enum class Scheme {
  Solid,       // the named base inks, then three- and four-digit ink numbers
  PageRow,     // "<prefix><page>-<row>": guide page and row of a process guide
  Metallic,    // 8000 series, in hue groups of ten
  Pastel,      // 9000 series, in hue groups of ten
  Numbered,    // 1, 2, 3 ...
};

struct FamilyScheme {
  const char* name;
  int count;
  Scheme scheme;
  const char* prefix;  // before the number (page-row guides)
  const char* suffix;  // after the number, with its blank
  int rowsPerPage;
};

// Family names, counts and suffix patterns of the libraries, in their order.
constexpr FamilyScheme kFamilies[] = {
    {"PANTONE color bridge CMYK_Euro", 1089, Scheme::Solid, "", " EC", 0},
    {"PANTONE color bridge CMYK PC", 1089, Scheme::Solid, "", " PC", 0},
    {"PANTONE color bridge uncoated", 1089, Scheme::Solid, "", " UP", 0},
    {"PANTONE hexachrome coated", 2016, Scheme::PageRow, "H ", " C", 8},
    {"PANTONE hexachrome uncoated", 2016, Scheme::PageRow, "H ", " U", 8},
    {"PANTONE metallic coated", 287, Scheme::Metallic, "", " C", 0},
    {"PANTONE pastel coated", 154, Scheme::Pastel, "", " C", 0},
    {"PANTONE pastel uncoated", 154, Scheme::Pastel, "", " U", 0},
    {"PANTONE process coated", 3006, Scheme::PageRow, "DS ", " C", 9},
    {"PANTONE process coated EURO", 3006, Scheme::PageRow, "DE ", " C", 9},
    {"PANTONE process uncoated", 3006, Scheme::PageRow, "DS ", " U", 9},
    {"PANTONE process uncoated EURO", 3006, Scheme::PageRow, "DE ", " U", 9},
    {"PANTONE solid coated", 1124, Scheme::Solid, "", " C", 0},
    {"PANTONE solid in hexachrome coated", 1091, Scheme::Solid, "", " HC", 0},
    {"PANTONE solid matte", 1124, Scheme::Solid, "", " M", 0},
    {"PANTONE solid to process coated", 1084, Scheme::Solid, "", " PC", 0},
    {"PANTONE solid to process coated EURO", 1084, Scheme::Solid, "", " EC", 0},
    {"PANTONE solid uncoated", 1124, Scheme::Solid, "", " U", 0},
    {"HKS E", 88, Scheme::Numbered, "", " E", 0},
    {"HKS K", 50, Scheme::Numbered, "", " K", 0},
    {"HKS N", 86, Scheme::Numbered, "", " N", 0},
    {"HKS Z", 88, Scheme::Numbered, "", " Z", 0},
};

// Solid ink numbers: the three-digit range, the fluorescents, the
// four-digit "x5" series, then the 2000, 3000, 4000, 5000 and 7000 series.
struct Range {
  int first;
  int last;
  int step;
};
constexpr Range kSolidRanges[] = {{100, 730, 1},   {801, 814, 1},   {871, 877, 1},   {1205, 1817, 10},
                                  {2001, 2347, 1}, {3005, 3597, 1}, {4485, 4995, 1}, {5005, 5875, 1},
                                  {7401, 7547, 1}};
constexpr const char* kBaseInks[] = {"Yellow",        "Yellow 012",     "Orange 021",  "Warm Red",
                                     "Red 032",       "Rubine Red",     "Rhodamine Red", "Purple",
                                     "Violet",        "Blue 072",       "Reflex Blue", "Process Blue",
                                     "Green",         "Black",          "Process Yellow", "Process Magenta",
                                     "Process Cyan",  "Process Black"};

class NameSink {
 public:
  NameSink(std::vector<std::string>& out, int count) : out_(out), count_(count) { out_.reserve(count); }
  bool Full() const { return static_cast<int>(out_.size()) >= count_; }
  void Add(std::string name) {
    if (!Full()) out_.push_back(std::move(name));
  }

 private:
  std::vector<std::string>& out_;
  int count_;
};

void GenerateSolid(const FamilyScheme& f, NameSink& sink) {
  for (const char* ink : kBaseInks) sink.Add(std::string(ink) + f.suffix);
  for (int gray = 1; gray <= 11; ++gray) sink.Add("Cool Gray " + std::to_string(gray) + f.suffix);
  for (int gray = 1; gray <= 11; ++gray) sink.Add("Warm Gray " + std::to_string(gray) + f.suffix);
  for (const Range& range : kSolidRanges) {
    for (int n = range.first; n <= range.last && !sink.Full(); n += range.step) sink.Add(std::to_string(n) + f.suffix);
  }
}

void GeneratePageRow(const FamilyScheme& f, NameSink& sink) {
  // Process guides start at page 1; the hexachrome guide at page 10.
  const int firstPage = f.rowsPerPage == 8 ? 10 : 1;
  for (int page = firstPage; !sink.Full(); ++page) {
    for (int row = 1; row <= f.rowsPerPage; ++row) {
      sink.Add(std::string(f.prefix) + std::to_string(page) + "-" + std::to_string(row) + f.suffix);
    }
  }
}

void GenerateGrouped(const FamilyScheme& f, int base, NameSink& sink) {
  for (int group = 0; !sink.Full(); ++group) {
    for (int n = 0; n < 10; ++n) sink.Add(std::to_string(base + group * 20 + n) + f.suffix);
  }
}

void GenerateNumbered(const FamilyScheme& f, NameSink& sink) {
  for (int n = 1; !sink.Full(); ++n) sink.Add(std::to_string(n) + f.suffix);
}

std::string FirstWord(std::string_view text) { return std::string(text.substr(0, text.find(' '))); }

}  // namespace

std::vector<SpotColorFamily> BuildSpotColorFamilies() {
  std::vector<SpotColorFamily> families;
  families.reserve(std::size(kFamilies));
  for (const FamilyScheme& f : kFamilies) {
    SpotColorFamily family{f.name, {}};
    NameSink sink(family.colors, f.count);
    switch (f.scheme) {
      case Scheme::Solid:
        GenerateSolid(f, sink);
        break;
      case Scheme::PageRow:
        GeneratePageRow(f, sink);
        break;
      case Scheme::Metallic:
        GenerateGrouped(f, 8001, sink);
        break;
      case Scheme::Pastel:
        GenerateGrouped(f, 9020, sink);
        break;
      case Scheme::Numbered:
        GenerateNumbered(f, sink);
        break;
    }
    families.push_back(std::move(family));
  }
  return families;
}

int compare_colors(const std::string* a, const std::string* b) {
  const bool aEmpty = !a || a->empty();
  const bool bEmpty = !b || b->empty();
  if (aEmpty || bEmpty) return aEmpty == bEmpty ? 0 : (aEmpty ? -1 : 1);
  const int c = a->compare(*b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

CSpotColorNames::CSpotColorNames() : families_(BuildSpotColorFamilies()) {}

void CSpotColorNames::Initialize() {
  for (SpotColorFamily& family : families_) {
    std::sort(family.colors.begin(), family.colors.end(),
              [](const std::string& a, const std::string& b) { return compare_colors(&a, &b) < 0; });
  }
  Reset();
}

void CSpotColorNames::Reset() {
  familyIndex_ = 0;
  colorIndex_ = 0;
  currentFamily_ = nullptr;
}

const std::string* CSpotColorNames::GetNextFamilyName(std::string* firstWord) {
  if (familyIndex_ < 0 || familyIndex_ >= static_cast<int>(families_.size())) {
    familyIndex_ = -1;
    colorIndex_ = -1;
    currentFamily_ = nullptr;
    return nullptr;
  }
  const SpotColorFamily& family = families_[familyIndex_++];
  currentFamily_ = &family.colors;
  colorIndex_ = 0;
  if (firstWord) *firstWord = FirstWord(family.name);
  return &family.name;
}

const std::string* CSpotColorNames::GetNextColorName() {
  if (!currentFamily_ || colorIndex_ < 0 || colorIndex_ >= static_cast<int>(currentFamily_->size())) {
    colorIndex_ = -1;
    return nullptr;
  }
  return &(*currentFamily_)[colorIndex_++];
}

bool CSpotColorNames::IsColorNameInList(std::string_view name, bool prefixOnly, bool missingMeansFalse) {
  const bool missing = !missingMeansFalse;
  if (name.empty()) return missing;
  if (name.front() == ' ') return false;
  const std::size_t blank = name.find(' ');
  if (blank == std::string_view::npos) return missing;
  const std::string prefix(name.substr(0, blank));
  std::string upper = prefix;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  const bool familyFound = std::any_of(families_.begin(), families_.end(),
                                       [&](const SpotColorFamily& f) { return FirstWord(f.name) == upper; });
  Reset();
  if (!familyFound) return missing;
  if (prefixOnly) return true;
  if (prefix != upper) return false;
  const std::string_view color = name.substr(blank + 1);
  return std::any_of(families_.begin(), families_.end(), [&](const SpotColorFamily& f) {
    return std::find(f.colors.begin(), f.colors.end(), color) != f.colors.end();
  });
}
