#include "blocktool/collections/MarkupPageSelectionGroup.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CMarkupSelectionGroup::ArrangeStep {
 public:
  explicit ArrangeStep(CMarkupBlockOwner* page) : page_(page) {
    if (page_) page_->ActivateBackupGroup();
  }
  ~ArrangeStep() {
    if (page_) page_->SetUndoBackupGroup();
  }
  ArrangeStep(const ArrangeStep&) = delete;
  ArrangeStep& operator=(const ArrangeStep&) = delete;

  void Move(CMarkupBlock& block, std::int64_t dx, std::int64_t dy) {
    Record(block);
    block.MoveBlock(dx, dy);
  }
  void Place(CMarkupBlock& block, const host::AVRect& rect) {
    Record(block);
    block.MoveBlock(rect);
  }

 private:
  void Record(CMarkupBlock& block) {
    if (page_) page_->AddBlockForBackup(block, 1);
  }
  CMarkupBlockOwner* page_;
};

namespace {

std::int64_t Sum(host::AVDevCoord a, host::AVDevCoord b) { return std::int64_t{a} + b; }

// Unlocked members other than the reference, in ascending ID order: the
// blocks an arrangement moves. Taken before moving, as moves touch marks.
std::vector<BlockRef> MovableMembers(const CMarkupBlocksGroup& group, const CMarkupBlock* reference) {
  std::vector<BlockRef> members;
  for (const auto& [id, block] : group.Entries()) {
    if (block && block.get() != reference && !block->Lock()) members.push_back(block);
  }
  return members;
}

}  // namespace

CMarkupSelectionGroup::CMarkupSelectionGroup(CMarkupBlockOwner* page) : page_(page) { ClearAll(); }

CMarkupSelectionGroup::~CMarkupSelectionGroup() { CMarkupSelectionGroup::Clear(); }

void CMarkupSelectionGroup::AddBlock(const BlockRef& block) {
  if (!block) return;
  block->SelectedGroup(true);
  CMarkupBlocksGroup::AddBlock(block);
}

void CMarkupSelectionGroup::RemoveBlock(const CMarkupBlock* block) {
  if (!block) return;
  if (CMarkupBlock* member = GetBlock(block->BlockID()); member == block) member->SelectedGroup(false);
  CMarkupBlocksGroup::RemoveBlock(block);
}

void CMarkupSelectionGroup::Clear() { CMarkupBlocksGroup::Clear(); }

CMarkupBlock* CMarkupSelectionGroup::GetSelectedBlock() const {
  for (const auto& [id, block] : Entries()) {
    if (block && block->Selected()) return block.get();
  }
  return nullptr;
}

void CMarkupSelectionGroup::ClearAll() {
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    block->Selected(false);
    block->SelectedGroup(false);
  }
  Clear();
}

bool CMarkupSelectionGroup::BlinkBlock(const BlockRef& block) {
  if (!block) return false;
  if (GetBlock(block->BlockID()) == block.get()) {
    if (block->Selected()) {
      block->Selected(false);
      if (GetSize() > 1) {
        if (CMarkupBlock* next = GetNextValidBlock(block->BlockID(), 1)) next->Selected(true);
      }
    }
    RemoveBlock(block.get());
  } else {
    AddBlock(block);
    if (GetSize() == 1) block->Selected(true);
  }
  return block->SelectedGroup();
}

int CMarkupSelectionGroup::GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) const {
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    if (const int code = block->GetSelectedCursorPos(x, y); code != -1) return code;
  }
  return -1;
}

void CMarkupSelectionGroup::LockChanged() {
  if (page_) page_->Validate(false);
}

void CMarkupSelectionGroup::Lock(bool flag) {
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    block->Lock(flag);
    block->Validate(false);
  }
  if (HasValidBlocks()) LockChanged();
}

void CMarkupSelectionGroup::ReverseLock() {
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    block->Lock(!block->Lock());
    block->Validate(false);
  }
  if (HasValidBlocks()) LockChanged();
}

int CMarkupSelectionGroup::GetLockState() const {
  bool locked = false;
  bool unlocked = false;
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    (block->Lock() ? locked : unlocked) = true;
  }
  if (!locked && !unlocked) return kLockStateEmpty;
  if (locked && unlocked) return kLockStateMixed;
  return locked ? kLockStateLocked : kLockStateUnlocked;
}

void CMarkupSelectionGroup::Align(int mode) {
  CMarkupBlock* reference = GetSelectedBlock();
  if (!reference) return;
  const host::AVRect r = reference->BlockRect();
  ArrangeStep step(page_);
  for (const BlockRef& block : MovableMembers(*this, reference)) {
    const host::AVRect b = block->BlockRect();
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    switch (mode) {
      case kAlignLeft:
        dx = std::int64_t{r.left} - b.left;
        break;
      case kAlignTop:
        dy = std::int64_t{r.top} - b.top;
        break;
      case kAlignRight:
        dx = std::int64_t{r.right} - b.right;
        break;
      case kAlignBottom:
        dy = std::int64_t{r.bottom} - b.bottom;
        break;
      case kAlignVerticalCenters:
        dy = (Sum(r.top, r.bottom) - Sum(b.top, b.bottom)) / 2;
        break;
      case kAlignHorizontalCenters:
        dx = (Sum(r.left, r.right) - Sum(b.left, b.right)) / 2;
        break;
      default:
        return;
    }
    step.Move(*block, dx, dy);
  }
}

void CMarkupSelectionGroup::Resize(int mode) {
  CMarkupBlock* reference = GetSelectedBlock();
  if (!reference) return;
  const host::AVRect r = reference->BlockRect();
  const std::int64_t width = std::int64_t{r.right} - r.left;
  const std::int64_t height = std::int64_t{r.bottom} - r.top;
  const bool useWidth = mode == kSameWidth || mode == kSameSize;
  const bool useHeight = mode == kSameHeight || mode == kSameSize;
  if (!useWidth && !useHeight) return;
  ArrangeStep step(page_);
  for (const BlockRef& block : MovableMembers(*this, reference)) {
    host::AVRect b = block->BlockRect();
    if (useWidth && width != 0) b.right = static_cast<host::AVDevCoord>(b.left + width);
    if (useHeight && height != 0) b.bottom = static_cast<host::AVDevCoord>(b.top + height);
    step.Place(*block, b);
  }
}

void CMarkupSelectionGroup::Center(const host::AVRect& pageRect, int mode) {
  if (mode != kCenterVertically && mode != kCenterHorizontally && mode != kCenterBoth) return;
  const host::AVRect u = GetUnionRect();
  const std::int64_t dx = (Sum(pageRect.left, pageRect.right) - Sum(u.left, u.right)) / 2;
  const std::int64_t dy = (Sum(pageRect.top, pageRect.bottom) - Sum(u.top, u.bottom)) / 2;
  ArrangeStep step(page_);
  for (const BlockRef& block : MovableMembers(*this, nullptr)) {
    step.Move(*block, mode == kCenterVertically ? 0 : dx, mode == kCenterHorizontally ? 0 : dy);
  }
}

void CMarkupSelectionGroup::Distribute(int mode) {
  const bool vertical = mode == kDistributeVertically;
  std::vector<SortedBlock> records;
  for (const auto& [id, block] : Entries()) {
    if (block) records.push_back({id, block->BlockRect(), vertical ? kSortByTop : kSortByLeft});
  }
  const std::int64_t n = static_cast<std::int64_t>(records.size());
  if (n <= 2) return;
  // Stable, so that blocks with equal edges keep ascending ID order.
  std::stable_sort(records.begin(), records.end(), CompareBlocksByTopLeftPoint);
  const auto low = [vertical](const host::AVRect& r) { return vertical ? r.top : r.left; };
  const auto high = [vertical](const host::AVRect& r) { return vertical ? r.bottom : r.right; };
  const host::AVRect& first = records.front().rect;
  const host::AVRect& last = records.back().rect;
  const std::int64_t span = (Sum(low(last), high(last)) - Sum(low(first), high(first))) / 2;
  const std::int64_t stepSize = span / (n - 1);
  const std::int64_t firstCentre = Sum(low(first), high(first)) / 2;
  ArrangeStep step(page_);
  for (std::int64_t i = 1; i < n - 1; ++i) {
    const SortedBlock& record = records[static_cast<std::size_t>(i)];
    const BlockRef block = GetBlockRef(record.blockID);
    if (!block || block->Lock()) continue;
    const std::int64_t size = std::int64_t{high(record.rect)} - low(record.rect);
    const std::int64_t offset = firstCentre + i * stepSize - size / 2 - low(record.rect);
    step.Move(*block, vertical ? 0 : offset, vertical ? offset : 0);
  }
}
