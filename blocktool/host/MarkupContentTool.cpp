#include "blocktool/host/MarkupContentTool.h"

#include <algorithm>
#include <cstdint>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/MarkupBlockDraw.h"
#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/host/MarkupContentInitEditMenu.h"
#include "blocktool/host/MarkupContentInitRClickMenu.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

host::AVToolRec avMarkupContentTool;
host::ASBool bToolActive = 0;
std::weak_ptr<CMarkupBlock> pCurrentBlock;
std::array<int, 9> selectedCursors{};
host::AVCursor avMoveBlockToolCursor = 0;
host::AVCursor avCopyBlockToolCursor = 0;

namespace {

constexpr int kMoveCursorResource = 128;
constexpr int kCopyCursorResource = 129;
// A drag that ends this close to where it began (every edge) is a click.
constexpr int kClickTolerance = 2;
// A drawn rectangle makes a block when both sides are longer than this.
constexpr std::int64_t kSmallestBlockSide = 2;

// Handle position to the drag kind that moves that corner or edge.
constexpr std::array<host::AVDragType, 8> kHandleDragKinds = {
    host::kDragTopLeft,     host::kDragTop,    host::kDragTopRight,   host::kDragRight,
    host::kDragBottomRight, host::kDragBottom, host::kDragBottomLeft, host::kDragLeft};

constexpr std::array<int, 9> kHandleCursors = {
    host::kCursorResizeNWSE, host::kCursorResizeVertical, host::kCursorResizeNESW,
    host::kCursorResizeHorizontal, host::kCursorResizeNWSE, host::kCursorResizeVertical,
    host::kCursorResizeNESW, host::kCursorResizeHorizontal, host::kCursorArrow};

void ShowStdCursor(int number) { gAcroViewHFT->SetCursor(gAcroViewHFT->GetStdCursor(number)); }

host::AVRect Normalized(const host::AVRect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

bool IsNewBlockRectangle(const host::AVRect& r) {
  return std::int64_t{r.right} - r.left > kSmallestBlockSide && std::int64_t{r.bottom} - r.top > kSmallestBlockSide;
}

bool IsMember(const CMarkupSelectionGroup& group, const CMarkupBlock& block) {
  return group.GetBlock(block.BlockID()) == &block;
}

// The document's flags from the click on: kept as they become, unless the
// new block is given up, which puts them back as they were.
class ClickFlags {
 public:
  explicit ClickFlags(CMarkupDocCollection* doc) : doc_(doc) {
    if (doc_) doc_->KeepFlags();
  }
  ~ClickFlags() {
    if (!doc_) return;
    if (!restore_) doc_->AcceptFlagChanges();
    doc_->RestoreFlags();
  }
  ClickFlags(const ClickFlags&) = delete;
  ClickFlags& operator=(const ClickFlags&) = delete;
  void RestoreAtEnd() { restore_ = true; }

 private:
  CMarkupDocCollection* doc_;
  bool restore_ = false;
};

// A new block starts from the values last confirmed in the document's
// properties dialog: those for every block, those of its kind, and the
// custom properties.
void ApplyDocumentDefaults(CMarkupBlock& block, CMarkupDocCollection* doc) {
  if (!doc) return;
  const CDefaultPropertiesCollection& defaults = doc->DefaultPropCollection();
  CMarkupBlockProperties& list = *block.PropertyList();
  const auto copy = [&](PropertyClass propertyClass) {
    if (const CMarkupBlockProperties* from = defaults.DefaultPropertiesList(propertyClass))
      list.CopyPropertiesList(propertyClass, *from, false);
  };
  copy(PropGeneral);
  const PropertyClass kind = block.BlockClass();
  copy(kind);
  if (kind == PropText) {
    copy(PropTextflow);
    copy(PropRulerTab);
  }
  copy(PropCustom);
}

// The block drawn by the user joins the page when the properties dialog is
// confirmed; otherwise nothing of it remains: not its ID, not the page's
// changed state, not the document's modified flag.
void CreateDrawnBlock(const host::AVRect& rect, CMarkupPageCollection& collection, ClickFlags& flags) {
  CMarkupSelectionGroup& group = collection.SelectedGroup();
  const int previousID = collection.BlockID();
  const bool wasValidated = collection.Validate();
  const int id = collection.NewBlockID();
  auto block = std::make_shared<CMarkupBlock>(&collection, kDefaultPrefixName, id);
  block->EnsureUniqBlockName("_");
  block->CreateNewBlock(rect, false);
  block->Selected(true);
  group.AddBlock(block);
  ApplyDocumentDefaults(*block, collection.GetParentDocCollection());
  if (StartMarkupPropertiesDialog(group) == 1) {
    collection.AddBlock(block);
    collection.SetUndoBackupGroup(*block, kBackupExistence);
    return;
  }
  group.ClearAll();
  collection.BlockID(previousID);
  collection.Validate(wasValidated);
  flags.RestoreAtEnd();
}

void ClickOnEmptySpace(host::AVPageView& view, host::AVDevCoord x, host::AVDevCoord y,
                       CMarkupPageCollection& collection) {
  ClickFlags flags(collection.GetParentDocCollection());
  collection.SelectedGroup().ClearAll();
  if (!view.IsMouseStillDown()) return;
  const host::AVRect rect = Normalized(view.DragRect(x, y, {x, y, x, y}, host::kDragBottomRight));
  if (IsNewBlockRectangle(rect)) CreateDrawnBlock(rect, collection, flags);
}

// What a drag of a block that ended elsewhere than it began does.
void ApplyBlockDrag(CMarkupPageCollection& collection, const BlockRef& block, host::AVDragType kind,
                    const host::AVRect& start, const host::AVRect& result, bool optionDown) {
  CMarkupSelectionGroup& group = collection.SelectedGroup();
  const bool inSelection = IsMember(group, *block);
  if (kind == host::kDragMove && optionDown) {
    if (!inSelection) {
      group.ClearAll();
      block->Selected(true);
      group.AddBlock(block);
    }
    collection.DuplicateSelectedGroup(std::int64_t{result.left} - start.left, std::int64_t{result.top} - start.top);
  } else if (kind == host::kDragMove && inSelection) {
    group.MoveGroup(result);
  } else if (!block->Lock()) {
    collection.SetUndoBackupGroup(*block, kBackupGeometry);
    block->MoveBlock(Normalized(result));
  }
}

void SelectClickedBlock(CMarkupSelectionGroup& group, const BlockRef& block, bool shiftDown) {
  if (shiftDown) {
    group.BlinkBlock(block);
    return;
  }
  if (!IsMember(group, *block)) group.ClearAll();
  if (CMarkupBlock* selected = group.GetSelectedBlock()) selected->Selected(false);
  block->Selected(true);
  group.AddBlock(block);
}

void ClickOnBlock(host::AVPageView& view, host::AVDevCoord x, host::AVDevCoord y, int modifiers,
                  CMarkupPageCollection& collection, const BlockRef& block) {
  CMarkupSelectionGroup& group = collection.SelectedGroup();
  bool optionDown = (modifiers & host::kModifierOption) != 0;
  if (view.IsMouseStillDown()) {
    collection.RedrawAll();
    const int position = block->GetSelectedCursorPos(x, y);
    const host::AVDragType kind = position >= 0 && position < CMarkupBlockDraw::kHandleCount
                                      ? kHandleDragKinds[position]
                                      : host::kDragMove;
    if (kind == host::kDragMove && avMoveBlockToolCursor) gAcroViewHFT->SetCursor(avMoveBlockToolCursor);
    const host::AVRect start =
        kind == host::kDragMove && IsMember(group, *block) ? group.GetUnionRect() : block->BlockRect();
    int releaseModifiers = 0;
    const host::AVRect result = view.SnapDragRect(x, y, start, kind, nullptr, avMoveBlockToolCursor,
                                                  avCopyBlockToolCursor, &releaseModifiers);
    optionDown = (releaseModifiers & host::kModifierOption) != 0;
    if (!CService::EqualRect(result, start, kClickTolerance))
      ApplyBlockDrag(collection, block, kind, start, result, optionDown);
  }
  if (!optionDown) SelectClickedBlock(group, block, (modifiers & host::kModifierShift) != 0);
}

bool OpenPropertiesOfSelection(CMarkupPageCollection& collection) {
  CMarkupSelectionGroup& group = collection.SelectedGroup();
  const CMarkupBlock* selected = group.GetSelectedBlock();
  if (group.GetSize() == 0 || !selected || selected->Lock()) return false;
  StartMarkupPropertiesDialog(group);
  return true;
}

void ShowBoundAnnotationsOfActiveDocument(bool show) {
  if (!pMrkupCollectionMap) return;
  host::AVDoc* doc = gAcroViewHFT->GetActiveDoc();
  CMarkupDocCollection* collection = doc ? pMrkupCollectionMap->FindDocument(doc) : nullptr;
  if (!collection) return;
  collection->ShowBoundAnnotation(show);
  if (host::AVPageView* view = doc->GetPageView()) view->Invalidate(nullptr);
}

}  // namespace

void InitializeTool() {
  bToolActive = 0;
  avMarkupContentTool = host::AVToolRec{};
  avMarkupContentTool.Activate = MarkupContentToolActivate;
  avMarkupContentTool.Deactivate = MarkupContentToolDeactivate;
  avMarkupContentTool.GetType = MarkupContentToolGetType;
  avMarkupContentTool.AdjustCursor = MarkupContentToolAdjustCursor;
  avMarkupContentTool.DoClick = MarkupContentToolDoClick;
  avMarkupContentTool.DoRightClick = MarkupContentToolDoRightClick;
  avMarkupContentTool.DoKeyDown = MarkupContentToolDoKeyDown;
  avMarkupContentTool.DoLeave = MarkupContentToolDoLeave;
  gAcroViewHFT->RegisterTool(&avMarkupContentTool);
  selectedCursors = kHandleCursors;
  if (avMoveBlockToolCursor) return;
  try {
    avMoveBlockToolCursor = gAcroViewHFT->LoadCursorResource(gExtensionID, kMoveCursorResource);
    avCopyBlockToolCursor = gAcroViewHFT->LoadCursorResource(gExtensionID, kCopyCursorResource);
  } catch (...) {
    // Without its own cursors the tool shows the host's during drags.
    avMoveBlockToolCursor = avCopyBlockToolCursor = 0;
  }
}

void ReleaseTool() {
  if (bToolActive) MarkupContentToolDeactivate(&avMarkupContentTool);
  pCurrentBlock.reset();
  avMoveBlockToolCursor = avCopyBlockToolCursor = 0;
}

// --- Activation ------------------------------------------------------------------------

void MarkupContentToolActivate(host::AVToolRec*, bool) {
  if (bToolActive) return;
  try {
    if (drawMarkupContentBlocksProc)
      gAcroViewHFT->RegisterForPageViewDrawing(drawMarkupContentBlocksProc, MarkupToolClientData());
    SetMarkupEditMenu(true);
    ShowBoundAnnotationsOfActiveDocument(false);
  } catch (...) {
    Service.ExceptionAlert("MarkupContentToolActivate");
  }
  bToolActive = 1;
}

void MarkupContentToolDeactivate(host::AVToolRec*) {
  if (!bToolActive) return;
  try {
    if (drawMarkupContentBlocksProc) gAcroViewHFT->UnregisterForPageViewDrawing(drawMarkupContentBlocksProc);
    SetMarkupEditMenu(false);
    ShowBoundAnnotationsOfActiveDocument(true);
  } catch (...) {
    Service.ExceptionAlert("MarkupContentToolDeactivate");
  }
  bToolActive = 0;
}

host::ASAtom MarkupContentToolGetType(host::AVToolRec*) { return atMarkupTool; }

// --- Pointer ----------------------------------------------------------------------------

bool MarkupContentToolAdjustCursor(host::AVToolRec*, host::AVPageView* view, host::AVDevCoord x,
                                   host::AVDevCoord y) {
  if (!bSupportedBlockSpecVersion) return false;
  if (!view || !view->GetAVDoc()) return true;
  try {
    // Looked up at every call: a collection may have been replaced or
    // destroyed since the last one.
    const CMarkupPageCollection* collection = Service.GetDocMarkupPageCollection(view->GetAVDoc());
    bUpdateView = 0;
    const int position = collection ? collection->GetSelectedCursorPos(x, y) : -1;
    const bool onSelection = position >= 0 && position < static_cast<int>(selectedCursors.size());
    ShowStdCursor(onSelection ? selectedCursors[position] : host::kCursorCrosshair);
    return true;
  } catch (...) {
    bUpdateView = 1;
    return false;
  }
}

void MarkupContentToolDoLeave(host::AVToolRec*, host::AVPageView*) {
  try {
    ShowStdCursor(host::kCursorArrow);
  } catch (...) {
    // The host keeps whatever cursor it has.
  }
}

CMarkupPageCollection* SetCurrentBlock(host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y) {
  // A document has one view: its page is the view's page.
  CMarkupPageCollection* collection = view ? Service.GetDocMarkupPageCollection(view->GetAVDoc()) : nullptr;
  if (!collection) return nullptr;
  const CMarkupBlock* clicked = collection->GetClickedBlock(x, y);
  pCurrentBlock = clicked ? collection->GetBlockRef(clicked->BlockID()) : nullptr;
  return collection;
}

void SelectMarkupContentAtPoint(host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y, int modifiers,
                                CMarkupPageCollection* collection) {
  if (!view || !view->GetAVDoc() || !collection) return;
  if (const BlockRef block = pCurrentBlock.lock()) {
    ClickOnBlock(*view, x, y, modifiers, *collection, block);
  } else {
    ClickOnEmptySpace(*view, x, y, *collection);
  }
  view->Invalidate(nullptr);
}

bool MarkupContentToolDoClick(host::AVToolRec*, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y,
                              int modifiers, int clickCount) {
  if (bRepagingInProgress) return true;
  try {
    CMarkupPageCollection* collection = SetCurrentBlock(view, x, y);
    if (clickCount == 1) {
      SelectMarkupContentAtPoint(view, x, y, modifiers, collection);
    } else if (collection) {
      OpenPropertiesOfSelection(*collection);
    }
  } catch (...) {
    Service.ExceptionAlert("MarkupContentToolDoClick");
  }
  return true;
}

bool MarkupContentToolDoRightClick(host::AVToolRec*, host::AVPageView* view, host::AVDevCoord x,
                                   host::AVDevCoord y, int, int clickCount) {
  if (clickCount != 1) return false;
  try {
    CMarkupPageCollection* collection = SetCurrentBlock(view, x, y);
    const BlockRef block = pCurrentBlock.lock();
    if (!collection || !block) return true;
    CMarkupSelectionGroup& group = collection->SelectedGroup();
    // A block alone under the pointer becomes the selection unless several
    // blocks are selected already; overlapping blocks leave it as it is.
    if (group.GetSize() <= 1 && collection->GetStackGroup().GetSize() == 1) {
      group.ClearAll();
      block->Selected(true);
      group.AddBlock(block);
    }
    view->Invalidate(nullptr);
    view->DrawNow();
    UpdateRClickBlocksMenu(collection->GetStackGroup());
    UpdateRClickLockStateMenu(group);
    if (avRClickMenu) view->DoPopupMenu(avRClickMenu, x, y, true);
    view->Invalidate(nullptr);
  } catch (...) {
    Service.ExceptionAlert("MarkupContentToolDoRightClick");
  }
  return true;
}

// --- Keys -------------------------------------------------------------------------------------

bool MarkupContentToolDoKeyDown(host::AVToolRec*, int key, int modifiers) {
  try {
    const ActiveMarkupPage page = GetActiveMarkupPage();
    if (!page.view || !page.collection || page.collection->SelectedGroup().GetSize() == 0) return false;
    CMarkupPageCollection& collection = *page.collection;
    CMarkupSelectionGroup& selection = collection.SelectedGroup();
    bool handled = true;
    bool dialogOpened = false;
    switch (key) {
      case host::kKeyEnter:
        dialogOpened = OpenPropertiesOfSelection(collection);
        break;
      case host::kKeyBackspace:
        collection.DeleteSelectedGroup();
        break;
      case host::kKeyTab:
        collection.ShiftSelection((modifiers & host::kModifierShift) ? -1 : 1);
        collection.RedrawAll();
        break;
      case host::kKeyLeftArrow:
      case host::kKeyRightArrow:
      case host::kKeyUpArrow:
      case host::kKeyDownArrow:
        selection.MoveGroupByStep(key);
        collection.RedrawAll();
        break;
      case host::kKeySpace:
        selection.ClearAll();
        collection.RedrawAll();
        break;
      default:
        handled = false;
        break;
    }
    if (!dialogOpened) {
      page.view->Invalidate(nullptr);
      page.view->DrawNow();
    }
    return handled;
  } catch (...) {
    Service.ExceptionAlert("MarkupContentToolDoKeyDown");
    return false;
  }
}
