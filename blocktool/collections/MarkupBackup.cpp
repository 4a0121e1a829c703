#include "blocktool/collections/MarkupBackup.h"

#include "blocktool/collections/MarkupPageCollection.h"

std::unique_ptr<CMarkupBackup> CMarkupBackup::Record(const BlockRef& block, int action) {
  if (!block) return nullptr;
  std::unique_ptr<CMarkupBackup> entry(new CMarkupBackup(action, block->BlockID()));
  switch (action) {
    case kBackupExistence:
      entry->block_ = block;
      entry->pageRect_ = block->BlockRectFx();
      break;
    case kBackupGeometry:
      entry->pageRect_ = block->BlockRectFx();
      break;
    case kBackupProperties:
      entry->snapshot_ = std::make_unique<CMarkupBlockProperties>(block->BlockID(), *block->PropertyList());
      break;
    default:
      return nullptr;
  }
  return entry;
}

void CMarkupBackup::RestoreOnPage(CMarkupPageCollection& page) {
  switch (action_) {
    case kBackupExistence:
      RestoreExistence(page);
      break;
    case kBackupGeometry:
      RestoreGeometry(page);
      break;
    case kBackupProperties:
      RestoreProperties(page);
      break;
    default:
      break;
  }
}

void CMarkupBackup::RestoreExistence(CMarkupPageCollection& page) {
  if (!block_) return;
  if (block_->Deleted()) {
    page.RestoreDeletedBlock(block_);
  } else {
    page.DeleteBlock(block_.get());
  }
}

void CMarkupBackup::RestoreGeometry(CMarkupPageCollection& page) {
  CMarkupBlock* block = page.GetBlock(blockID_);
  if (!block) return;
  const host::ASFixedRect present = block->BlockRectFx();
  // Page rectangles keep undo exact whatever the zoom was meanwhile.
  block->BlockRectFx(pageRect_);
  block->UpdateBlockCoordiantesProperty();
  pageRect_ = present;
}

void CMarkupBackup::RestoreProperties(CMarkupPageCollection& page) {
  CMarkupBlock* block = page.GetBlock(blockID_);
  if (!block || !snapshot_) return;
  snapshot_ = block->PropertyList(std::move(snapshot_));
  block->FitToZoom();
  block->Blink(3);
  block->Validate(false);
  page.Validate(false);
}

void CMarkupBackupGroup::AddBlock(const BlockRef& block, int action) {
  if (std::unique_ptr<CMarkupBackup> entry = CMarkupBackup::Record(block, action)) entries_.push_back(std::move(entry));
}

void CMarkupBackupGroup::Restore() {
  for (const std::unique_ptr<CMarkupBackup>& entry : entries_) entry->RestoreOnPage(page_);
}

void CMarkupBackupCollection::AddUndoGroup(std::unique_ptr<CMarkupBackupGroup> step) {
  if (!step || step->Size() == 0) return;
  undo_.push_back(std::move(step));
  if (undo_.size() >= kLimit) undo_.pop_front();
}

void CMarkupBackupCollection::AddRedoGroup(std::unique_ptr<CMarkupBackupGroup> step) {
  if (!step || step->Size() == 0) return;
  redo_.push_back(std::move(step));
}

void CMarkupBackupCollection::Undo() {
  if (undo_.empty()) return;
  std::unique_ptr<CMarkupBackupGroup> step = std::move(undo_.back());
  undo_.pop_back();
  step->Restore();
  AddRedoGroup(std::move(step));
}

void CMarkupBackupCollection::Redo() {
  if (redo_.empty()) return;
  std::unique_ptr<CMarkupBackupGroup> step = std::move(redo_.back());
  redo_.pop_back();
  step->Restore();
  AddUndoGroup(std::move(step));
}

void CMarkupBackupCollection::FreeBackupCollection() {
  undo_.clear();
  redo_.clear();
}
