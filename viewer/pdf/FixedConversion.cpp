#include "viewer/pdf/FixedConversion.h"

#include <cmath>
#include <limits>

namespace viewer::pdf {

host::ASFixed ToFixed(double value) {
  if (std::isnan(value)) return 0;
  const double scaled = std::round(value * 65536.0);
  if (scaled >= static_cast<double>(std::numeric_limits<host::ASFixed>::max())) {
    return std::numeric_limits<host::ASFixed>::max();
  }
  if (scaled <= static_cast<double>(std::numeric_limits<host::ASFixed>::min())) {
    return std::numeric_limits<host::ASFixed>::min();
  }
  return static_cast<host::ASFixed>(scaled);
}

}  // namespace viewer::pdf
