// The Rect value between page space and what the properties dialog shows:
// from the top left corner of the displayed crop box, y downwards, in the
// user's page unit.
#include <gtest/gtest.h>

#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"

namespace {

host::ASFixedRect Crop(double left, double bottom, double right, double top) {
  return {host::FloatToFixed(left), host::FloatToFixed(top), host::FloatToFixed(right), host::FloatToFixed(bottom)};
}

struct RectCase {
  const char* stored;
  host::ASFixedRect crop;
  int rotation;
  int units;
  const char* shown;
};

TEST(RectUnits, StoredAndShownFormsMapBothWays) {
  const host::ASFixedRect letter = Crop(0, 0, 612, 792);
  const RectCase cases[] = {
      {"72 72 144 144", letter, 0, 0, "72 648 144 720"},
      {"72 72 144 144", letter, 0, 1, "1 9 2 10"},
      {"10 20 110 70", letter, 0, 0, "10 722 110 772"},
      {"10 20 110 70", letter, 90, 0, "20 10 70 110"},
      {"10 20 110 70", letter, 180, 0, "502 20 602 70"},
      {"10 20 110 70", letter, 270, 0, "722 502 772 602"},
      {"10 20 110 70", letter, -90, 0, "722 502 772 602"},
      {"60 60 132 204", Crop(50, 50, 662, 842), 0, 0, "10 638 82 782"},
      {"0 0 72 72", letter, 0, 2, "0 254 25.40 279.40"},
      {"0 0 72 72", letter, 0, 3, "0 25.40 2.54 27.94"},
      {"0 0 72 72", letter, 0, 4, "0 60 6 66"},
      {"0 0 72 72", letter, 0, 9, "0 720 72 792"},
  };
  for (const RectCase& c : cases) {
    EXPECT_EQ(Service.RectToUI(c.stored, c.crop, c.rotation, c.units), c.shown) << c.stored << " " << c.rotation;
    EXPECT_EQ(Service.RectFromUI(c.shown, c.crop, c.rotation, c.units), c.stored) << c.shown << " " << c.rotation;
  }
}

TEST(RectUnits, LocalSeparatorAndTextsThatAreNotFourNumbers) {
  const host::ASFixedRect letter = Crop(0, 0, 612, 792);
  cDecimalSeparator = ',';
  EXPECT_EQ(Service.RectToUI("0 0 72 72", letter, 0, 2), "0 254 25,40 279,40");
  EXPECT_EQ(Service.RectFromUI("0 254 25,40 279,40", letter, 0, 2), "0 0 72 72");
  cDecimalSeparator = '.';
  for (const char* text : {"", "1 2 3", "1 2 3 4 5", "a b c d", "0, 0, 0, 0"}) {
    EXPECT_EQ(Service.RectToUI(text, letter, 0, 1), text);
    EXPECT_EQ(Service.RectFromUI(text, letter, 0, 1), text);
  }
  EXPECT_EQ(Service.RectToUI("49.999 60 132 204", Crop(50, 50, 662, 842), 0, 0), "0 638 82 782") << "never -0";
}

}  // namespace
