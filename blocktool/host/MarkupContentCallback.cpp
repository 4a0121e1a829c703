#include "blocktool/host/MarkupContentCallback.h"

#include "blocktool/collections/AdvancedCopy.h"
#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace {

CMarkupSelectionGroup* ActiveSelection() {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  return collection ? &collection->SelectedGroup() : nullptr;
}

int SelectionSize() {
  const CMarkupSelectionGroup* selection = ActiveSelection();
  return selection ? selection->GetSize() : 0;
}

CMarkupBackupCollection* ActiveHistory() {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  return collection ? collection->GetBackupCollection() : nullptr;
}

// Undo or redo of the page's last step, when there is one.
void RestoreStep(bool (CMarkupBackupCollection::*available)() const, int (CMarkupPageCollection::*restore)()) {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  if (!collection || !(collection->GetBackupCollection()->*available)()) return;
  (collection->*restore)();
  RedrawActiveView();
}

int ModeOf(void* data) { return static_cast<int>(ClientDataNumber(data)); }

// Runs an arrangement on the selection when it has more than `fewest`
// blocks, then shows the result.
template <typename Arrange>
void ArrangeSelection(int fewest, Arrange&& arrange) {
  CMarkupSelectionGroup* selection = ActiveSelection();
  if (!selection || selection->GetSize() <= fewest) return;
  arrange(*selection);
  RedrawActiveView();
}

template <typename Change>
void ChangeLocks(Change&& change) {
  const ActiveMarkupPage page = GetActiveMarkupPage();
  if (!page.collection || page.collection->SelectedGroup().GetSize() == 0) return;
  change(page.collection->SelectedGroup());
  page.collection->Validate(false);
}

host::AVToolRec* ToolToReturnTo() {
  host::AVToolRec* last = gAcroViewHFT->GetLastActiveTool();
  if (!last || last == gAcroViewHFT->GetToolByName(atMarkupTool)) return gAcroViewHFT->GetDefaultTool();
  return last;
}

}  // namespace

ActiveMarkupPage GetActiveMarkupPage() {
  ActiveMarkupPage page;
  if (!gAcroViewHFT) return page;
  page.doc = gAcroViewHFT->GetActiveDoc();
  if (!page.doc) return page;
  page.view = page.doc->GetPageView();
  page.collection = Service.GetDocMarkupPageCollection(page.doc);
  return page;
}

void RedrawActiveView() {
  const ActiveMarkupPage page = GetActiveMarkupPage();
  if (!page.view) return;
  page.view->Invalidate(nullptr);
  page.view->DrawNow();
}

// --- The tool item and the tool button, the two modes ---------------------------------

void execMarkupContentTool(void*) {
  if (!gAcroViewHFT) return;
  if (IsMarkupToolActive()) {
    gAcroViewHFT->SetActiveTool(ToolToReturnTo(), true);
  } else if (host::AVToolRec* tool = gAcroViewHFT->GetToolByName(atMarkupTool)) {
    gAcroViewHFT->SetActiveTool(tool, true);
  }
}

bool enableMarkupContentTool(void* permissionMask) {
  if (!gAcroViewHFT) return false;
  host::AVDoc* doc = gAcroViewHFT->GetActiveDoc();
  const bool enabled = doc && Service.CheckPermission(doc->GetPDDoc(), ClientDataNumber(permissionMask)) &&
                       bSupportedBlockSpecVersion && !bMaxZoomLimitationActive;
  // The tool cannot stay on where it may not work. A switch asked for here
  // is carried out after the menu update; it names its target tool rather
  // than toggling, so that several such requests agree.
  if (!enabled && IsMarkupToolActive()) gAcroViewHFT->SetActiveTool(ToolToReturnTo(), true);
  return enabled;
}

bool markedMarkupContentTool(void*) { return IsMarkupToolActive(); }

void execMarkupContentControlByClick(void*) { bControlByClick = bControlByClick ? 0 : 1; }
bool enableMarkupContentControlByClick(void*) { return true; }
bool markedMarkupContentControlByClick(void*) { return bControlByClick != 0; }

void execMarkupContentDetectUnderFonts(void*) { bDetectUnderFonts = bDetectUnderFonts ? 0 : 1; }
bool enableMarkupContentDetectUnderFonts(void*) { return true; }
bool markedMarkupContentDetectUnderFonts(void*) { return bDetectUnderFonts != 0; }

// --- Editing ---------------------------------------------------------------------------------

void execMarkupUndo(void*) { RestoreStep(&CMarkupBackupCollection::EnableUndo, &CMarkupPageCollection::RestoreLastBackup); }

bool enableMarkupUndo(void*) {
  const CMarkupBackupCollection* history = ActiveHistory();
  return history && history->EnableUndo();
}

void execMarkupRedo(void*) { RestoreStep(&CMarkupBackupCollection::EnableRedo, &CMarkupPageCollection::RedoLastBackup); }

bool enableMarkupRedo(void*) {
  const CMarkupBackupCollection* history = ActiveHistory();
  return history && history->EnableRedo();
}

void execMarkupCut(void*) {
  AdvancedCopy.CutGroup(gAcroViewHFT->GetActiveDoc());
  RedrawActiveView();
}

void execMarkupCopy(void*) { AdvancedCopy.CopyGroup(gAcroViewHFT->GetActiveDoc()); }

bool enableMarkupCopy(void*) { return SelectionSize() > 0; }

void execMarkupPaste(void*) {
  AdvancedCopy.PasteGroup(gAcroViewHFT->GetActiveDoc());
  RedrawActiveView();
}

bool enableMarkupPaste(void*) { return gAcroViewHFT && gAcroViewHFT->GetActiveDoc() && AdvancedCopy.GetSize() > 0; }

void execMarkupDelete(void*) {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  if (!collection) return;
  collection->DeleteSelectedGroup();
  RedrawActiveView();
}

bool enableMarkupDelete(void*) { return SelectionSize() > 0; }

void execMarkupSelectAll(void*) {
  CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  if (!collection) return;
  collection->SelectAll();
  RedrawActiveView();
}

bool enableMarkupSelectAll(void*) {
  const CMarkupPageCollection* collection = GetActiveMarkupPage().collection;
  return collection && collection->HasValidBlocks();
}

void execMarkupDeselectAll(void*) {
  CMarkupSelectionGroup* selection = ActiveSelection();
  if (!selection) return;
  selection->ClearAll();
  RedrawActiveView();
}

bool enableMarkupDeselectAll(void*) { return SelectionSize() > 0; }

void execMarkupProperties(void*) {
  CMarkupSelectionGroup* selection = ActiveSelection();
  if (!selection || selection->GetSize() == 0) return;
  // The dialog needs a reference block; without one the first member
  // serves for the dialog's duration.
  BlockRef marked;
  if (!selection->GetSelectedBlock()) {
    for (const auto& [id, block] : selection->Entries()) {
      if (block) {
        marked = block;
        break;
      }
    }
  }
  if (marked) marked->Selected(true);
  StartMarkupPropertiesDialog(*selection);
  if (marked) marked->Selected(false);
}

bool enableMarkupProperties(void*) {
  const CMarkupSelectionGroup* selection = ActiveSelection();
  return selection && selection->GetSize() > 0 && selection->GetLockState() != kLockStateLocked;
}

// --- Arrangement -----------------------------------------------------------------------------

void execMarkupAlign(void* mode) {
  ArrangeSelection(1, [&](CMarkupSelectionGroup& selection) { selection.Align(ModeOf(mode)); });
}

bool enableMarkupAlign(void*) { return SelectionSize() >= 2; }

void execMarkupCenter(void* mode) {
  const ActiveMarkupPage page = GetActiveMarkupPage();
  if (!page.collection || !page.view || page.collection->SelectedGroup().GetSize() == 0) return;
  try {
    const host::AVRect pageRect = page.view->RectToDevice(page.view->AcquirePage()->CropBox());
    page.collection->SelectedGroup().Center(pageRect, ModeOf(mode));
  } catch (...) {
    Service.ExceptionAlert("execMarkupCenter");
    return;
  }
  RedrawActiveView();
}

void execMarkupDistribute(void* mode) {
  ArrangeSelection(2, [&](CMarkupSelectionGroup& selection) { selection.Distribute(ModeOf(mode)); });
}

bool enableMarkupDistribute(void*) { return SelectionSize() >= 3; }

void execMarkupSize(void* mode) {
  ArrangeSelection(1, [&](CMarkupSelectionGroup& selection) { selection.Resize(ModeOf(mode)); });
}

// --- Locks -------------------------------------------------------------------------------------

void execMarkupLock(void*) {
  ChangeLocks([](CMarkupSelectionGroup& selection) { selection.Lock(true); });
}

void execMarkupUnlock(void*) {
  ChangeLocks([](CMarkupSelectionGroup& selection) { selection.Lock(false); });
}

void execMarkupReverseLock(void*) {
  ChangeLocks([](CMarkupSelectionGroup& selection) { selection.ReverseLock(); });
}

bool enableMarkupLock(void*) { return SelectionSize() > 0; }

bool markedMarkupLock(void*) {
  const CMarkupSelectionGroup* selection = ActiveSelection();
  return selection && selection->GetLockState() == kLockStateLocked;
}

bool markedMarkupUnlock(void*) {
  const CMarkupSelectionGroup* selection = ActiveSelection();
  return selection && selection->GetLockState() == kLockStateUnlocked;
}

bool markedMarkupNone(void*) { return false; }
