// The dialogs alive in the viewer: building them from layouts, the modal run
// and modeless creation protocols, and freeing destroyed dialogs once
// nothing works on them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "host/ADM.h"
#include "viewer/core/dm/DialogContext.h"

namespace viewer::dm {

class Dialog;

class DialogRegistry final : public DialogContext {
 public:
  DialogRegistry(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks);
  ~DialogRegistry() override;

  // Builds the dialog, runs the init procedure (a non-zero answer: the
  // dialog is destroyed unseen and the answer is -1), lets the front end run
  // it until it ends, destroys it and answers the item that ended it. -1
  // when the plug-in has no such layout.
  int RunModal(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
               host::ADMDialogInitProc initProc, void* userData);
  // Builds the dialog, runs the init procedure and has the front end show
  // it; null when there is no such layout or the init procedure failed.
  Dialog* CreateModeless(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                         host::ADMDialogInitProc initProc, void* userData);
  // Destroys every dialog of a plug-in (before its module is unloaded).
  void DestroyDialogsOf(host::ExtensionID plugin);

  int NumDialogs() const { return static_cast<int>(live_.size()); }
  Dialog* GetDialog(int index) const;
  bool IsLive(const host::ADMDialog* dialog) const;

  // DialogContext.
  FrontEnd& Front() override { return frontEnd_; }
  const ResourceStore& Resources() override { return resources_; }
  std::uint32_t Ticks() override { return ticks_ ? ticks_() : 0; }
  void Retire(Dialog& dialog) override;
  void CollectRetired() override;

 private:
  Dialog* Build(host::ExtensionID plugin, std::string_view name, int dialogID, int style, void* userData);
  // Runs the init procedure; false (and the dialog destroyed) when it fails.
  bool Initialize(Dialog& dialog, host::ADMDialogInitProc initProc);
  void ReportAllChanges();

  FrontEnd& frontEnd_;
  ResourceStore& resources_;
  std::function<std::uint32_t()> ticks_;
  std::vector<std::unique_ptr<Dialog>> live_;
  std::vector<std::unique_ptr<Dialog>> retired_;
};

}  // namespace viewer::dm
