// Page geometry read from a page dictionary: boxes with inheritance through
// the page tree, rotation, and the matrix to the page as displayed.
#pragma once

#include <optional>

#include <qpdf/QPDFObjectHandle.hh>

#include "host/HostTypes.h"

namespace viewer::pdf {

using PdfRect = QPDFObjectHandle::Rectangle;

// A rectangle array of four numbers, with its corners put in order.
std::optional<PdfRect> ReadRect(QPDFObjectHandle array);

// The media box (US Letter when the page tree gives none).
PdfRect MediaBoxOf(QPDFObjectHandle page);
// The crop box within the media box; the media box when absent or empty.
PdfRect CropBoxOf(QPDFObjectHandle page);
// 0, 90, 180 or 270.
int RotationOf(QPDFObjectHandle page);

// User space to the displayed page: origin at the top left of the crop box
// after rotation, y downwards.
host::ASFixedMatrix FlippedMatrix(const PdfRect& cropBox, int rotation);

host::ASFixedRect ToFixedRect(const PdfRect& rect);

}  // namespace viewer::pdf
