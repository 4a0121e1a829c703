#include "dialogframework/support/DialogDriver.h"

#include <exception>

#include "viewer/core/dm/Dialog.h"

namespace korvid::testing {

void DialogDriver::OnModal(const std::string& dialogName, Action action) {
  actions_.push_back({dialogName, std::move(action)});
}

std::vector<std::string> DialogDriver::UnusedActions() const {
  std::vector<std::string> names;
  for (const Queued& queued : actions_) names.push_back(queued.dialogName);
  return names;
}

int DialogDriver::RunModalDialog(viewer::dm::Dialog& dialog) {
  const std::string name = dialog.Name();
  for (auto it = actions_.begin(); it != actions_.end(); ++it) {
    if (it->dialogName != name) continue;
    const Action action = std::move(it->action);
    actions_.erase(it);
    script_.Print("dialog: " + name);
    try {
      action(dialog);
    } catch (const std::exception& e) {
      failures_.push_back("the actions for " + name + " threw: " + e.what());
    }
    if (!dialog.HasEnded()) {
      failures_.push_back("the actions for " + name + " left it open");
      dialog.EndModal(2);
    }
    return dialog.EndedItem();
  }
  return script_.RunModalDialog(dialog);
}

void DialogDriver::ProcessDialogEvents(viewer::dm::Dialog& dialog) {
  ++processEventsCount_;
  if (onProcessEvents_) onProcessEvents_(dialog);
  script_.ProcessDialogEvents(dialog);
}

DialogHost::DialogHost(DialogHostOptions options) {
  viewer::HostOptions hostOptions;
  hostOptions.language = options.language;
  hostOptions.pluginDir = KORVID_PLUGIN_DIR;
  hostOptions.helpDir = options.helpDir.empty() ? KORVID_BINARY_DIR "/share/korvid/help" : options.helpDir;
  hostOptions.ticks = [this] { return ticks_; };
  host_ = std::make_unique<viewer::Host>(driver_, std::move(hostOptions));
  driver_.Script().Attach(*host_);
}

DialogHost::~DialogHost() = default;

bool DialogHost::AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources) {
  const bool started = host_->AttachLinkedPlugin(main, resources);
  driver_.Script().Settle();
  return started;
}

}  // namespace korvid::testing
