// Where a page sits in a page view's device space: the crop box (as
// displayed, after the page's and the view's rotation) scaled by the zoom,
// its top-left corner at device (0, 0) less the scroll offset. Device y grows
// downwards; page y upwards.
#pragma once

#include "host/HostTypes.h"

namespace viewer {

struct DevicePoint {
  double x = 0;
  double y = 0;
};

class PageGeometry {
 public:
  // Device coordinates beyond this size are not served (kErrZoomLimit).
  static constexpr double kDeviceLimit = 1073741824.0;  // 2^30

  // rotation: the page's and the view's together, in degrees (multiples of 90).
  PageGeometry(const host::ASFixedRect& cropBox, int rotation, double zoom, double scrollX = 0, double scrollY = 0);

  DevicePoint ToDevice(double x, double y) const;
  DevicePoint ToPage(double x, double y) const;

  // Raise kErrZoomLimit when a coordinate leaves +/-2^30.
  host::AVRect RectToDevice(const host::ASFixedRect& rect) const;
  host::AVPoint PointToDevice(const host::ASFixedPoint& point) const;
  host::ASFixedRect RectToPage(const host::AVRect& rect) const;
  host::ASFixedPoint PointToPage(host::AVDevCoord x, host::AVDevCoord y) const;

  // The page as displayed, in device space (the "gray rect").
  host::AVRect PageArea() const;
  // Width and height of the displayed page in device pixels.
  double DisplayWidth() const;
  double DisplayHeight() const;

 private:
  double left_, bottom_, right_, top_;  // crop box, normalised
  int rotation_;                        // 0, 90, 180 or 270
  double zoom_;
  double scrollX_, scrollY_;
};

// Rotation in degrees brought to 0, 90, 180 or 270.
int NormalizeRotation(int degrees);

}  // namespace viewer
