#include "support/TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace korvid::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvid-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace korvid::testing
