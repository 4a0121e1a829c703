// The selection of a page: arrangement with its reference-block rules,
// toggling, locking; each arrangement one undo step.
#include <gtest/gtest.h>

#include "blocktool/collections/BlockPages.h"

namespace {

using korvid::testing::BlockPages;
using korvid::testing::WriteBlankPdf;

class Selection : public ::testing::Test {
 protected:
  Selection() {
    WriteBlankPdf(pages_.File("in.pdf"), 1);
    doc_ = &pages_.Open(pages_.File("in.pdf"));
    page_ = pages_.Page(*doc_, 0);
  }
  // A member of the selection at a device rectangle.
  BlockRef Member(const host::AVRect& rect, bool selected = false, bool locked = false) {
    BlockRef block = pages_.NewBlock(*page_, rect);
    page_->SelectedGroup().AddBlock(block);
    block->Selected(selected);
    block->Lock(locked);
    return block;
  }
  std::size_t Steps() const { return page_->GetBackupCollection()->UndoSize(); }

  BlockPages pages_;
  viewer::Document* doc_ = nullptr;
  CMarkupPageCollection* page_ = nullptr;
};

TEST_F(Selection, AlignAndSizeFollowTheSelectedBlock) {
  const host::AVRect reference{100, 100, 200, 150};
  const host::AVRect member{40, 20, 80, 40};
  const struct {
    int mode;
    host::AVRect expected;
  } cases[] = {
      {kAlignLeft, {100, 20, 140, 40}},
      {kAlignTop, {40, 100, 80, 120}},
      {kAlignRight, {160, 20, 200, 40}},
      {kAlignBottom, {40, 130, 80, 150}},
      {kAlignVerticalCenters, {40, 115, 80, 135}},
      {kAlignHorizontalCenters, {130, 20, 170, 40}},
      {kSameHeight, {40, 20, 80, 70}},
      {kSameWidth, {40, 20, 140, 40}},
      {kSameSize, {40, 20, 140, 70}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    page_->SelectedGroup().ClearAll();
    BlockRef selected = Member(reference, true);
    BlockRef moved = Member(member);
    BlockRef locked = Member(member, false, true);
    const std::size_t before = Steps();
    if (c.mode >= kSameHeight) {
      page_->SelectedGroup().Resize(c.mode);
    } else {
      page_->SelectedGroup().Align(c.mode);
    }
    EXPECT_EQ(moved->BlockRect(), c.expected);
    EXPECT_EQ(locked->BlockRect(), member);
    EXPECT_EQ(selected->BlockRect(), reference);
    EXPECT_EQ(Steps(), before + 1);
    // One undo puts it back.
    page_->RestoreLastBackup();
    EXPECT_EQ(moved->BlockRect(), member);
  }
}

TEST_F(Selection, EdgeCasesOfAlignAndSize) {
  // Vertical centres: ((10 + 21) - (0 + 4)) / 2 = 13.
  BlockRef reference = Member({0, 10, 10, 21}, true);
  BlockRef other = Member({20, 0, 30, 4});
  page_->SelectedGroup().Align(kAlignVerticalCenters);
  EXPECT_EQ(other->BlockRect(), (host::AVRect{20, 13, 30, 17}));
  // A reference without width changes no width.
  page_->SelectedGroup().ClearAll();
  BlockRef thin = Member({50, 50, 50, 80}, true);
  BlockRef wide = Member({100, 50, 160, 70});
  page_->SelectedGroup().Resize(kSameWidth);
  EXPECT_EQ(wide->BlockRect(), (host::AVRect{100, 50, 160, 70}));
  // Without a selected block nothing happens and no step is recorded.
  thin->Selected(false);
  const std::size_t before = Steps();
  page_->SelectedGroup().Align(kAlignLeft);
  page_->SelectedGroup().Resize(kSameSize);
  EXPECT_EQ(wide->BlockRect(), (host::AVRect{100, 50, 160, 70}));
  EXPECT_EQ(Steps(), before);
}

TEST_F(Selection, DistributeSpreadsTheInnerCentresEvenly) {
  BlockRef first = Member({0, 0, 10, 10});
  BlockRef middle = Member({15, 0, 25, 10});
  BlockRef last = Member({100, 0, 110, 10});
  page_->SelectedGroup().Distribute(kDistributeHorizontally);
  // span (210 - 10) / 2 = 100, step 50, first centre 5: left 5 + 50 - 5.
  EXPECT_EQ(middle->BlockRect(), (host::AVRect{50, 0, 60, 10}));
  EXPECT_EQ(first->BlockRect(), (host::AVRect{0, 0, 10, 10}));
  EXPECT_EQ(last->BlockRect(), (host::AVRect{100, 0, 110, 10}));
  // Vertically, with a locked inner block left where it is while the
  // others are spaced as if it had moved.
  page_->SelectedGroup().ClearAll();
  BlockRef top = Member({200, 0, 210, 10});
  BlockRef lockedInner = Member({200, 20, 210, 30}, false, true);
  BlockRef inner = Member({200, 35, 210, 45});
  BlockRef bottom = Member({200, 300, 210, 310});
  page_->SelectedGroup().Distribute(kDistributeVertically);
  EXPECT_EQ(lockedInner->BlockRect(), (host::AVRect{200, 20, 210, 30}));
  // span 300, step 100: the second inner centre at 205.
  EXPECT_EQ(inner->BlockRect(), (host::AVRect{200, 200, 210, 210}));
  // Two members: nothing, no step.
  page_->SelectedGroup().ClearAll();
  Member({0, 400, 10, 410});
  BlockRef alone = Member({50, 400, 60, 410});
  const std::size_t before = Steps();
  page_->SelectedGroup().Distribute(kDistributeHorizontally);
  EXPECT_EQ(Steps(), before);
  EXPECT_EQ(alone->BlockRect(), (host::AVRect{50, 400, 60, 410}));
}

TEST_F(Selection, CentringMovesTheUnionAndKeepsTheArrangement) {
  BlockRef a = Member({10, 10, 20, 20});
  BlockRef b = Member({20, 20, 30, 30});
  BlockRef locked = Member({15, 15, 25, 25}, false, true);
  const host::AVRect page{0, 0, 101, 101};
  page_->SelectedGroup().Center(page, kCenterBoth);
  // (101 - 40) / 2 truncates to 30.
  EXPECT_EQ(a->BlockRect(), (host::AVRect{40, 40, 50, 50}));
  EXPECT_EQ(b->BlockRect(), (host::AVRect{50, 50, 60, 60}));
  EXPECT_EQ(locked->BlockRect(), (host::AVRect{15, 15, 25, 25}));
  page_->SelectedGroup().Center(page, kCenterHorizontally);
  EXPECT_EQ(a->BlockRect().top, 40);
}

TEST_F(Selection, ShiftClickTogglesAndPassesTheSelectedMarkOn) {
  CMarkupSelectionGroup& selection = page_->SelectedGroup();
  BlockRef one = pages_.NewBlock(*page_, {0, 0, 10, 10});
  BlockRef two = pages_.NewBlock(*page_, {20, 0, 30, 10});
  BlockRef three = pages_.NewBlock(*page_, {40, 0, 50, 10});
  EXPECT_TRUE(selection.BlinkBlock(one));
  EXPECT_TRUE(one->Selected());  // alone, it is the selected block
  EXPECT_TRUE(selection.BlinkBlock(two));
  EXPECT_TRUE(selection.BlinkBlock(three));
  EXPECT_FALSE(two->Selected());
  // The selected block leaves: the next higher ID takes the mark...
  EXPECT_FALSE(selection.BlinkBlock(one));
  EXPECT_EQ(selection.GetSelectedBlock(), two.get());
  EXPECT_FALSE(one->SelectedGroup());
  // ...or, from the highest, the lowest.
  two->Selected(false);
  three->Selected(true);
  selection.BlinkBlock(one);
  EXPECT_FALSE(selection.BlinkBlock(three));
  EXPECT_EQ(selection.GetSelectedBlock(), one.get());
  EXPECT_FALSE(selection.BlinkBlock(nullptr));
}

TEST_F(Selection, LockingIsNoUndoStepAndTheLockStateSumsUp) {
  CMarkupSelectionGroup& selection = page_->SelectedGroup();
  EXPECT_EQ(selection.GetLockState(), kLockStateEmpty);
  BlockRef a = Member({0, 0, 10, 10});
  BlockRef b = Member({20, 0, 60, 40}, false, true);
  EXPECT_EQ(selection.GetLockState(), kLockStateMixed);
  page_->UpdateFamilies();
  ASSERT_TRUE(page_->Validate());
  selection.ReverseLock();
  EXPECT_TRUE(a->Lock());
  EXPECT_FALSE(b->Lock());
  EXPECT_FALSE(page_->Validate());
  selection.Lock(true);
  EXPECT_EQ(selection.GetLockState(), kLockStateLocked);
  selection.Lock(false);
  EXPECT_EQ(selection.GetLockState(), kLockStateUnlocked);
  EXPECT_FALSE(page_->GetBackupCollection()->EnableUndo());
  // Selected and unselected members answer for their handles.
  EXPECT_EQ(selection.GetSelectedCursorPos(40, 20), 8);
  EXPECT_EQ(selection.GetSelectedCursorPos(0, 0), 0);
  EXPECT_EQ(selection.GetSelectedCursorPos(15, 5), -1);
}

}  // namespace
