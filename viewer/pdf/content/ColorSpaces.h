// Colour spaces named by content: the family, the number of components and
// the initial colour of each.
#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include "viewer/pdf/content/GraphicsState.h"

namespace viewer::pdf {

// The colour state after "CS"/"cs" with `operand` (a name), looked up in
// the resources' ColorSpace dictionary when it is not a device space.
ColorState ColorSpaceFor(QPDFObjectHandle operand, QPDFObjectHandle resources);

// The device colour state of "g", "rg" and "k" (and their stroking forms).
ColorState DeviceColor(const char* family, int components);

}  // namespace viewer::pdf
