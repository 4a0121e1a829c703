#include <gtest/gtest.h>

#include <cmath>

#include "host/HostError.h"
#include "viewer/core/PageGeometry.h"

namespace {

using host::FloatToFixed;
using viewer::PageGeometry;

host::ASFixedRect Fixed(double l, double t, double r, double b) {
  return {FloatToFixed(l), FloatToFixed(t), FloatToFixed(r), FloatToFixed(b)};
}

// A crop box that does not start at the origin, so that every rotation
// shows a different corner first.
const host::ASFixedRect kCropBox = Fixed(20, 800, 620, 10);  // 600 x 790 points

TEST(PageGeometry, PageToDeviceAndBackIsTheIdentityWithinOnePixel) {
  const double zooms[] = {0.25, 0.5, 1.0, 1.5, 4.0, 16.0, 64.0};
  const int pageRotations[] = {0, 90, 180, 270};
  const int viewRotations[] = {0, 90, 180, 270};
  const host::ASFixedRect rects[] = {Fixed(100, 700, 300, 600), Fixed(20, 800, 620, 10), Fixed(33.3, 44.4, 55.5, 22.2)};
  for (double zoom : zooms) {
    for (int page : pageRotations) {
      for (int view : viewRotations) {
        const PageGeometry g(kCropBox, page + view, zoom, 7, -3);
        const double pixel = 1.0 / zoom;  // one device pixel in points
        for (const host::ASFixedRect& r : rects) {
          const host::AVRect d = g.RectToDevice(r);
          EXPECT_LT(d.top, d.bottom);
          EXPECT_LT(d.left, d.right);
          const host::ASFixedRect back = g.RectToPage(d);
          EXPECT_GT(back.top, back.bottom);
          for (auto [got, want] : {std::pair{back.left, r.left}, {back.top, r.top}, {back.right, r.right},
                                   {back.bottom, r.bottom}}) {
            EXPECT_LE(std::fabs(host::FixedToFloat(got) - host::FixedToFloat(want)), pixel)
                << "zoom " << zoom << " rotation " << page << "+" << view;
          }
        }
      }
    }
  }
}

TEST(PageGeometry, TheDisplayedTopLeftCornerOfTheCropBoxIsAtTheOrigin) {
  struct Case {
    int rotation;
    double x, y;  // the page corner shown at device (0, 0)
    double width, height;
  };
  const Case cases[] = {{0, 20, 800, 600, 790}, {90, 20, 10, 790, 600}, {180, 620, 10, 600, 790},
                        {270, 620, 800, 790, 600}};
  for (const Case& c : cases) {
    const PageGeometry g(kCropBox, c.rotation, 2.0);
    const host::AVPoint origin = g.PointToDevice({FloatToFixed(c.x), FloatToFixed(c.y)});
    EXPECT_EQ(origin, (host::AVPoint{0, 0})) << c.rotation;
    EXPECT_EQ(g.PageArea(), (host::AVRect{0, 0, static_cast<int>(2 * c.width), static_cast<int>(2 * c.height)}))
        << c.rotation;
  }
  // Rotation is taken modulo a full turn, in either direction.
  EXPECT_EQ(viewer::NormalizeRotation(-90), 270);
  EXPECT_EQ(viewer::NormalizeRotation(450), 90);
}

TEST(PageGeometry, ScrollingMovesThePageAgainstTheDevice) {
  const PageGeometry g(kCropBox, 0, 1.0, 100, 50);
  EXPECT_EQ(g.PageArea(), (host::AVRect{-100, -50, 500, 740}));
  EXPECT_EQ(g.PointToDevice({FloatToFixed(120), FloatToFixed(750)}), (host::AVPoint{0, 0}));
}

TEST(PageGeometry, CoordinatesBeyondTwoToTheThirtyRaiseTheZoomLimit) {
  const PageGeometry fits(kCropBox, 0, 1.0e6);  // 600 points -> 6e8 pixels
  EXPECT_NO_THROW(fits.PageArea());
  const PageGeometry tooFar(kCropBox, 0, 2.0e6);
  try {
    tooFar.PageArea();
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    EXPECT_EQ(e.Code(), host::kErrZoomLimit);
  }
  // A block far out on the page leaves the range before the page does.
  EXPECT_THROW(fits.RectToDevice(Fixed(0, 30000, 2000, 0)), host::HostError);
}

}  // namespace
