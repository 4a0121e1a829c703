// Menu items as the block tool makes them, and the submenus of the tools
// menu and the context menu: align, centre, distribute and size. Every item
// belongs to the plug-in, gets its title from the message strings and is
// appended at the end of its menu.
#pragma once

#include <span>

#include "host/AV.h"

struct MarkupMenuItemSpec {
  const char* name = nullptr;
  int title = 0;  // message string
  host::AVExecuteProc execute = nullptr;
  void* executeData = nullptr;
  host::AVComputeEnabledProc enable = nullptr;
  void* enableData = nullptr;
  host::AVComputeMarkedProc marked = nullptr;
  char shortcut = 0;
  int shortcutModifiers = 0;  // 2 command, 3 command + Shift
  bool longMenusOnly = true;
};

// A new item with its procedures, acquired for the caller.
host::AVMenuItem* NewMarkupMenuItem(const MarkupMenuItemSpec& spec, host::AVMenu* submenu = nullptr);
// Appends a new item to the menu and lets it go.
void AppendMarkupMenuItem(host::AVMenu& menu, const MarkupMenuItemSpec& spec);
void AddSeparatorMenuItem(host::AVMenu* menu);

struct MarkupSubmenuSpec {
  const char* itemName;
  const char* menuName;
  int title;
  int menuTitle = 0;  // 0: the item's title
};
// A child without a name stands for a separator.
inline constexpr MarkupMenuItemSpec kMarkupMenuSeparator{};

// Adds to parent an item that opens a new menu with the children; answers
// the new menu acquired for the caller when keepMenu is set (else null).
// Nothing is added when the menu cannot be made.
host::AVMenu* AddMarkupSubmenu(host::AVMenu& parent, const MarkupSubmenuSpec& submenu,
                               std::span<const MarkupMenuItemSpec> children, bool keepMenu = false);

void InitAlignSubmenu(host::AVMenu* parent);
void InitCenterSubmenu(host::AVMenu* parent);
void InitDistributeSubmenu(host::AVMenu* parent);
void InitSizeSubmenu(host::AVMenu* parent);
// The four arrangement submenus, in their order.
void InitArrangementSubmenus(host::AVMenu* parent);
