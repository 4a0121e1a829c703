#include "viewer/core/dm/Suites.h"

#include "viewer/core/FrontEnd.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogRegistry.h"
#include "viewer/core/dm/Drawer.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/core/resources/ResourceStore.h"

namespace viewer::dm {

namespace adm = host::adm;

std::string BasicSuite::GetIndexString(host::ExtensionID plugin, int listID, int index) {
  return registry_.Resources().String(plugin, listID, index).value_or(std::string());
}

bool BasicSuite::ChooseColor(const host::ADMPoint&, const host::RGBColor16& in, host::RGBColor16* out) {
  const std::optional<host::RGBColor16> picked = registry_.Front().PickColor(in);
  if (!picked) return false;
  if (out) *out = *picked;
  return true;
}

void BasicSuite::SetWaitCursor(bool on) { registry_.Front().SetWaitCursor(on); }

int DialogSuite::Modal(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                       host::ADMDialogInitProc initProc, void* userData, int) {
  return registry_.RunModal(plugin, name, dialogID, style, initProc, userData);
}

host::ADMDialog* DialogSuite::Create(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                                     host::ADMDialogInitProc initProc, void* userData, int) {
  return registry_.CreateModeless(plugin, name, dialogID, style, initProc, userData);
}

void DialogSuite::Destroy(host::ADMDialog* dialog) {
  if (registry_.IsLive(dialog)) dialog->Destroy();
}

host::ADMDrawer* DrawerSuite::Create(void* port, const host::ADMRect& bounds, int font) {
  if (!port) return nullptr;
  auto drawer = std::make_unique<Drawer>(*static_cast<DrawSurface*>(port), bounds, font);
  host::ADMDrawer* raw = drawer.get();
  drawers_.emplace(raw, std::move(drawer));
  return raw;
}

void DrawerSuite::Destroy(host::ADMDrawer* drawer) { drawers_.erase(drawer); }

void HostSuite::CommitPendingEdit(host::ADMDialog* admDialog) {
  if (!registry_.IsLive(admDialog)) return;
  auto& dialog = static_cast<Dialog&>(*admDialog);
  const Item* focused = dialog.FocusedItem();
  if (focused && focused->HasPendingEdit() && dialog.IsVisible()) UserActions(dialog).Leave();
}

SweetPeaTable::SweetPeaTable(DialogRegistry& registry) {
  const auto add = [this](std::unique_ptr<host::ADMSuite> suite) {
    host::ADMSuite* raw = suite.get();
    suites_.emplace(raw->TableName(), std::move(suite));
    return raw;
  };
  add(std::make_unique<BasicSuite>(adm::kBasicSuite, 7, registry));
  add(std::make_unique<DialogSuite>(adm::kDialogSuite, 7, registry));
  add(std::make_unique<HostSuite>(adm::kHostSuite, 6, registry));
  drawers_ = static_cast<DrawerSuite*>(add(std::make_unique<DrawerSuite>(adm::kDrawerSuite, 4)));
  const std::pair<const char*, host::TableVersion> plain[] = {
      {adm::kItemSuite, 6},         {adm::kListSuite, 3},          {adm::kEntrySuite, 5},
      {adm::kImageSuite, 2},        {adm::kIconSuite, 2},          {adm::kDialogGroupSuite, 3},
      {adm::kNotifierSuite, 2},     {adm::kTrackerSuite, 1},       {adm::kHierarchyListSuite, 3},
      {adm::kListEntrySuite, 4},
  };
  for (const auto& [name, version] : plain) add(std::make_unique<PlainSuite>(name, version));
}

SweetPeaTable::~SweetPeaTable() = default;

host::ADMSuite* SweetPeaTable::AcquireSuite(std::string_view name, int version) {
  const auto it = suites_.find(name);
  if (it == suites_.end() || version < 1 || static_cast<host::TableVersion>(version) > it->second->Version())
    return nullptr;
  ++held_[it->second.get()];
  return it->second.get();
}

void SweetPeaTable::ReleaseSuite(host::ADMSuite* suite) {
  const auto it = held_.find(suite);
  if (it != held_.end() && it->second > 0) --it->second;
}

int SweetPeaTable::SuitesHeld() const {
  int held = 0;
  for (const auto& [suite, count] : held_) held += count;
  return held;
}

}  // namespace viewer::dm
