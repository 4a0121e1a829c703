#include "viewer/pdf/cos/FixedReal.h"

#include <charconv>

namespace viewer::pdf {
namespace {
// 16.16 has 16 fractional bits: beyond this many decimals nothing changes.
constexpr int kMaxDecimals = 17;
}  // namespace

std::string DecimalText(double value, int decimals) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

int FewestDecimalsFor(host::ASFixed value) {
  const double v = host::FixedToFloat(value);
  for (int decimals = 1; decimals < kMaxDecimals; ++decimals) {
    const std::string text = DecimalText(v, decimals);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    if (host::FloatToFixed(back) == value) return decimals;
  }
  return kMaxDecimals;
}

}  // namespace viewer::pdf
