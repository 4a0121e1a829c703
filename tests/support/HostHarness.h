// An in-process viewer host for tests: the real host with the scripted front
// end, plug-in code attached through the real loading protocol.
//
//   korvid::testing::HostHarness harness({.hostVersion = "6.0"});
//   harness.AttachLinkedPlugin(&PIMain, &PIResources);
//   harness.FrontEnd().QueueAlertAnswer(1);
//   ... harness.FrontEnd().AlertTexts() ...
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "host/PluginEntry.h"
#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/script/ScriptFrontEnd.h"

namespace korvid::testing {

struct HostOptions {
  std::string hostVersion = "7.0";
  std::string language = "ENU";
  bool loadPluginsFolder = false;  // load the modules of pluginDir at start
  std::string pluginDir{};         // empty: the build's plug-ins folder
  std::set<std::string> withoutTables{};  // a host built without these tables
  std::function<std::uint32_t()> ticks{};  // empty: the harness's clock (AdvanceTicks)
  std::map<std::string, host::TableVersion> tableVersions{};  // served instead of the usual versions
};

class HostHarness {
 public:
  explicit HostHarness(HostOptions options = {});
  // Closes the documents, then unloads the plug-ins.
  ~HostHarness();
  HostHarness(const HostHarness&) = delete;
  HostHarness& operator=(const HostHarness&) = delete;

  viewer::Host& Host() { return *host_; }
  viewer::script::ScriptFrontEnd& FrontEnd() { return frontEnd_; }

  // Runs PIMain through Init (answers whether Init succeeded).
  bool AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources);
  void UnloadAll();

  // Opens a document (visible documents come to the front).
  viewer::Document& Open(const std::string& path, bool visible = true);
  // A click on the front document's page view; a queued drag answers the
  // drag the click starts. Views are painted afterwards.
  void Click(int x, int y, int modifiers = 0, int count = 1);
  // Paints what waits to be painted.
  void Settle() { frontEnd_.Settle(); }
  // The harness's tick clock (1/60 s).
  void AdvanceTicks(std::uint32_t ticks) { ticks_ += ticks; }

 private:
  std::uint32_t ticks_ = 0;
  viewer::script::ScriptFrontEnd frontEnd_;
  std::unique_ptr<viewer::Host> host_;
};

}  // namespace korvid::testing
