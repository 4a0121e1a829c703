#include "viewer/pdf/QpdfErrors.h"

namespace viewer::pdf {

void RaiseFromQpdfException(int code, const std::exception& e) { host::RaiseHostError(code, e.what()); }

}  // namespace viewer::pdf
