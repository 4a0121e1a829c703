// Every colour form goes text -> spec -> PDF array -> spec -> text through
// the viewer's PDF objects, comes back in its normalised form, and a second
// trip changes nothing.
#include <gtest/gtest.h>

#include "ModelStrings.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "viewer/pdf/HostDoubles.h"
#include "viewer/pdf/PdfDocument.h"

namespace {

using korvid::testing::ModelStrings;

class ColorPdfTest : public ::testing::TestWithParam<char> {
 protected:
  ColorPdfTest() : strings_(GetParam()), doc_(viewer::pdf::PdfDocument::Create(events_, atoms_)) {}
  std::string Local(std::string text) const {
    for (char& c : text) {
      if (c == '.') c = GetParam();
    }
    return text;
  }
  ModelStrings strings_;
  korvid::test::SilentEvents events_;
  korvid::test::TestAtoms atoms_;
  std::unique_ptr<viewer::pdf::PdfDocument> doc_;
};

TEST_P(ColorPdfTest, EveryFormRoundTrips) {
  const struct {
    const char* text;
    const char* back;  // "." stands for the local separator
    int length;
    host::CosType element1;
  } cases[] = {
      // Stored reals read back with two decimals, or three below 1 (so 0.5
      // becomes 0.500); whole numbers lose their decimals.
      {"DeviceGray [0]", "DeviceGray [0]", 2, host::CosType::Real},
      {"DeviceGray [0.5]", "DeviceGray [0.500]", 2, host::CosType::Real},
      {"DeviceRGB [1 0 0.25]", "DeviceRGB [1 0 0.250]", 2, host::CosType::Array},
      {"DeviceRGB [0.1 0.5 1]", "DeviceRGB [0.100 0.500 1]", 2, host::CosType::Array},
      {"DeviceCMYK [0 1 1 0]", "DeviceCMYK [0 1 1 0]", 2, host::CosType::Array},
      {"Lab [50 -20.5 30]", "Lab [50 -20.50 30]", 2, host::CosType::Array},
      {"PANTONE 185 C: tint=0.5", "PANTONE 185 C: tint=0.500", 2, host::CosType::Real},
      {"HKS 1 E: tint=1 Alternate=DeviceCMYK [0 1 1 0]", "HKS 1 E: tint=1 Alternate=DeviceCMYK [0 1 1 0]", 3,
       host::CosType::Real},
      {"X: tint=0.25 Alternate=Lab [10 0 0]", "X: tint=0.250 Alternate=Lab [10 0 0]", 3, host::CosType::Real},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CColorSpaceProperty color("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
    color.TagValue(Local(c.text));
    const host::CosObj array = color.MakeColorArray(doc_->GetCosDoc());
    ASSERT_TRUE(array.IsArray());
    EXPECT_EQ(array.ArrayLength(), c.length);
    EXPECT_EQ(array.ArrayGet(1).Type(), c.element1);
    CColorSpaceProperty back("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
    ASSERT_EQ(back.ReadColorArray(array), 0);
    EXPECT_EQ(back.TagValue(), Local(c.back));
    CColorSpaceProperty again("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
    ASSERT_EQ(again.ReadColorArray(back.MakeColorArray(doc_->GetCosDoc())), 0);
    EXPECT_EQ(again.TagValue(), back.TagValue());
  }
}

TEST_P(ColorPdfTest, FormsOfTheStoredArrays) {
  CColorSpaceProperty color("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
  color.TagValue("Lab [1 2 3]");
  const host::CosObj lab = color.MakeColorArray(doc_->GetCosDoc());
  ASSERT_TRUE(lab.ArrayGet(0).IsArray());  // Lab's element 0 is an array holding the name
  EXPECT_EQ(lab.ArrayGet(0).ArrayGet(0).NameValue(), "Lab");
  color.TagValue("Spot: tint=1");
  const host::CosObj spot = color.MakeColorArray(doc_->GetCosDoc());
  EXPECT_EQ(spot.ArrayGet(0).ArrayGet(0).NameValue(), "Separation");
  EXPECT_EQ(spot.ArrayGet(0).ArrayGet(1).NameValue(), "Spot");
}

TEST_P(ColorPdfTest, ColoursThatCannotBeWrittenOrRead) {
  host::CosDoc cos = doc_->GetCosDoc();
  CColorSpaceProperty color("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
  // Nothing is written for no colour, or for components that do not fit the space.
  for (const char* value : {"", "DeviceRGB [1 0]", "DeviceGray [0 0]", "DeviceCMYK [a b c d]",
                            "X: tint=1 Alternate=Y: tint=1", "X: tint=1 Alternate=DeviceRGB [1]"}) {
    color.TagValue(value);
    EXPECT_TRUE(color.MakeColorArray(cos).IsNull()) << value;
  }
  const auto name = [&](const char* n) { return cos->NewName(false, n); };
  const auto number = [&](double v) { return cos->NewFixed(false, host::FloatToFixed(v)); };
  const auto array = [&](std::initializer_list<host::CosObj> items) {
    host::CosObj a = cos->NewArray(false, static_cast<int>(items.size()));
    int i = 0;
    for (const host::CosObj& item : items) a.ArrayPut(i++, item);
    return a;
  };
  color.TagValue("DeviceGray [0.5]");
  const host::CosObj separation = array({name("Separation"), name("S")});
  const host::CosObj refused[] = {
      array({name("DeviceGray")}),                                      // one element
      array({name("DeviceGray"), number(1), number(1), number(1)}),     // four elements
      array({array({name("Separation")}), number(1)}),                  // spot without a name
      array({separation, number(1), array({separation, number(1)})}),   // spot as alternate
      array({name("None"), number(1)}),                                 // None never reads itself
      array({number(1), number(1)}),                                    // no space
      array({name("DeviceRGB"), cos->NewString(false, "x")}),           // components of another kind
      name("DeviceGray"),                                               // not an array
  };
  for (const host::CosObj& entry : refused) {
    EXPECT_EQ(color.ReadColorArray(entry), -1);
    EXPECT_EQ(color.TagValue(), "DeviceGray [0.5]");  // the value stays
  }
  // A name inside an RGB component array is read as its text (it fails
  // validation later, not reading).
  ASSERT_EQ(color.ReadColorArray(array({name("DeviceRGB"), array({number(1), name("x"), number(0)})})), 0);
  EXPECT_EQ(color.TagValue(), "DeviceRGB [1 x 0]");
}

INSTANTIATE_TEST_SUITE_P(Separators, ColorPdfTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Point" : "Comma"; });

}  // namespace
