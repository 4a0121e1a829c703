// How a 16.16 value is written as a PDF real: with the fewest decimals (at
// least one) whose text converts back to the same 16.16 value, so 7.0 is
// written "7.0" and 12.5 "12.5".
#pragma once

#include <string>

#include "host/HostTypes.h"

namespace viewer::pdf {

int FewestDecimalsFor(host::ASFixed value);

// The text of a finite value with the given decimals, independent of the C locale.
std::string DecimalText(double value, int decimals);

}  // namespace viewer::pdf
