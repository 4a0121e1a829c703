#include "blocktool/host/MarkupContentInitRClickMenu.h"

#include <memory>
#include <string>
#include <vector>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInitAlignMenu.h"
#include "blocktool/host/MarkupContentInitExportMenu.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

host::AVMenu* avRClickMenu = nullptr;
host::AVMenu* avBlocksSubMenu = nullptr;
host::AVMenu* avLockStateSubMenu = nullptr;

namespace {

constexpr int kLockOneTitle = 1090;
constexpr int kUnlockOneTitle = 1201;
constexpr int kLockAllTitle = 1089;
constexpr int kUnlockAllTitle = 1200;

// An entry of the blocks list. It does not keep its block alive: a block
// deleted before the entry is chosen is simply not found.
struct BlockChoice {
  std::weak_ptr<CMarkupBlock> block;
};

// The entries of the items now in the blocks list.
std::vector<std::unique_ptr<BlockChoice>> gBlockChoices;

const MarkupMenuItemSpec kReverseLockItem{
    "Zolt:Right_Click_Reverse_Lock", 1132, execMarkupReverseLock, nullptr, enableMarkupLock, nullptr,
    markedMarkupNone};

// The chosen block when it is still on the page the commands act on.
BlockRef ChosenBlock(void* entry, CMarkupPageCollection* collection) {
  if (!entry || !collection) return nullptr;
  BlockRef block = static_cast<BlockChoice*>(entry)->block.lock();
  if (!block || collection->GetBlock(block->BlockID()) != block.get()) return nullptr;
  return block;
}

void RemoveItemAt(host::AVMenu& menu, int index) {
  if (host::AVMenuItem* item = menu.AcquireItemByIndex(index)) {
    item->Remove();
    item->Release();
  }
}

void SetItemTitle(host::AVMenu& menu, int index, int title) {
  if (host::AVMenuItem* item = menu.AcquireItemByIndex(index)) {
    item->SetTitle(Service.GetStringByID(title));
    item->Release();
  }
}

}  // namespace

void InitRClickEditSubMenu(host::AVMenu* menu) {
  if (!menu) return;
  const MarkupMenuItemSpec children[] = {
      {"Zolt:Right_Click_Cut", 1048, execMarkupCut, nullptr, enableMarkupCopy, nullptr, markedMarkupNone},
      {"Zolt:Right_Click_Copy", 1047, execMarkupCopy, nullptr, enableMarkupCopy, nullptr, markedMarkupNone},
      {"Zolt:Right_Click_Paste", 1050, execMarkupPaste, nullptr, enableMarkupPaste, nullptr, markedMarkupNone},
      {"Zolt:Right_Click_Delete", 1046, execMarkupDelete, nullptr, enableMarkupDelete, nullptr, markedMarkupNone},
      kMarkupMenuSeparator,
      {"Zolt:Right_Click_SelectAll", 1053, execMarkupSelectAll, nullptr, enableMarkupSelectAll, nullptr,
       markedMarkupNone},
      {"Zolt:Right_Click_DeselectAll", 1049, execMarkupDeselectAll, nullptr, enableMarkupDeselectAll, nullptr,
       markedMarkupNone},
  };
  AddMarkupSubmenu(*menu, {"Zolt:Right_Click_Edit_Submenu", "Zolt:Right_Click_Edit", 1131}, children);
}

void InitRClickMenu(host::AVMenu* menu) {
  if (!menu) return;
  InitRClickEditSubMenu(menu);
  InitExportSubmenu(menu);
  AddSeparatorMenuItem(menu);
  InitArrangementSubmenus(menu);
  AddSeparatorMenuItem(menu);
  avBlocksSubMenu = AddMarkupSubmenu(*menu, {"Zolt:Right_Click_Blocks_Submenu", "Zolt:Right_Click_Blocks", 1130, 1131}, {},
                                     true);
  AddSeparatorMenuItem(menu);
  const MarkupMenuItemSpec lockItems[] = {
      {"Zolt:Right_Click_Lock", kLockOneTitle, execMarkupLock, nullptr, enableMarkupLock, nullptr, markedMarkupLock},
      {"Zolt:Right_Click_Unlock", kUnlockOneTitle, execMarkupUnlock, nullptr, enableMarkupLock, nullptr,
       markedMarkupUnlock},
  };
  avLockStateSubMenu = AddMarkupSubmenu(
      *menu, {"Zolt:Right_Click_Lock_Submenu", "Zolt:Right_Click_Lock_State", kLockOneTitle}, lockItems, true);
  AppendMarkupMenuItem(*menu, {"Zolt:Right_Click_Properties", 1051, execMarkupProperties, nullptr,
                               enableMarkupProperties, nullptr, markedMarkupNone});
}

void ReleaseRClickMenu() {
  for (host::AVMenu** menu : {&avBlocksSubMenu, &avLockStateSubMenu, &avRClickMenu}) {
    if (*menu) (*menu)->Release();
    *menu = nullptr;
  }
  gBlockChoices.clear();
}

void UpdateRClickBlocksMenu(const CMarkupBlocksGroup& stackGroup) {
  if (!avBlocksSubMenu) return;
  for (int i = avBlocksSubMenu->NumItems() - 1; i >= 0; --i) RemoveItemAt(*avBlocksSubMenu, i);
  gBlockChoices.clear();
  int position = 0;
  for (const auto& [id, block] : stackGroup.Entries()) {
    const int i = position++;
    if (!block) continue;
    auto choice = std::make_unique<BlockChoice>(BlockChoice{block});
    const std::string name = "Zolt:Right_Click_BLOCK_" + std::to_string(i);
    host::AVMenuItem* item =
        gAcroViewHFT->NewMenuItem(block->BlockName(), name, nullptr, true, 0, 0, 0, gExtensionID);
    if (!item) continue;
    item->SetExecuteProc(execRightClickBlocksList, choice.get());
    item->SetComputeEnabledProc(enableRightClickBlocksList, choice.get());
    item->SetComputeMarkedProc(markedRightClickBlocksList, choice.get());
    avBlocksSubMenu->AddItem(item, host::kMenuAppend);
    item->Release();
    gBlockChoices.push_back(std::move(choice));
  }
}

void UpdateRClickLockStateMenu(const CMarkupSelectionGroup& selection) {
  if (!avLockStateSubMenu) return;
  const bool one = selection.GetSize() == 1;
  const int state = selection.GetLockState();
  int count = avLockStateSubMenu->NumItems();
  if (state == kLockStateMixed && selection.GetSize() > 1 && count > 2) return;
  SetItemTitle(*avLockStateSubMenu, 0, one ? kLockOneTitle : kLockAllTitle);
  SetItemTitle(*avLockStateSubMenu, 1, one ? kUnlockOneTitle : kUnlockAllTitle);
  if (state == kLockStateLocked || state == kLockStateUnlocked) {
    for (; count > 2; --count) RemoveItemAt(*avLockStateSubMenu, count - 1);
  }
  if (count == 2 && state == kLockStateMixed) AppendMarkupMenuItem(*avLockStateSubMenu, kReverseLockItem);
}

void execRightClickBlocksList(void* entry) {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  const BlockRef chosen = ChosenBlock(entry, collection);
  if (!chosen) return;
  CMarkupSelectionGroup& selection = collection->SelectedGroup();
  if (CMarkupBlock* selected = selection.GetSelectedBlock()) {
    selected->Selected(false);
    selection.RemoveBlock(selected);
  }
  chosen->Selected(true);
  selection.AddBlock(chosen);
}

bool enableRightClickBlocksList(void*) { return true; }

bool markedRightClickBlocksList(void* entry) {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  const BlockRef chosen = ChosenBlock(entry, collection);
  return chosen && collection->GetSelectedBlock() == chosen.get();
}
