#include "support/HostHarness.h"

namespace korvid::testing {

HostHarness::HostHarness(HostOptions options) {
  viewer::HostOptions hostOptions;
  hostOptions.hostVersion = options.hostVersion;
  hostOptions.language = options.language;
  hostOptions.pluginDir = options.pluginDir.empty() ? KORVID_PLUGIN_DIR : options.pluginDir;
  hostOptions.helpDir = KORVID_BINARY_DIR "/share/korvid/help";
  hostOptions.withoutTables = options.withoutTables;
  hostOptions.tableVersions = options.tableVersions;
  hostOptions.ticks = options.ticks ? options.ticks : std::function<std::uint32_t()>([this] { return ticks_; });
  host_ = std::make_unique<viewer::Host>(frontEnd_, std::move(hostOptions));
  frontEnd_.Attach(*host_);
  if (options.loadPluginsFolder) host_->LoadPlugins();
}

HostHarness::~HostHarness() = default;

bool HostHarness::AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources) {
  const bool started = host_->AttachLinkedPlugin(main, resources);
  frontEnd_.Settle();
  return started;
}

void HostHarness::UnloadAll() { host_->UnloadPlugins(); }

viewer::Document& HostHarness::Open(const std::string& path, bool visible) {
  viewer::Document& doc = host_->Documents().Open(path, visible);
  frontEnd_.Settle();
  return doc;
}

void HostHarness::Click(int x, int y, int modifiers, int count) {
  frontEnd_.Click(*host_, x, y, modifiers, count);
  frontEnd_.Settle();
}

}  // namespace korvid::testing
