#pragma once

#include <string>

namespace viewer {

// The text the host shows for an error code (host/HostError.h).
std::string HostErrorText(int code);

}  // namespace viewer
