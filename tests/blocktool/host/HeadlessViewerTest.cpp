// The block tool's module as the viewer loads it from its plug-ins folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ViewerRun.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::TempDir;

TEST(BlockToolModule, HeadlessViewerShowsOneAlertOnHostsOtherThan7AndUnloadsCleanly) {
  TempDir dir;
  // A folder with this module alone, so that no other plug-in speaks.
  const std::filesystem::path plugins = dir.Path() / "plugins";
  std::filesystem::create_directory(plugins);
  std::filesystem::copy_file(KORVID_BLOCKTOOL_MODULE, plugins / "blocktool.so");
  const std::string english =
      "alert: The Korvid block tool cannot run in this version of the viewer.\\nIt needs version 7 of the viewer.";
  struct Case {
    const char* version;
    std::vector<std::string> out;
  };
  const Case cases[] = {{"6.0", {english}}, {"8.0", {english}}, {"7.0", {}}};
  for (const Case& c : cases) {
    const ViewerRun run = RunViewer(dir.Path().string(), "",
                                    std::string("--host-version ") + c.version + " --language ENU --plugins '" +
                                        plugins.string() + "'");
    EXPECT_EQ(run.status, 0) << c.version << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.version;
    EXPECT_EQ(run.err, "") << c.version;
  }
}

}  // namespace
