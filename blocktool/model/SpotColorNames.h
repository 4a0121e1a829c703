// The spot colour libraries: families of named inks, each a family name and
// its colour names. A spot colour's full name is the first word of its
// family name, a blank and the colour name ("PANTONE 185 C").
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct SpotColorFamily {
  std::string name;
  std::vector<std::string> colors;
};

// Byte-wise order of names in which a missing or empty name sorts first.
int compare_colors(const std::string* a, const std::string* b);

class CSpotColorNames {
 public:
  CSpotColorNames();

  // Sorts every family's names, then Reset.
  void Initialize();
  void Reset();
  // The next family's full name (and its first word into firstWord); null
  // after the last family. Makes that family current.
  const std::string* GetNextFamilyName(std::string* firstWord = nullptr);
  // The next name of the current family; null at its end.
  const std::string* GetNextColorName();
  // Whether name is a spot colour of the libraries; an empty name, or one
  // without a blank, gives !missingMeansFalse.
  bool IsColorNameInList(std::string_view name, bool prefixOnly, bool missingMeansFalse);

  const std::vector<SpotColorFamily>& Families() const { return families_; }

 private:
  std::vector<SpotColorFamily> families_;
  int familyIndex_ = 0;
  int colorIndex_ = 0;
  const std::vector<std::string>* currentFamily_ = nullptr;
};

// The built-in libraries, generated from each family's numbering scheme.
std::vector<SpotColorFamily> BuildSpotColorFamilies();

extern CSpotColorNames spotColorNames;
