#include "blocktool/collections/MarkupBlocksGroup.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "blocktool/model/Service.h"

CMarkupBlocksGroup::~CMarkupBlocksGroup() { blocks_.clear(); }

void CMarkupBlocksGroup::AddBlock(const BlockRef& block) {
  if (!block) return;
  BlockRef& entry = blocks_[block->BlockID()];
  if (!entry) entry = block;
}

void CMarkupBlocksGroup::InsertBlock(const BlockRef& block, int) {
  if (!block) return;
  if (const auto found = blocks_.find(block->BlockID()); found != blocks_.end()) found->second = block;
}

void CMarkupBlocksGroup::RemoveBlock(const CMarkupBlock* block) {
  if (block) blocks_.erase(block->BlockID());
}

void CMarkupBlocksGroup::RemoveAndKeepBlock(const CMarkupBlock* block) {
  if (!block) return;
  if (const auto found = blocks_.find(block->BlockID()); found != blocks_.end()) found->second.reset();
}

bool CMarkupBlocksGroup::IsBlockInGroup(int blockID) const { return blocks_.contains(blockID); }

bool CMarkupBlocksGroup::HasValidBlocks() const {
  return std::any_of(blocks_.begin(), blocks_.end(), [](const auto& entry) { return entry.second != nullptr; });
}

int CMarkupBlocksGroup::GetSize() const { return static_cast<int>(blocks_.size()); }

CMarkupBlock* CMarkupBlocksGroup::GetBlock(int blockID) const { return GetBlockRef(blockID).get(); }

BlockRef CMarkupBlocksGroup::GetBlockRef(int blockID) const {
  const auto found = blocks_.find(blockID);
  return found == blocks_.end() ? nullptr : found->second;
}

CMarkupBlock* CMarkupBlocksGroup::GetNthBlock(int n) const {
  if (n < 0 || n >= GetSize()) return nullptr;
  return std::next(blocks_.begin(), n)->second.get();
}

int CMarkupBlocksGroup::GetBlockNumber(const CMarkupBlock* block) const {
  if (!block) return -1;
  int number = 0;
  for (const auto& [id, entry] : blocks_) {
    if (!entry) continue;
    if (id == block->BlockID()) return number;
    ++number;
  }
  return -1;
}

// The walk steps once by step (wrapping from below the smallest ID to the
// largest and from above the largest to the smallest); from an ID without a
// block it goes on one entry at a time in the step's direction. Answered
// from the ordered map, so sparse IDs cost no more than dense ones.
CMarkupBlock* CMarkupBlocksGroup::GetNextValidBlock(int blockID, int step) const {
  if (step == 0) return GetBlock(blockID);
  if (!IsBlockInGroup(blockID) || GetSize() <= 1) return nullptr;
  const std::int64_t minID = GetMinID();
  const std::int64_t maxID = GetMaxID();
  std::int64_t c = std::int64_t{blockID} + step;
  if (c < minID) {
    c = maxID;
  } else if (c > maxID) {
    c = minID;
  }
  const auto answer = [blockID](const auto& entry) -> CMarkupBlock* {
    return entry.first == blockID ? nullptr : entry.second.get();
  };
  if (const auto found = blocks_.find(static_cast<int>(c)); found != blocks_.end() && found->second) {
    return answer(*found);
  }
  const bool forward = step > 0;
  auto it = forward ? blocks_.upper_bound(static_cast<int>(c)) : blocks_.lower_bound(static_cast<int>(c));
  for (std::size_t visited = 0; visited < blocks_.size(); ++visited) {
    if (forward) {
      if (it == blocks_.end()) it = blocks_.begin();
    } else {
      it = it == blocks_.begin() ? std::prev(blocks_.end()) : std::prev(it);
    }
    if (it->second) return answer(*it);
    if (forward) ++it;
  }
  return nullptr;
}

int CMarkupBlocksGroup::GetMinID() const { return blocks_.empty() ? 0x7FFFFFFF : blocks_.begin()->first; }

int CMarkupBlocksGroup::GetMaxID() const {
  if (blocks_.empty()) return -1;
  return std::max(-1, blocks_.rbegin()->first);
}

host::AVRect CMarkupBlocksGroup::GetUnionRect() const {
  host::AVRect u{32767, 32767, 0, 0};
  for (const auto& [id, block] : blocks_) {
    if (!block) continue;
    const host::AVRect& r = block->BlockRect();
    u.left = std::min(u.left, r.left);
    u.top = std::min(u.top, r.top);
    u.right = std::max(u.right, r.right);
    u.bottom = std::max(u.bottom, r.bottom);
  }
  return u;
}

void CMarkupBlocksGroup::MoveGroup(const host::AVRect& target) {
  CMarkupBlockOwner* page = nullptr;
  for (const auto& [id, block] : blocks_) {
    if (block && (page = block->PageCollectionRefernce())) break;
  }
  if (page) page->ActivateBackupGroup();
  const host::AVRect u = GetUnionRect();
  const std::int64_t dx = std::int64_t{target.left} - u.left;
  const std::int64_t dy = std::int64_t{target.top} - u.top;
  for (const auto& [id, block] : blocks_) {
    if (!block || block->Lock()) continue;
    if (page) page->AddBlockForBackup(*block, 1);
    block->MoveBlock(dx, dy);
  }
  if (page) page->SetUndoBackupGroup();
}

void CMarkupBlocksGroup::MoveGroupByStep(int keyCode) {
  std::int64_t dx = 0;
  std::int64_t dy = 0;
  switch (keyCode) {
    case host::kKeyLeftArrow:
      dx = -1;
      break;
    case host::kKeyRightArrow:
      dx = 1;
      break;
    case host::kKeyUpArrow:
      dy = -1;
      break;
    case host::kKeyDownArrow:
      dy = 1;
      break;
    default:
      break;
  }
  host::AVRect target = GetUnionRect();
  CService::OffsetRect(target, dx, dy);
  MoveGroup(target);
}

void CMarkupBlocksGroup::CopyGroup(const CMarkupBlocksGroup& other) {
  for (const auto& [id, block] : other.blocks_) {
    if (block) AddBlock(block);
  }
}

void CMarkupBlocksGroup::FreeGroup() { blocks_.clear(); }

void CMarkupBlocksGroup::Clear() { blocks_.clear(); }

bool CMarkupBlocksGroup::IsGroupMonoType() const {
  PropertyClass reference = 0;
  for (const auto& [id, block] : blocks_) {
    if (!block) continue;
    const PropertyClass blockClass = block->BlockClass();
    if (reference == 0) {
      reference = blockClass;
    } else if (blockClass != reference) {
      return false;
    }
  }
  return true;
}

bool CompareBlocksByTopLeftPoint(const SortedBlock& a, const SortedBlock& b) {
  if (a.sortMode == kSortByLeft) return a.rect.left < b.rect.left;
  if (a.sortMode == kSortByTop) return a.rect.top < b.rect.top;
  return false;
}
