// Colour values: parsing a value into space and components, writing the
// value text back, validity and the textual default test.
#include <gtest/gtest.h>

#include "ModelStrings.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/MarkupBlockProperties.h"

namespace {

using korvid::testing::ModelStrings;

CColorSpaceProperty Fill(std::string_view value) {
  CColorSpaceProperty p("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
  p.TagValue(value);
  return p;
}

TEST(ColorValue, ParsesEveryForm) {
  ModelStrings strings;
  const struct {
    const char* value;
    int parsed;
    const char* space;
    const char* components;
    std::vector<float> numbers;
  } cases[] = {
      {"DeviceGray [0.5]", 0, "DeviceGray", "0.5", {0.5f}},
      {"DeviceRGB [1 0 0.25]", 0, "DeviceRGB", "1 0 0.25", {1, 0, 0.25f}},
      {"DeviceCMYK [0 1 1 0]", 0, "DeviceCMYK", "0 1 1 0", {0, 1, 1, 0}},
      {"Lab [50 -20 30]", 0, "Lab", "50 -20 30", {50, -20, 30}},
      {"PANTONE 185 C: tint=0.5", 0, "Separation", "PANTONE 185 C: tint=0.5", {0.5f}},
      {"", -1, "", "", {}},
      {"DeviceRGB [a b c]", 0, "DeviceRGB", "a b c", {}},
      {"Foo [1]", -1, "DeviceGray", "0", {0}},  // unknown space: DeviceGray at the next use
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    CColorSpaceProperty p = Fill("DeviceGray [0]");
    p.TagValue(c.value);
    EXPECT_EQ(p.ParsePropertyValue(), c.parsed);
    CColorSpaceSpec* spec = p.GetColorSpec("");
    EXPECT_EQ(p.ColorSpaceName(), c.space);
    if (*c.space) {
      EXPECT_EQ(spec->ColorSpaceName(), c.space);
    }
    EXPECT_EQ(spec->ColorValues(), c.components);
    std::vector<float> numbers;
    spec->GetColorValues(numbers);
    EXPECT_EQ(numbers, c.numbers);
  }
}

TEST(ColorValue, SeparationTextsAndAlternates) {
  ModelStrings strings;
  CColorSpaceProperty p = Fill("HKS 1 E: tint=0.25 Alternate=DeviceCMYK [0 1 1 0]");
  auto* spot = dynamic_cast<CColorSpaceSeparation*>(p.GetColorSpec(""));
  ASSERT_NE(spot, nullptr);
  EXPECT_EQ(spot->SpotName(), "HKS 1 E");
  EXPECT_FLOAT_EQ(spot->Tint(), 0.25f);
  EXPECT_EQ(spot->AlternateColor(), "DeviceCMYK [0 1 1 0]");
  // Nothing after the tint keeps the alternate; something without "=" drops it.
  spot->ColorValues("HKS 2 E: tint=1");
  EXPECT_EQ(spot->AlternateColor(), "DeviceCMYK [0 1 1 0]");
  spot->ColorValues("HKS 2 E: tint=1 x");
  EXPECT_EQ(spot->AlternateColor(), "");
  spot->ColorValues("no colon here");
  EXPECT_EQ(spot->SpotName(), "HKS 2 E");
  const struct {
    const char* text;
    bool valid;
  } validity[] = {{"X: tint=0.5", true}, {"X: tint=1", true}, {"X: tint=1.5", false},
                  {"X: tint=", false},   {"X: 0.5", false},   {"X: tint=0.5 Alternate=DeviceGray [0]", true}};
  for (const auto& c : validity) EXPECT_EQ(spot->IsValid(c.text), c.valid) << c.text;
}

TEST(ColorValue, ValidityPerSpace) {
  ModelStrings strings;
  CColorSpaceProperty p = Fill("DeviceGray [0]");
  const struct {
    const char* space;
    const char* components;
    bool valid;
  } cases[] = {
      {"DeviceGray", "0.5", true},      {"DeviceGray", "1.5", false},       {"DeviceGray", "0 0", false},
      {"DeviceRGB", "1 0 0", true},     {"DeviceRGB", "1 0", false},        {"DeviceRGB", "1 0 -0.1", false},
      {"DeviceCMYK", "0 0 0 1", true},  {"DeviceCMYK", "0 0 0", false},     {"Lab", "100 -127 128", true},
      {"Lab", "101 0 0", false},        {"Lab", "50 -128 0", false},        {"Lab", "50 0 129", false},
      {"DeviceGray", "inf", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(p.GetColorSpec(c.space)->IsValid(c.components), c.valid) << c.space << " " << c.components;
  }
}

TEST(ColorValue, WritesValueTextAndComparesWithTheDefaultTextually) {
  ModelStrings strings;
  CColorSpaceProperty p = Fill("DeviceGray [0]");
  EXPECT_TRUE(p.IsDefault());
  p.TagValue("DeviceGray [0.0]");
  EXPECT_FALSE(p.IsDefault());
  p.ColorSpaceName("DeviceRGB");
  p.ColorValues("1 0 0");
  EXPECT_EQ(p.TagValue(), "DeviceRGB [1 0 0]");
  p.ColorSpaceName("None");
  EXPECT_EQ(p.TagValue(), "");
  CColorSpaceProperty none("bordercolor", "", "", 0, 0x01000208);
  EXPECT_TRUE(none.IsDefault());
  EXPECT_EQ(none.ValueList(),
            (std::vector<std::string>{"None", "DeviceGray", "DeviceRGB", "DeviceCMYK", "Separation", "Lab"}));
  CColorSpaceProperty unnamed("", "", "", 0, 0x200);
  EXPECT_EQ(unnamed.ValueList(), (std::vector<std::string>{"DeviceGray", "DeviceRGB", "DeviceCMYK", "Lab"}));
  EXPECT_EQ(none.GetColorSpaceDefault("DeviceCMYK").defaultValues, "0 0 0 0");
  EXPECT_EQ(none.GetColorSpaceDefault("Separation").defaultValues, " 1");
  EXPECT_EQ(none.GetColorSpaceDefault("Lab").numValues, 3);

  // Components from numbers and from page content.
  CColorSpaceSpec* rgb = p.GetColorSpec("DeviceRGB");
  rgb->SetColorValues(std::vector<float>{0.5f, 1, 0.333333f});
  EXPECT_EQ(rgb->ColorValues(), "0.5 1 0.333333");
  host::PDEColorSpec fromPage;
  fromPage.value[0] = 0x8000;
  fromPage.value[1] = 0x10000;
  fromPage.value[2] = 0;
  rgb->SetColorValues(fromPage);
  EXPECT_EQ(rgb->ColorValues(), "0.5 1 0");

  // Copying keeps the space and the components.
  p.ColorSpaceName("DeviceRGB");
  CColorSpaceProperty copy(p);
  EXPECT_EQ(copy.TagValue(), "DeviceRGB [0.5 1 0]");
  EXPECT_EQ(copy.ColorSpaceName(), "DeviceRGB");
}

TEST(ColorValue, DefaultListsCarryColoursOver) {
  ModelStrings strings;
  CMarkupBlockProperties defaults(0);
  defaults.GetProperty("fillcolor")->TagValue("DeviceCMYK [0 1 1 0]");
  defaults.GetProperty("fontsize")->TagValue("9");
  CMarkupBlockProperties block(3);
  block.CopyPropertiesList(PropText, defaults, false);
  EXPECT_EQ(block.GetProperty("fillcolor")->TagValue(), "DeviceCMYK [0 1 1 0]");
  EXPECT_EQ(block.GetProperty("fontsize")->TagValue(), "9");
  EXPECT_EQ(block.GetProperty("ID")->TagValue(), "3");  // identity properties stay
  EXPECT_EQ(block.GetProperty("Name")->TagValue(), "Block_3");
}

}  // namespace
