#include "viewer/core/PageGeometry.h"

#include <algorithm>
#include <cmath>

#include "host/HostError.h"

namespace viewer {

namespace {

host::AVDevCoord ToDeviceCoord(double v) {
  if (!std::isfinite(v) || std::fabs(v) > PageGeometry::kDeviceLimit) host::RaiseHostError(host::kErrZoomLimit);
  return static_cast<host::AVDevCoord>(std::lround(v));
}

}  // namespace

int NormalizeRotation(int degrees) {
  const int quarter = ((degrees / 90) % 4 + 4) % 4;
  return quarter * 90;
}

PageGeometry::PageGeometry(const host::ASFixedRect& cropBox, int rotation, double zoom, double scrollX,
                           double scrollY)
    : rotation_(NormalizeRotation(rotation)), zoom_(zoom), scrollX_(scrollX), scrollY_(scrollY) {
  const double l = host::FixedToFloat(cropBox.left), r = host::FixedToFloat(cropBox.right);
  const double t = host::FixedToFloat(cropBox.top), b = host::FixedToFloat(cropBox.bottom);
  left_ = std::min(l, r);
  right_ = std::max(l, r);
  bottom_ = std::min(t, b);
  top_ = std::max(t, b);
}

double PageGeometry::DisplayWidth() const {
  const double w = rotation_ % 180 == 0 ? right_ - left_ : top_ - bottom_;
  return w * zoom_;
}

double PageGeometry::DisplayHeight() const {
  const double h = rotation_ % 180 == 0 ? top_ - bottom_ : right_ - left_;
  return h * zoom_;
}

DevicePoint PageGeometry::ToDevice(double x, double y) const {
  // Unscaled displayed coordinates: origin at the displayed top-left corner
  // of the crop box, y down; the page turns clockwise by its rotation.
  double dx = 0, dy = 0;
  switch (rotation_) {
    case 0: dx = x - left_; dy = top_ - y; break;
    case 90: dx = y - bottom_; dy = x - left_; break;
    case 180: dx = right_ - x; dy = y - bottom_; break;
    default: dx = top_ - y; dy = right_ - x; break;
  }
  return {dx * zoom_ - scrollX_, dy * zoom_ - scrollY_};
}

DevicePoint PageGeometry::ToPage(double x, double y) const {
  const double dx = (x + scrollX_) / zoom_;
  const double dy = (y + scrollY_) / zoom_;
  switch (rotation_) {
    case 0: return {left_ + dx, top_ - dy};
    case 90: return {left_ + dy, bottom_ + dx};
    case 180: return {right_ - dx, bottom_ + dy};
    default: return {right_ - dy, top_ - dx};
  }
}

host::AVRect PageGeometry::RectToDevice(const host::ASFixedRect& rect) const {
  const DevicePoint a = ToDevice(host::FixedToFloat(rect.left), host::FixedToFloat(rect.top));
  const DevicePoint b = ToDevice(host::FixedToFloat(rect.right), host::FixedToFloat(rect.bottom));
  return {ToDeviceCoord(std::min(a.x, b.x)), ToDeviceCoord(std::min(a.y, b.y)), ToDeviceCoord(std::max(a.x, b.x)),
          ToDeviceCoord(std::max(a.y, b.y))};
}

host::AVPoint PageGeometry::PointToDevice(const host::ASFixedPoint& point) const {
  const DevicePoint d = ToDevice(host::FixedToFloat(point.h), host::FixedToFloat(point.v));
  return {ToDeviceCoord(d.x), ToDeviceCoord(d.y)};
}

host::ASFixedRect PageGeometry::RectToPage(const host::AVRect& rect) const {
  const DevicePoint a = ToPage(rect.left, rect.top);
  const DevicePoint b = ToPage(rect.right, rect.bottom);
  return {host::FloatToFixed(std::min(a.x, b.x)), host::FloatToFixed(std::max(a.y, b.y)),
          host::FloatToFixed(std::max(a.x, b.x)), host::FloatToFixed(std::min(a.y, b.y))};
}

host::ASFixedPoint PageGeometry::PointToPage(host::AVDevCoord x, host::AVDevCoord y) const {
  const DevicePoint p = ToPage(x, y);
  return {host::FloatToFixed(p.x), host::FloatToFixed(p.y)};
}

host::AVRect PageGeometry::PageArea() const {
  return {ToDeviceCoord(-scrollX_), ToDeviceCoord(-scrollY_), ToDeviceCoord(DisplayWidth() - scrollX_),
          ToDeviceCoord(DisplayHeight() - scrollY_)};
}

}  // namespace viewer
