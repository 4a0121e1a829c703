#include "viewer/core/dm/DialogRegistry.h"

#include <algorithm>

#include "viewer/core/FrontEnd.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/resources/DialogLayout.h"
#include "viewer/core/resources/ResourceStore.h"

namespace viewer::dm {

DialogRegistry::DialogRegistry(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks)
    : frontEnd_(frontEnd), resources_(resources), ticks_(std::move(ticks)) {}

// Dialogs still alive now are freed without their procedures: the plug-ins
// that set them may be gone already.
DialogRegistry::~DialogRegistry() = default;

Dialog* DialogRegistry::Build(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                              void* userData) {
  CollectRetired();
  const DialogLayout* layout = resources_.Layout(plugin, name, dialogID);
  if (!layout) return nullptr;
  live_.push_back(std::make_unique<Dialog>(*this, plugin, *layout, style < 0 ? layout->style : style));
  Dialog* dialog = live_.back().get();
  dialog->SetUserData(userData);
  return dialog;
}

bool DialogRegistry::Initialize(Dialog& dialog, host::ADMDialogInitProc initProc) {
  if (!initProc || initProc(&dialog) == 0) return true;
  dialog.DestroyNow();
  return false;
}

int DialogRegistry::RunModal(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                             host::ADMDialogInitProc initProc, void* userData) {
  Dialog* dialog = Build(plugin, name, dialogID, style, userData);
  if (!dialog) return -1;
  int result = -1;
  {
    Dialog::Busy busy(*dialog, Dialog::Busy::kKeepAlive);
    dialog->MarkModal();
    if (Initialize(*dialog, initProc)) {
      if (!dialog->HasEnded()) {
        ReportAllChanges();  // the dialogs below show their latest state
        dialog->Present();
        const int answer = frontEnd_.RunModalDialog(*dialog);
        if (!dialog->HasEnded()) dialog->EndModal(answer);
      }
      result = dialog->EndedItem();
      dialog->DestroyNow();
    }
  }
  return result;
}

Dialog* DialogRegistry::CreateModeless(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                                       host::ADMDialogInitProc initProc, void* userData) {
  Dialog* dialog = Build(plugin, name, dialogID, style, userData);
  if (!dialog) return nullptr;
  {
    Dialog::Busy busy(*dialog, Dialog::Busy::kKeepAlive);
    if (!Initialize(*dialog, initProc)) return nullptr;
    if (!dialog->IsDestroyed()) {
      dialog->Present();
      frontEnd_.ShowModelessDialog(*dialog);
    }
  }
  return IsLive(dialog) ? dialog : nullptr;
}

void DialogRegistry::DestroyDialogsOf(host::ExtensionID plugin) {
  const auto ofPlugin = [&](const auto& dialog) { return dialog->Plugin() == plugin; };
  // A destroy procedure may destroy other dialogs: look again after each.
  for (;;) {
    const auto it = std::find_if(live_.begin(), live_.end(),
                                 [&](const auto& dialog) { return ofPlugin(dialog) && !dialog->IsModal(); });
    if (it == live_.end()) break;
    (*it)->DestroyNow();
  }
  // A modal dialog is destroyed when its run returns.
  for (const auto& dialog : live_)
    if (ofPlugin(dialog)) dialog->EndModal(dialog->GetCancelItemID());
}

Dialog* DialogRegistry::GetDialog(int index) const {
  if (index < 0 || index >= NumDialogs()) return nullptr;
  return live_[index].get();
}

bool DialogRegistry::IsLive(const host::ADMDialog* dialog) const {
  return std::any_of(live_.begin(), live_.end(), [&](const auto& own) { return own.get() == dialog; });
}

void DialogRegistry::Retire(Dialog& dialog) {
  const auto it = std::find_if(live_.begin(), live_.end(), [&](const auto& own) { return own.get() == &dialog; });
  if (it == live_.end()) return;
  retired_.push_back(std::move(*it));
  live_.erase(it);
}

void DialogRegistry::CollectRetired() {
  std::erase_if(retired_, [](const auto& dialog) { return !dialog->IsBusy(); });
}

void DialogRegistry::ReportAllChanges() {
  for (const auto& dialog : live_) dialog->ReportChanges();
}

}  // namespace viewer::dm
