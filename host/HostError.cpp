#include "host/HostError.h"

#include <cmath>
#include <limits>

namespace host {

HostError::HostError(int code, std::string detail)
    : code_(code), detail_(std::move(detail)), what_("host error " + std::to_string(code)) {
  if (!detail_.empty()) what_ += ": " + detail_;
}

void RaiseHostError(int code, std::string detail) { throw HostError(code, std::move(detail)); }

int CurrentErrorCode() noexcept {
  std::exception_ptr current = std::current_exception();
  if (!current) return kErrNone;
  try {
    std::rethrow_exception(current);
  } catch (const HostError& e) {
    return e.Code();
  } catch (...) {
    return kErrGeneral;
  }
}

namespace {
constexpr double kFixedScale = 65536.0;
constexpr double kMaxFixed = static_cast<double>(std::numeric_limits<ASFixed>::max());
constexpr double kMinFixed = static_cast<double>(std::numeric_limits<ASFixed>::min());
}  // namespace

ASFixed FloatToFixed(double v) {
  if (std::isnan(v)) return 0;
  const double scaled = 0.5 + kFixedScale * v;
  const double truncated = std::trunc(scaled);
  if (truncated >= kMaxFixed) return std::numeric_limits<ASFixed>::max();
  if (truncated <= kMinFixed) return std::numeric_limits<ASFixed>::min();
  return static_cast<ASFixed>(truncated);
}

double FixedToFloat(ASFixed f) { return static_cast<double>(f) / kFixedScale; }

bool FitsFixed(double v) {
  if (!std::isfinite(v)) return false;
  const double truncated = std::trunc(0.5 + kFixedScale * v);
  return truncated < kMaxFixed && truncated > kMinFixed;
}

}  // namespace host
