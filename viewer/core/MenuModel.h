// The host's menu bar, menus and menu items. Items and menus are reference
// counted (Acquire/Release); a menu holds its items and an item its submenu.
// Enable and marked procedures run inside a menu update, so what they ask
// of the interface waits until the update is over.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/AV.h"
#include "viewer/core/CommandProcs.h"
#include "viewer/core/DeferredUi.h"

namespace viewer {

class Menu;
class MenuModel;

class MenuItem final : public host::AVMenuItem {
 public:
  struct Spec {
    std::string title;
    std::string name;
    Menu* submenu = nullptr;
    char shortcut = 0;
    int shortcutModifiers = 0;
    host::ExtensionID owner = nullptr;
  };
  MenuItem(MenuModel& model, Spec spec);
  ~MenuItem() override;

  void Acquire() override { ++refs_; }
  void Release() override;

  std::string Name() const override { return name_; }
  std::string Title() const override { return title_; }
  void SetTitle(const std::string& title) override;
  bool IsSeparator() const override;
  char Shortcut() const override { return shortcut_; }
  int ShortcutModifiers() const override { return shortcutModifiers_; }

  void SetExecuteProc(host::AVExecuteProc proc, void* clientData) override { procs_.SetExecute(proc, clientData); }
  void SetComputeEnabledProc(host::AVComputeEnabledProc proc, void* clientData) override {
    procs_.SetEnabled(proc, clientData);
  }
  void SetComputeMarkedProc(host::AVComputeMarkedProc proc, void* clientData) override {
    procs_.SetMarked(proc, clientData);
  }
  void* ExecuteClientData() const override { return procs_.ExecuteData(); }

  void Execute() override;
  bool IsEnabled() override;
  bool IsMarked() override;

  host::AVMenu* GetParentMenu() const override;
  host::AVMenu* GetSubmenu() const override;
  int GetIndex() const override;
  void Remove() override;

  host::ExtensionID Owner() const { return owner_; }
  // A number no other item of this host has had.
  std::uint64_t Serial() const { return serial_; }
  Menu* Parent() const { return parent_; }
  Menu* Submenu() const { return submenu_; }

 private:
  friend class Menu;
  MenuModel& model_;
  std::uint64_t serial_;
  int refs_ = 1;
  std::string title_;
  std::string name_;
  Menu* submenu_ = nullptr;
  char shortcut_;
  int shortcutModifiers_;
  host::ExtensionID owner_;
  Menu* parent_ = nullptr;
  CommandProcs procs_;
};

class Menu final : public host::AVMenu {
 public:
  Menu(MenuModel& model, std::string title, std::string name);
  ~Menu() override;

  void Acquire() override { ++refs_; }
  void Release() override;

  std::string Name() const override { return name_; }
  std::string Title() const override { return title_; }
  int NumItems() const override { return static_cast<int>(items_.size()); }
  host::AVMenuItem* AcquireItemByIndex(int index) override;
  int GetItemIndex(const host::AVMenuItem* item) const override;
  void AddItem(host::AVMenuItem* item, int index) override;
  host::AVMenuItem* GetParentItem() const override { return parentItem_; }

  const std::vector<MenuItem*>& Items() const { return items_; }
  // The first item of that name here or in a submenu, depth first.
  MenuItem* FindItem(std::string_view name) const;
  Menu* FindMenu(std::string_view name);

 private:
  friend class MenuItem;
  void Detach(MenuItem& item);  // the item leaves; the menu releases it

  MenuModel& model_;
  int refs_ = 1;
  std::string title_;
  std::string name_;
  std::vector<MenuItem*> items_;
  MenuItem* parentItem_ = nullptr;
};

// The menu bar and what every menu object shares: the menu-update state and
// the listener told about changes.
class MenuModel final : public host::AVMenubar {
 public:
  explicit MenuModel(DeferredUi& ui) : ui_(ui) {}
  ~MenuModel() override;

  host::AVMenu* AcquireMenuByName(std::string_view name) override;
  host::AVMenuItem* AcquireMenuItemByName(std::string_view name) override;
  void AddMenu(host::AVMenu* menu, int index) override;
  int NumMenus() const override { return static_cast<int>(menus_.size()); }
  host::AVMenu* AcquireMenuByIndex(int index) override;

  // New objects come acquired once, for the caller.
  Menu* NewMenu(const std::string& title, const std::string& name);
  MenuItem* NewItem(MenuItem::Spec spec);

  const std::vector<Menu*>& Menus() const { return menus_; }
  Menu* FindMenu(std::string_view name) const;
  MenuItem* FindItem(std::string_view name) const;
  // Takes every item of that owner out of its menu (its code is going away).
  void RemoveItemsOf(host::ExtensionID owner);

  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
  void NotifyChanged() {
    if (changed_) changed_();
  }
  DeferredUi& Ui() { return ui_; }
  std::uint64_t NextSerial() { return ++serials_; }

 private:
  DeferredUi& ui_;
  std::vector<Menu*> menus_;
  std::function<void()> changed_;
  std::uint64_t serials_ = 0;
};

}  // namespace viewer
