// Cursor and icon images: XPM text (which Qt reads as it is), with the
// optional hot spot of the values line ("w h colours chars-per-pixel x y").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/ADM.h"

namespace viewer {

struct XpmImage {
  int width = 0;
  int height = 0;
  std::optional<host::ADMPoint> hotSpot;
  std::string data;  // the whole file
};

// Checks the file's structure: the "/* XPM */" mark, the values line, one
// definition per colour, rows of the stated width using defined colours, a
// hot spot inside the image. Raises HostError kErrBadFile naming file and
// line otherwise.
XpmImage ParseXpm(std::string_view file, std::string_view text);

}  // namespace viewer
