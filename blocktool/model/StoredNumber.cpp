#include "blocktool/model/StoredNumber.h"

#include <cmath>
#include <cstdint>

namespace korvid::storage {

namespace {
// Whole numbers beyond this are written as reals (they have no exact integer).
constexpr double kLargestInteger = 9.0e18;
}  // namespace

host::CosObj NewStoredReal(host::CosDoc& doc, double v) {
  if (host::FitsFixed(v)) return doc->NewFixed(false, host::FloatToFixed(v));
  return doc->NewReal(false, std::isfinite(v) ? v : 0.0, 2);
}

host::CosObj NewStoredNumber(host::CosDoc& doc, double v) {
  if (std::isfinite(v) && std::trunc(v) == v && std::fabs(v) < kLargestInteger) {
    return doc->NewInteger(false, static_cast<std::int64_t>(v));
  }
  return NewStoredReal(doc, v);
}

}  // namespace korvid::storage
