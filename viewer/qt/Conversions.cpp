#include "viewer/qt/Conversions.h"

#include "viewer/core/resources/XpmImage.h"

namespace viewer::qt {

QPixmap PixmapOf(const XpmImage* image) {
  QPixmap pixmap;
  if (image) pixmap.loadFromData(reinterpret_cast<const uchar*>(image->data.data()), static_cast<uint>(image->data.size()), "XPM");
  return pixmap;
}

}  // namespace viewer::qt
