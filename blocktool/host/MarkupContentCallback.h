// What the block tool's menu items and tool button do: the execute, enable
// and marked procedures the host calls with each item's client data.
//
// Unless a procedure says otherwise it works on the current page of the
// host's active document: without a document or a page collection an
// execute procedure does nothing and an enable or marked one answers false.
// Enable and marked procedures run at every menu update, so they only read
// the selection and the flags (the tool's own rule also checks the
// document's permissions).
#pragma once

#include <cstdint>

#include "blocktool/collections/MarkupPageSelectionGroup.h"
#include "host/AV.h"

class CMarkupPageCollection;

// Client data of the procedures that take a number: the permission mask of
// the enable rules that check the document, the mode of an arrangement.
inline void* NumberClientData(std::uint32_t value) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value)); }
inline std::uint32_t ClientDataNumber(void* data) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data)); }

// The page the commands act on: the active document, its page view and the
// collection of the page the view shows (null when the page's blocks are
// out of reach).
struct ActiveMarkupPage {
  host::AVDoc* doc = nullptr;
  host::AVPageView* view = nullptr;
  CMarkupPageCollection* collection = nullptr;
};
ActiveMarkupPage GetActiveMarkupPage();
// Invalidates the whole view of the active document and draws it at once.
void RedrawActiveView();

// --- The tool item and the tool button, the two modes ------------------------------
void execMarkupContentTool(void* clientData);
bool enableMarkupContentTool(void* permissionMask);
bool markedMarkupContentTool(void* clientData);
void execMarkupContentControlByClick(void* clientData);
bool enableMarkupContentControlByClick(void* clientData);
bool markedMarkupContentControlByClick(void* clientData);
void execMarkupContentDetectUnderFonts(void* clientData);
bool enableMarkupContentDetectUnderFonts(void* clientData);
bool markedMarkupContentDetectUnderFonts(void* clientData);

// --- Editing ----------------------------------------------------------------------------
void execMarkupUndo(void* clientData);
bool enableMarkupUndo(void* clientData);
void execMarkupRedo(void* clientData);
bool enableMarkupRedo(void* clientData);
void execMarkupCut(void* clientData);
void execMarkupCopy(void* clientData);
bool enableMarkupCopy(void* clientData);
void execMarkupPaste(void* clientData);
bool enableMarkupPaste(void* clientData);
void execMarkupDelete(void* clientData);
bool enableMarkupDelete(void* clientData);
void execMarkupSelectAll(void* clientData);
bool enableMarkupSelectAll(void* clientData);
void execMarkupDeselectAll(void* clientData);
bool enableMarkupDeselectAll(void* clientData);
void execMarkupProperties(void* clientData);
bool enableMarkupProperties(void* clientData);

// --- Arrangement (client data of execute: the AlignMode) -----------------------------
void execMarkupAlign(void* mode);
bool enableMarkupAlign(void* clientData);
void execMarkupCenter(void* mode);
void execMarkupDistribute(void* mode);
bool enableMarkupDistribute(void* clientData);
void execMarkupSize(void* mode);

// --- Locks --------------------------------------------------------------------------------
void execMarkupLock(void* clientData);
void execMarkupUnlock(void* clientData);
void execMarkupReverseLock(void* clientData);
bool enableMarkupLock(void* clientData);
bool markedMarkupLock(void* clientData);
bool markedMarkupUnlock(void* clientData);

// The marked rule of every item that never carries a check mark.
bool markedMarkupNone(void* clientData);
