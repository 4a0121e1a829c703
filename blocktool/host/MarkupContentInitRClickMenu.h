// The context menu of a right click in the page view while the block tool
// is active: editing, arrangement, the blocks under the pointer and their
// locks, and the properties. The list of blocks and the lock items are
// rebuilt just before each pop-up.
#pragma once

#include "blocktool/collections/MarkupBlocksGroup.h"
#include "blocktool/collections/MarkupPageSelectionGroup.h"
#include "host/AV.h"

extern host::AVMenu* avRClickMenu;
extern host::AVMenu* avBlocksSubMenu;
extern host::AVMenu* avLockStateSubMenu;

// Fills the context menu (made by start-up) with its items and submenus.
void InitRClickMenu(host::AVMenu* menu);
void InitRClickEditSubMenu(host::AVMenu* menu);
// Lets the context menu and its two dynamic submenus go.
void ReleaseRClickMenu();

// One item per block under the pointer, named "Zolt:Right_Click_BLOCK_<i>"
// for its position i in the stack group and titled with the block's name.
void UpdateRClickBlocksMenu(const CMarkupBlocksGroup& stackGroup);
// Lock and unlock titles for one block or several, and the reverse-lock
// item while the selection is partly locked.
void UpdateRClickLockStateMenu(const CMarkupSelectionGroup& selection);

// Choosing a block from the list: it becomes the selected block in place of
// the old one; the other members stay. Client data: the entry of the list.
void execRightClickBlocksList(void* entry);
bool enableRightClickBlocksList(void* entry);
bool markedRightClickBlocksList(void* entry);
