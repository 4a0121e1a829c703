#include "viewer/core/MenuModel.h"

#include <algorithm>

#include "host/HostError.h"

namespace viewer {

// ---- MenuItem ---------------------------------------------------------------

MenuItem::MenuItem(MenuModel& model, Spec spec)
    : model_(model),
      serial_(model.NextSerial()),
      title_(std::move(spec.title)),
      name_(std::move(spec.name)),
      submenu_(spec.submenu),
      shortcut_(spec.shortcut),
      shortcutModifiers_(spec.shortcutModifiers),
      owner_(spec.owner) {
  if (submenu_) {
    submenu_->Acquire();
    submenu_->parentItem_ = this;
  }
}

MenuItem::~MenuItem() {
  if (submenu_) {
    submenu_->parentItem_ = nullptr;
    submenu_->Release();
  }
}

void MenuItem::Release() {
  if (--refs_ == 0) delete this;
}

void MenuItem::SetTitle(const std::string& title) {
  title_ = title;
  model_.NotifyChanged();
}

bool MenuItem::IsSeparator() const { return title_ == "-"; }

void MenuItem::Execute() {
  // A command asked for while menus update runs after the update.
  Acquire();
  model_.Ui().RunOrDefer([this] {
    if (IsEnabled()) procs_.Execute();
    Release();
  });
}

bool MenuItem::IsEnabled() { return !IsSeparator() && procs_.Enabled(model_.Ui()); }

bool MenuItem::IsMarked() { return procs_.Marked(model_.Ui()); }

host::AVMenu* MenuItem::GetParentMenu() const { return parent_; }
host::AVMenu* MenuItem::GetSubmenu() const { return submenu_; }
int MenuItem::GetIndex() const { return parent_ ? parent_->GetItemIndex(this) : -1; }

void MenuItem::Remove() {
  if (parent_) parent_->Detach(*this);
}

// ---- Menu -------------------------------------------------------------------

Menu::Menu(MenuModel& model, std::string title, std::string name)
    : model_(model), title_(std::move(title)), name_(std::move(name)) {}

Menu::~Menu() {
  for (MenuItem* item : items_) {
    item->parent_ = nullptr;
    item->Release();
  }
}

void Menu::Release() {
  if (--refs_ == 0) delete this;
}

host::AVMenuItem* Menu::AcquireItemByIndex(int index) {
  if (index < 0 || index >= NumItems()) return nullptr;
  items_[index]->Acquire();
  return items_[index];
}

int Menu::GetItemIndex(const host::AVMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void Menu::AddItem(host::AVMenuItem* avItem, int index) {
  auto* item = dynamic_cast<MenuItem*>(avItem);
  if (!item) host::RaiseHostError(host::kErrBadParameter, "menu item");
  item->Acquire();  // before a Remove() from another menu could drop the last reference
  item->Remove();
  const int at = (index < 0 || index >= NumItems()) ? NumItems() : index;
  items_.insert(items_.begin() + at, item);
  item->parent_ = this;
  model_.NotifyChanged();
}

void Menu::Detach(MenuItem& item) {
  const auto it = std::find(items_.begin(), items_.end(), &item);
  if (it == items_.end()) return;
  items_.erase(it);
  item.parent_ = nullptr;
  model_.NotifyChanged();
  item.Release();
}

MenuItem* Menu::FindItem(std::string_view name) const {
  for (MenuItem* item : items_) {
    if (item->Name() == name) return item;
    if (item->Submenu()) {
      if (MenuItem* found = item->Submenu()->FindItem(name)) return found;
    }
  }
  return nullptr;
}

Menu* Menu::FindMenu(std::string_view name) {
  if (name_ == name) return this;
  for (MenuItem* item : items_) {
    if (!item->Submenu()) continue;
    if (Menu* found = item->Submenu()->FindMenu(name)) return found;
  }
  return nullptr;
}

// ---- MenuModel --------------------------------------------------------------

MenuModel::~MenuModel() {
  changed_ = nullptr;
  for (Menu* menu : menus_) menu->Release();
}

Menu* MenuModel::FindMenu(std::string_view name) const {
  for (Menu* menu : menus_) {
    if (Menu* found = menu->FindMenu(name)) return found;
  }
  return nullptr;
}

MenuItem* MenuModel::FindItem(std::string_view name) const {
  for (Menu* menu : menus_) {
    if (MenuItem* found = menu->FindItem(name)) return found;
  }
  return nullptr;
}

host::AVMenu* MenuModel::AcquireMenuByName(std::string_view name) {
  Menu* menu = FindMenu(name);
  if (menu) menu->Acquire();
  return menu;
}

host::AVMenuItem* MenuModel::AcquireMenuItemByName(std::string_view name) {
  MenuItem* item = FindItem(name);
  if (item) item->Acquire();
  return item;
}

void MenuModel::AddMenu(host::AVMenu* avMenu, int index) {
  auto* menu = dynamic_cast<Menu*>(avMenu);
  if (!menu) host::RaiseHostError(host::kErrBadParameter, "menu");
  if (std::find(menus_.begin(), menus_.end(), menu) != menus_.end()) return;
  menu->Acquire();
  const int at = (index < 0 || index >= NumMenus()) ? NumMenus() : index;
  menus_.insert(menus_.begin() + at, menu);
  NotifyChanged();
}

host::AVMenu* MenuModel::AcquireMenuByIndex(int index) {
  if (index < 0 || index >= NumMenus()) return nullptr;
  menus_[index]->Acquire();
  return menus_[index];
}

Menu* MenuModel::NewMenu(const std::string& title, const std::string& name) { return new Menu(*this, title, name); }

MenuItem* MenuModel::NewItem(MenuItem::Spec spec) { return new MenuItem(*this, std::move(spec)); }

void MenuModel::RemoveItemsOf(host::ExtensionID owner) {
  std::vector<MenuItem*> doomed;
  std::function<void(const Menu&)> collect = [&](const Menu& menu) {
    for (MenuItem* item : menu.Items()) {
      if (item->Owner() == owner) {
        doomed.push_back(item);
      } else if (item->Submenu()) {
        collect(*item->Submenu());
      }
    }
  };
  for (const Menu* menu : menus_) collect(*menu);
  for (MenuItem* item : doomed) item->Remove();
}

}  // namespace viewer
