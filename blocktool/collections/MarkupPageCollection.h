// All blocks of one page of one open document and everything that is per
// page: the selection, the blocks under the pointer, the blocks held for
// duplication, the last block ID handed out, the undo history, and whether
// the page's stored blocks must be written back into the PDF.
//
// A collection is loaded once from the page's stored block tree and written
// back when its document is about to be saved.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "blocktool/collections/MarkupBackup.h"
#include "blocktool/collections/MarkupBlocksGroup.h"
#include "blocktool/collections/MarkupPageSelectionGroup.h"
#include "host/ADM.h"
#include "host/AV.h"
#include "host/PDE.h"

class CMarkupDocCollection;
class CMarkupPageCollection;

// One entry of a page's Blocks dictionary: loads the block stored under key.
// False only after a host error (reported), which ends the enumeration.
bool PrivateBlocksCosObjEnum(std::string_view key, const host::CosObj& value, CMarkupPageCollection& page);

class CMarkupPageCollection : public CMarkupBlocksGroup, public CMarkupBlockOwner {
 public:
  explicit CMarkupPageCollection(CMarkupDocCollection* parent);
  ~CMarkupPageCollection();

  // --- Loading and writing back ----------------------------------------------
  // Loads the page that view shows: 0, or -1 when it could not be loaded
  // (reported). Called once, right after construction.
  int AcquirePageCollection(host::AVPageView* view);
  void FreePageCollection();
  // Loads one stored block by its key in the page's Blocks dictionary.
  int AcquirePrivateBlock(std::string_view key);
  // The same with the block's dictionary, found by the caller.
  int AcquirePrivateBlock(std::string_view key, const host::CosObj& blockDict);
  // Removes the marked-content containers an old format left in the page:
  // the number removed, or -1 (reported).
  int ClearContentCollection(const host::PDEContentRef& content);
  // The format version of the page's stored tree; -1 when it could not be
  // read (reported).
  double GetBlockSpecVersion();
  // Versions up to 7.x are read and written; a later format is left as it is.
  bool IsSupportedBlockSpecVersion() const;
  // Reads every stored block of the page: 0, or -1 (reported).
  int AcquirePrivateCollection();
  // Builds the page's new block tree from the blocks and puts it in place of
  // the old one: 0, or -1 when a block could not be written (reported once;
  // the page then keeps its old tree and stays not validated).
  int UpdateFamilies();

  // --- Blocks ----------------------------------------------------------------------
  void AddBlock(const BlockRef& block) override;
  // Takes a block off the page, keeping its ID for undo.
  void DeleteBlock(CMarkupBlock* block);
  // Puts a deleted block back under its ID (undo), unselected and with a
  // name unique on the page.
  void RestoreDeletedBlock(const BlockRef& block);
  // Deletes the unlocked members of the selection as one undo step; locked
  // ones are only deselected.
  void DeleteSelectedGroup();
  // ID of the first block (ascending ID) with this Name, or -1.
  int IsBlockNameKnown(const host::ASText& name) const;
  int IsBlockNameKnown(std::string_view name) const;
  // The block under (x, y): the selected block when it is there, else the
  // topmost (highest ID). Every block there goes into the stack group.
  CMarkupBlock* GetClickedBlock(host::AVDevCoord x, host::AVDevCoord y);
  CMarkupBlock* GetSelectedBlock() const { return selection_.GetSelectedBlock(); }
  int GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) const {
    return selection_.GetSelectedCursorPos(x, y);
  }
  // Adds every block to the selection (the Selected marks stay as they are).
  void SelectAll();
  // Tab (+1) and Shift-Tab (-1): the Selected mark passes to the next block.
  void ShiftSelection(int step);
  bool CopySelectedGroup(const CMarkupBlocksGroup& group);
  // Copies the blocks of the copy group, offset by (dx, dy) or, with both 0,
  // by the first block's width and half its height; one undo step.
  void PasteSelectedGroup(std::int64_t dx, std::int64_t dy);
  void DuplicateSelectedGroup(std::int64_t dx, std::int64_t dy);
  void ClearCopyGroup();

  // --- Block IDs -----------------------------------------------------------------
  int BlockID() const { return lastBlockID_; }
  void BlockID(int blockID) { lastBlockID_ = blockID; }
  // Hands out the next block ID (and records it); -1 when the page has used
  // up every ID.
  int NewBlockID();

  // --- Undo -----------------------------------------------------------------------
  void ActivateBackupGroup() override;
  void AddBlockForBackup(CMarkupBlock& block, int action) override;
  void SetUndoBackupGroup() override;
  // Records a one-entry step at once.
  void SetUndoBackupGroup(CMarkupBlock& block, int action);
  int RestoreLastBackup();
  int RedoLastBackup();
  CMarkupBackupCollection* GetBackupCollection() { return history_.get(); }

  // --- State -------------------------------------------------------------------------
  // false also marks the document as modified.
  void Validate(bool flag) override;
  bool Validate() const { return validated_; }
  // After the page was replaced: its new dictionary, and the blocks are to
  // be written into it (the document's flags are not touched).
  void UpdatePageCoseObj(const host::PDPage& page);
  host::AVPageView* GetPageView() const override { return pageView_; }
  host::CosObj GetPageCosObj() const override { return pageObject_; }
  CMarkupDocCollection* GetParentDocCollection() const { return parent_; }
  // Page index the collection was loaded (or last found) at.
  int PageNumber() const { return pageNumber_; }
  void PageNumber(int page) { pageNumber_ = page; }
  double BlockFormatVersion() const { return version_; }

  CMarkupSelectionGroup& SelectedGroup() { return selection_; }
  const CMarkupSelectionGroup& SelectedGroup() const { return selection_; }
  CMarkupBlocksGroup& GetStackGroup() { return stackGroup_; }
  CMarkupSelectionGroup& CopyGroup() { return copyGroup_; }

  // Shows or hides the form fields the blocks were made from.
  void ShowBoundAnnotation(bool show);
  // ID of the first block made from this annotation, or -1.
  int BlockIDFromAnnotation(const host::PDAnnot& annot) const;
  // Places every block at its Rect for the view's present zoom and scroll.
  void FitToZoom();
  // Draws every block into the page view at once (blocktool/host/MarkupBlockDraw.cpp).
  void RedrawAll();

  std::string MakeUniqueBlockName(const CMarkupBlock& block, std::string_view name,
                                  std::string_view separator) override;

 private:
  void ReportWriteFailure(const CMarkupBlock& block);
  int RemoveOldMarkedContent(const host::PDPage& page);
  void MirrorSupportedFlag(bool supported) const;
  void ShowBound(CMarkupBlock& block, bool show);
  // Stored names a repair left equal to another block's get a suffix.
  void MakeLoadedNamesUnique();
  int TakeStoredID(CMarkupBlock& block);
  void TakeStoredBlock(const BlockRef& block);
  int ClearContainers(host::PDEContent& content, int depth);
  void DrawEveryBlock(host::ADMDrawer& drawer, const host::AVRect& aperture);

  host::AVPageView* pageView_ = nullptr;
  host::CosObj pageObject_;
  double version_ = 0.0;
  bool validated_ = true;
  bool idRepairMode_ = false;
  bool idsRenumbered_ = false;
  bool nameRepaired_ = false;
  // The stored tree could not be read whole: it is never overwritten.
  bool storedTreeUnreadable_ = false;
  // Reading labels the page's tree, once per load.
  bool storedTreeLabelled_ = false;
  int pageNumber_ = -1;
  int lastBlockID_ = -1;
  CMarkupDocCollection* parent_;
  CMarkupSelectionGroup selection_;
  CMarkupSelectionGroup copyGroup_;
  CMarkupBlocksGroup stackGroup_;
  std::unique_ptr<CMarkupBackupGroup> openStep_;
  std::unique_ptr<CMarkupBackupCollection> history_;
};
