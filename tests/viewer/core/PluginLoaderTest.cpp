#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "host/PluginEntry.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::HostHarness;
using korvid::testing::TempDir;

// The steps the test plug-ins log (see tests/plugins).
class PluginLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("KORVID_PROBE_LOG", log.c_str(), 1); }
  void TearDown() override { unsetenv("KORVID_PROBE_LOG"); }

  std::vector<std::string> Logged() const {
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  TempDir dir;
  std::string log = dir.File("probe.log");
};

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PluginLoaderTest, RunsEachStepForAllModulesBeforeTheNext) {
  {
    HostHarness harness({.pluginDir = KORVID_PROBE_DIR});
    EXPECT_EQ(harness.Host().LoadPlugins(), 2);
    harness.FrontEnd().Settle();
    EXPECT_TRUE(harness.FrontEnd().Alerts().empty()) << "modules left out say nothing";
    const auto& lines = harness.FrontEnd().Lines();
    EXPECT_TRUE(Contains(lines, "menu-added: Probe:A"));
    EXPECT_TRUE(Contains(lines, "menu-added: Probe:B"));
  }
  const std::vector<std::string> expected = {
      // Modules in byte order of their file names; each left out where it fails.
      "handshake:main", "handshake:setup", "handshake:handshake",
      "setup:main", "setup:setup",
      "version:main",
      // Then every step for all modules that got through.
      "A:export", "B:export",
      "A:import", "A:provide", "B:import found Probe:A",  // B binds A's table
      "A:init ENU 7.0 Probe text", "B:init ENU 7.0 Probe text",
      // Unload: last loaded first.
      "B:unload", "A:unload"};
  EXPECT_EQ(Logged(), expected);
}

TEST_F(PluginLoaderTest, LinkedCodeGoesThroughTheSameProtocol) {
  HostHarness harness({.hostVersion = "6.0", .language = "DEU"});
  EXPECT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  EXPECT_EQ(Logged(), (std::vector<std::string>{"Linked:export", "Linked:import", "Linked:init DEU 6.0 Probe text"}));
  ASSERT_EQ(harness.Host().Plugins().NumModules(), 1);
  EXPECT_EQ(harness.Host().Plugins().Module(0).name, "Probe:Linked");
  harness.UnloadAll();
  EXPECT_EQ(Logged().back(), "Linked:unload");
  EXPECT_EQ(harness.Host().Menus().FindItem("Probe:Linked"), nullptr);
  EXPECT_EQ(harness.Host().Core().GetTable("Probe:Linked", 1), nullptr);
}

TEST_F(PluginLoaderTest, AHostWithoutATableTheGlueAsksForLoadsNothingSilently) {
  for (const char* missing : {"AcroSupport", "PDSysFont", "Macintosh", "AcroViewSweetPea", "AcroColorHFT"}) {
    HostHarness harness({.withoutTables = {missing}});
    EXPECT_FALSE(harness.AttachLinkedPlugin(&PIMain, &PIResources)) << missing;
    EXPECT_EQ(harness.Host().Plugins().NumModules(), 0);
    EXPECT_TRUE(harness.FrontEnd().Lines().empty()) << missing;
  }
  EXPECT_TRUE(Logged().empty());
}

TEST_F(PluginLoaderTest, TablesOlderThanThePlugInNeedsAreNotEnough) {
  // A support table older than 6.0 sends the glue down its list of older
  // versions, none of which is as new as the tables it needs.
  HostHarness harness({.tableVersions = {{"AcroSupport", 0x50000}}});
  EXPECT_FALSE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  EXPECT_TRUE(Logged().empty());
}

}  // namespace
