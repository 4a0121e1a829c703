// Cursors on screen: the host's standard cursors by number as the desktop's
// cursor shapes, and plug-in cursors made from their XPM resources with
// their hot spots.
#pragma once

#include <map>
#include <utility>

#include <QCursor>

#include "host/AV.h"

namespace viewer {
class Host;
}

namespace viewer::qt {

// 0 arrow, 33 horizontal resize, 35 vertical resize, 1204 NW-SE diagonal,
// 1205 NE-SW diagonal, 1000 crosshair; unknown numbers show the arrow.
Qt::CursorShape StandardCursorShape(int number);

class CursorCache {
 public:
  explicit CursorCache(Host& host) : host_(host) {}
  // The cursor for a host cursor handle; the arrow for an unknown handle or
  // a resource that is no image.
  QCursor For(host::AVCursor cursor);

 private:
  Host& host_;
  std::map<host::AVCursor, QCursor> pluginCursors_;
};

}  // namespace viewer::qt
