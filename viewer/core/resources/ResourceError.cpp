#include "viewer/core/resources/ResourceError.h"

#include <string>

#include "host/HostError.h"

namespace viewer {

void RaiseResourceError(std::string_view file, int line, std::string_view message) {
  std::string text(file);
  if (line > 0) text += ":" + std::to_string(line);
  text += ": ";
  text += message;
  host::RaiseHostError(host::kErrBadFile, std::move(text));
}

}  // namespace viewer
