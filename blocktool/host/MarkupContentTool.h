// The block tool: the viewer tool with which a person works on blocks in the
// page view. It draws new blocks, selects, moves, resizes and copy-drags
// them, shows the pointer shape of the handle under the pointer, opens the
// properties dialog on a double click or Enter, pops up the context menu on
// a right click and handles the keys (delete, nudge, cycle, deselect).
//
// All coordinates are device coordinates of the page view: pixels, y
// downwards.
#pragma once

#include <array>
#include <memory>

#include "host/AV.h"

class CMarkupBlock;
class CMarkupPageCollection;

extern host::AVToolRec avMarkupContentTool;
extern host::ASBool bToolActive;
// The block under the pointer at the last click. Not kept alive by the tool:
// a block deleted since then is gone here too.
extern std::weak_ptr<CMarkupBlock> pCurrentBlock;
// Host cursor numbers by handle position (0 to 7 the handles, 8 inside).
extern std::array<int, 9> selectedCursors;
extern host::AVCursor avMoveBlockToolCursor;
extern host::AVCursor avCopyBlockToolCursor;

// Registers the tool with the host and loads its cursors (once, at start-up).
void InitializeTool();

void MarkupContentToolActivate(host::AVToolRec* tool, bool persistent);
void MarkupContentToolDeactivate(host::AVToolRec* tool);
host::ASAtom MarkupContentToolGetType(host::AVToolRec* tool);
bool MarkupContentToolAdjustCursor(host::AVToolRec* tool, host::AVPageView* view, host::AVDevCoord x,
                                   host::AVDevCoord y);
bool MarkupContentToolDoClick(host::AVToolRec* tool, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y,
                              int modifiers, int clickCount);
bool MarkupContentToolDoRightClick(host::AVToolRec* tool, host::AVPageView* view, host::AVDevCoord x,
                                   host::AVDevCoord y, int modifiers, int clickCount);
bool MarkupContentToolDoKeyDown(host::AVToolRec* tool, int key, int modifiers);
void MarkupContentToolDoLeave(host::AVToolRec* tool, host::AVPageView* view);

// The collection of the page the view shows (loaded on first use) and the
// block under the point in pCurrentBlock; null for a page whose blocks
// cannot be edited.
CMarkupPageCollection* SetCurrentBlock(host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y);
// A single click: on empty space it clears the selection and lets the user
// drag out a new block; on a block it moves, resizes or copies by dragging
// and updates the selection.
void SelectMarkupContentAtPoint(host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y, int modifiers,
                                CMarkupPageCollection* collection);

// Puts the tool down if it is active and forgets what it held (unload).
void ReleaseTool();
