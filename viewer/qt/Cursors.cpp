#include "viewer/qt/Cursors.h"


#include "viewer/core/Host.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/core/resources/XpmImage.h"
#include "viewer/qt/Conversions.h"

namespace viewer::qt {

Qt::CursorShape StandardCursorShape(int number) {
  switch (number) {
    case host::kCursorResizeHorizontal:
      return Qt::SizeHorCursor;
    case host::kCursorResizeVertical:
      return Qt::SizeVerCursor;
    case host::kCursorResizeNWSE:
      return Qt::SizeFDiagCursor;
    case host::kCursorResizeNESW:
      return Qt::SizeBDiagCursor;
    case host::kCursorCrosshair:
      return Qt::CrossCursor;
    default:
      return Qt::ArrowCursor;
  }
}

QCursor CursorCache::For(host::AVCursor cursor) {
  const CursorInfo* info = host_.Viewer().Cursor(cursor);
  if (!info) return QCursor(Qt::ArrowCursor);
  if (info->standard) return QCursor(StandardCursorShape(info->number));
  const auto cached = pluginCursors_.find(cursor);
  if (cached != pluginCursors_.end()) return cached->second;

  QCursor made(Qt::ArrowCursor);
  const XpmImage* image = host_.Resources().Image(info->owner, "cursor", info->number);
  const QPixmap pixmap = PixmapOf(image);
  if (!pixmap.isNull()) {
    const host::ADMPoint hot = image->hotSpot.value_or(host::ADMPoint{image->width / 2, image->height / 2});
    made = QCursor(pixmap, hot.h, hot.v);
  }
  pluginCursors_.emplace(cursor, made);
  return made;
}

}  // namespace viewer::qt
