#include "viewer/pdf/doc/PageBoxes.h"

#include "viewer/pdf/FixedConversion.h"

#include <algorithm>
#include <cmath>

#include <qpdf/QPDFPageObjectHelper.hh>

namespace viewer::pdf {
namespace {

const PdfRect kLetter{0, 0, 612, 792};

QPDFObjectHandle Inherited(QPDFObjectHandle page, const char* key) {
  return QPDFPageObjectHelper(page).getAttribute(key, false);
}

}  // namespace

std::optional<PdfRect> ReadRect(QPDFObjectHandle array) {
  if (!array.isArray() || array.getArrayNItems() != 4) return std::nullopt;
  double v[4];
  for (int i = 0; i < 4; ++i) {
    QPDFObjectHandle item = array.getArrayItem(i);
    if (!item.isNumber()) return std::nullopt;
    v[i] = item.getNumericValue();
    if (!std::isfinite(v[i])) return std::nullopt;
  }
  return PdfRect(std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]), std::max(v[1], v[3]));
}

PdfRect MediaBoxOf(QPDFObjectHandle page) { return ReadRect(Inherited(page, "/MediaBox")).value_or(kLetter); }

PdfRect CropBoxOf(QPDFObjectHandle page) {
  const PdfRect media = MediaBoxOf(page);
  const auto crop = ReadRect(Inherited(page, "/CropBox"));
  if (!crop) return media;
  const PdfRect clipped(std::max(crop->llx, media.llx), std::max(crop->lly, media.lly), std::min(crop->urx, media.urx),
                        std::min(crop->ury, media.ury));
  if (clipped.llx >= clipped.urx || clipped.lly >= clipped.ury) return media;
  return clipped;
}

int RotationOf(QPDFObjectHandle page) {
  QPDFObjectHandle rotate = Inherited(page, "/Rotate");
  if (!rotate.isNumber()) return 0;
  const double value = rotate.getNumericValue();
  if (!std::isfinite(value)) return 0;
  const long quarter = std::lround(std::fmod(value, 360.0) / 90.0);
  return static_cast<int>(((quarter % 4) + 4) % 4) * 90;
}

host::ASFixedMatrix FlippedMatrix(const PdfRect& crop, int rotation) {
  const host::ASFixed one = host::fixedOne;
  switch (rotation) {
    case 90:  // (x, y) -> (y - B, x - L)
      return {0, one, one, 0, ToFixed(-crop.lly), ToFixed(-crop.llx)};
    case 180:  // (x, y) -> (R - x, y - B)
      return {-one, 0, 0, one, ToFixed(crop.urx), ToFixed(-crop.lly)};
    case 270:  // (x, y) -> (T - y, R - x)
      return {0, -one, -one, 0, ToFixed(crop.ury), ToFixed(crop.urx)};
    default:  // (x, y) -> (x - L, T - y)
      return {one, 0, 0, -one, ToFixed(-crop.llx), ToFixed(crop.ury)};
  }
}

host::ASFixedRect ToFixedRect(const PdfRect& rect) {
  return {ToFixed(rect.llx), ToFixed(rect.ury), ToFixed(rect.urx),
          ToFixed(rect.lly)};
}

}  // namespace viewer::pdf
