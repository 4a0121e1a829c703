#include "viewer/core/dm/DialogManager.h"

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogRegistry.h"
#include "viewer/core/dm/Suites.h"

namespace viewer::dm {

struct DialogManager::Impl {
  Impl(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks)
      : registry(frontEnd, resources, std::move(ticks)), table(registry) {}
  DialogRegistry registry;
  dm::SweetPeaTable table;
};

DialogManager::DialogManager(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks)
    : impl_(std::make_unique<Impl>(frontEnd, resources, std::move(ticks))) {}

DialogManager::~DialogManager() = default;

host::AcroViewSweetPeaTable& DialogManager::SweetPeaTable() { return impl_->table; }
int DialogManager::NumDialogs() const { return impl_->registry.NumDialogs(); }
Dialog* DialogManager::GetDialog(int index) { return impl_->registry.GetDialog(index); }
void DialogManager::DestroyDialogsOf(host::ExtensionID plugin) { impl_->registry.DestroyDialogsOf(plugin); }
int DialogManager::SuitesHeld() const { return impl_->table.SuitesHeld(); }

}  // namespace viewer::dm
