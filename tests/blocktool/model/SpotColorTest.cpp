// The spot colour libraries: families, counts, first names, uniqueness and
// lookups by full name.
#include <gtest/gtest.h>

#include <set>

#include "blocktool/model/SpotColorNames.h"

namespace {

struct Family {
  const char* name;
  std::size_t count;
  const char* first;  // "" where the libraries give none
};

const Family kFamilies[] = {
    {"PANTONE color bridge CMYK_Euro", 1089, "100 EC"},  {"PANTONE color bridge CMYK PC", 1089, "100 PC"},
    {"PANTONE color bridge uncoated", 1089, "100 UP"},   {"PANTONE hexachrome coated", 2016, "H 10-1 C"},
    {"PANTONE hexachrome uncoated", 2016, "H 10-1 U"},   {"PANTONE metallic coated", 287, "8001 C"},
    {"PANTONE pastel coated", 154, "9020 C"},            {"PANTONE pastel uncoated", 154, "9020 U"},
    {"PANTONE process coated", 3006, "DS 1-1 C"},        {"PANTONE process coated EURO", 3006, "DE 1-1 C"},
    {"PANTONE process uncoated", 3006, "DS 1-1 U"},      {"PANTONE process uncoated EURO", 3006, "DE 1-1 U"},
    {"PANTONE solid coated", 1124, "100 C"},             {"PANTONE solid in hexachrome coated", 1091, "100 HC"},
    {"PANTONE solid matte", 1124, "100 M"},              {"PANTONE solid to process coated", 1084, "100 PC"},
    {"PANTONE solid to process coated EURO", 1084, "100 EC"}, {"PANTONE solid uncoated", 1124, "100 U"},
    {"HKS E", 88, "1 E"},                                {"HKS K", 50, ""},
    {"HKS N", 86, "1 N"},                                {"HKS Z", 88, ""},
};

std::string Suffix(std::string_view name) { return std::string(name.substr(name.rfind(' '))); }

TEST(SpotColorNames, FamiliesCountsFirstNamesAndNoDuplicates) {
  CSpotColorNames names;
  names.Initialize();
  std::string firstWord;
  for (const Family& expected : kFamilies) {
    const std::string* family = names.GetNextFamilyName(&firstWord);
    ASSERT_NE(family, nullptr);
    SCOPED_TRACE(*family);
    EXPECT_EQ(*family, expected.name);
    EXPECT_EQ(firstWord, std::string(expected.name).substr(0, std::string(expected.name).find(' ')));
    std::vector<std::string> colors;
    for (const std::string* color; (color = names.GetNextColorName());) colors.push_back(*color);
    EXPECT_EQ(colors.size(), expected.count);
    EXPECT_TRUE(std::is_sorted(colors.begin(), colors.end()));
    EXPECT_EQ(std::set<std::string>(colors.begin(), colors.end()).size(), colors.size());
    if (*expected.first) {
      EXPECT_EQ(colors.front(), expected.first);
      for (const std::string& color : colors) ASSERT_EQ(Suffix(color), Suffix(expected.first)) << color;
    }
  }
  EXPECT_EQ(names.GetNextFamilyName(&firstWord), nullptr);
  EXPECT_EQ(names.GetNextColorName(), nullptr);
}

TEST(SpotColorNames, LookupByFullName) {
  CSpotColorNames names;
  names.Initialize();
  const struct {
    const char* name;
    bool prefixOnly;
    bool missingMeansFalse;
    bool found;
  } cases[] = {
      {"PANTONE 185 C", false, true, true},  {"HKS 1 E", false, true, true},
      {"HKS 1 Q", false, true, false},       {"ACME 12", false, true, false},
      {"ACME 12", false, false, true},       {"pantone 185 C", true, true, true},
      {"pantone 185 C", false, true, false}, {"PANTONE", false, true, false},
      {"PANTONE", false, false, true},       {"", false, true, false},
      {"", false, false, true},              {" PANTONE 185 C", false, false, false},
      {"PANTONE DS 1-1 C", false, true, true}, {"PANTONE 100000 C", false, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names.IsColorNameInList(c.name, c.prefixOnly, c.missingMeansFalse), c.found) << '"' << c.name << '"';
  }
}

TEST(SpotColorNames, EmptyNamesSortFirstInAStrictOrder) {
  const std::string empty, a = "a", b = "b";
  EXPECT_EQ(compare_colors(&empty, &empty), 0);
  EXPECT_EQ(compare_colors(nullptr, &a), -1);
  EXPECT_EQ(compare_colors(&a, &empty), 1);
  EXPECT_EQ(compare_colors(&a, &b), -1);
  EXPECT_EQ(compare_colors(&b, &a), 1);
}

}  // namespace
