// Builds a module's resource blob in tests, as the build embeds it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/Core.h"

namespace viewer::testing {

using ResourceFiles = std::vector<std::pair<std::string, std::string>>;  // path, content

inline std::string MakeBlob(const ResourceFiles& files) {
  std::string blob;
  for (const auto& [path, content] : files) blob += path + "\n" + std::to_string(content.size()) + "\n" + content;
  return blob;
}

// A fake module identity: the store only compares it.
inline host::ExtensionID FakeModule(int n) { return reinterpret_cast<host::ExtensionID>(static_cast<std::uintptr_t>(0x1000 * n)); }

}  // namespace viewer::testing
