// Values the viewer reports in 16.16 (boxes, matrices, colours, text
// state) are rounded to the nearest 16.16 value, so that whole numbers
// stay exact whatever their sign.
#pragma once

#include "host/HostTypes.h"

namespace viewer::pdf {

host::ASFixed ToFixed(double value);

}  // namespace viewer::pdf
