#include "blocktool/host/MarkupContentInitAlignMenu.h"

#include "blocktool/collections/MarkupPageSelectionGroup.h"
#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace {

constexpr const char* kSeparatorName = "Zolt:Separator";
constexpr const char* kSeparatorTitle = "-";

MarkupMenuItemSpec Arrangement(const char* name, int title, host::AVExecuteProc execute, AlignMode mode,
                               host::AVComputeEnabledProc enable, host::AVComputeMarkedProc marked) {
  return {name, title, execute, NumberClientData(mode), enable, NumberClientData(nSecurityMode), marked};
}

}  // namespace

host::AVMenuItem* NewMarkupMenuItem(const MarkupMenuItemSpec& spec, host::AVMenu* submenu) {
  host::AVMenuItem* item = gAcroViewHFT->NewMenuItem(Service.GetStringByID(spec.title), spec.name, submenu, spec.longMenusOnly,
                                                     spec.shortcut, spec.shortcutModifiers, 0, gExtensionID);
  if (!item) return nullptr;
  if (spec.execute) item->SetExecuteProc(spec.execute, spec.executeData);
  if (spec.enable) item->SetComputeEnabledProc(spec.enable, spec.enableData);
  if (spec.marked) item->SetComputeMarkedProc(spec.marked, nullptr);
  return item;
}

void AppendMarkupMenuItem(host::AVMenu& menu, const MarkupMenuItemSpec& spec) {
  host::AVMenuItem* item = NewMarkupMenuItem(spec);
  if (!item) return;
  menu.AddItem(item, host::kMenuAppend);
  item->Release();
}

void AddSeparatorMenuItem(host::AVMenu* menu) {
  if (!menu) return;
  host::AVMenuItem* item =
      gAcroViewHFT->NewMenuItem(kSeparatorTitle, kSeparatorName, nullptr, false, 0, 0, 0, gExtensionID);
  if (!item) return;
  menu->AddItem(item, host::kMenuAppend);
  item->Release();
}

host::AVMenu* AddMarkupSubmenu(host::AVMenu& parent, const MarkupSubmenuSpec& submenu,
                               std::span<const MarkupMenuItemSpec> children, bool keepMenu) {
  const int menuTitle = submenu.menuTitle != 0 ? submenu.menuTitle : submenu.title;
  host::AVMenu* menu = gAcroViewHFT->NewMenu(Service.GetStringByID(menuTitle), submenu.menuName);
  if (!menu) return nullptr;
  if (host::AVMenuItem* item = NewMarkupMenuItem({submenu.itemName, submenu.title}, menu)) {
    parent.AddItem(item, host::kMenuAppend);
    item->Release();
    for (const MarkupMenuItemSpec& child : children) {
      if (child.name) {
        AppendMarkupMenuItem(*menu, child);
      } else {
        AddSeparatorMenuItem(menu);
      }
    }
  }
  if (keepMenu) return menu;
  menu->Release();
  return nullptr;
}

void InitAlignSubmenu(host::AVMenu* parent) {
  if (!parent) return;
  // The two centre-line items share one name; a lookup by name finds the
  // first of them, as it always has.
  const MarkupMenuItemSpec children[] = {
      Arrangement("Zolt:ALign_Left", 1008, execMarkupAlign, kAlignLeft, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:ALign_Right", 1010, execMarkupAlign, kAlignRight, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:ALign_Top", 1011, execMarkupAlign, kAlignTop, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:ALign_Bottom", 1006, execMarkupAlign, kAlignBottom, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:ALign_Vertical", 1012, execMarkupAlign, kAlignVerticalCenters, enableMarkupAlign,
                  markedMarkupNone),
      Arrangement("Zolt:ALign_Vertical", 1007, execMarkupAlign, kAlignHorizontalCenters, enableMarkupAlign,
                  markedMarkupNone),
  };
  AddMarkupSubmenu(*parent, {"Zolt:Align_Submenu", "Zolt:Align", 1009}, children);
}

void InitCenterSubmenu(host::AVMenu* parent) {
  if (!parent) return;
  const MarkupMenuItemSpec children[] = {
      Arrangement("Zolt:Center_Vertically", 1031, execMarkupCenter, kCenterVertically, enableMarkupCopy,
                  markedMarkupNone),
      Arrangement("Zolt:Center_Horizontally", 1029, execMarkupCenter, kCenterHorizontally, enableMarkupCopy,
                  markedMarkupNone),
      Arrangement("Zolt:Center_Both", 1028, execMarkupCenter, kCenterBoth, enableMarkupCopy, markedMarkupNone),
  };
  AddMarkupSubmenu(*parent, {"Zolt:Center_Submenu", "Zolt:Center", 1030}, children);
}

void InitDistributeSubmenu(host::AVMenu* parent) {
  if (!parent) return;
  const MarkupMenuItemSpec children[] = {
      Arrangement("Zolt:Distribute_Vertically", 1043, execMarkupDistribute, kDistributeVertically,
                  enableMarkupDistribute, markedMarkupNone),
      Arrangement("Zolt:Distribute_Horizontally", 1041, execMarkupDistribute, kDistributeHorizontally,
                  enableMarkupDistribute, markedMarkupNone),
  };
  AddMarkupSubmenu(*parent, {"Zolt:Distribute_Submenu", "Zolt:Distribute", 1042}, children);
}

void InitSizeSubmenu(host::AVMenu* parent) {
  if (!parent) return;
  const MarkupMenuItemSpec children[] = {
      Arrangement("Zolt:Size_Height", 1139, execMarkupSize, kSameHeight, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:Size_Width", 1141, execMarkupSize, kSameWidth, enableMarkupAlign, markedMarkupNone),
      Arrangement("Zolt:Size_Both", 1138, execMarkupSize, kSameSize, enableMarkupAlign, markedMarkupNone),
  };
  AddMarkupSubmenu(*parent, {"Zolt:Size_Submenu", "Zolt:Size", 1140}, children);
}

void InitArrangementSubmenus(host::AVMenu* parent) {
  InitAlignSubmenu(parent);
  InitCenterSubmenu(parent);
  InitDistributeSubmenu(parent);
  InitSizeSubmenu(parent);
}
