#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/TempDir.h"

namespace {

std::string Read(const std::string& path) {
  std::ostringstream data;
  data << std::ifstream(path, std::ios::binary).rdbuf();
  return data.str();
}

TEST(Example, TheBundledFileIsWhatTheGeneratorWritesAndQpdfAcceptsIt) {
  korvid::testing::TempDir dir;
  const std::string fresh = dir.File("example.pdf");
  ASSERT_EQ(std::system(("'" KORVID_MAKE_EXAMPLE "' '" + fresh + "'").c_str()), 0);
  EXPECT_EQ(Read(fresh), Read(KORVID_SOURCE_DIR "/examples/example.pdf"))
      << "examples/example.pdf is out of date: run make-example examples/example.pdf";
  EXPECT_EQ(std::system(("qpdf --check '" + fresh + "' >/dev/null").c_str()), 0);
}

}  // namespace
