// Undo and redo of a page: existence, geometry and property steps swap with
// the present state; 99 steps; deleted blocks live as long as a step can
// bring them back.
#include <gtest/gtest.h>

#include "blocktool/collections/BlockPages.h"
#include "blocktool/model/Service.h"
#include "viewer/core/PageView.h"

namespace {

using korvid::testing::BlockPages;
using korvid::testing::BlocksByName;
using korvid::testing::SetValue;
using korvid::testing::Value;
using korvid::testing::WriteBlankPdf;

class Undo : public ::testing::Test {
 protected:
  Undo() {
    WriteBlankPdf(pages_.File("in.pdf"), 1);
    doc_ = &pages_.Open(pages_.File("in.pdf"));
    page_ = pages_.Page(*doc_, 0);
  }
  // A block drawn as the tool draws one: its creation is one step.
  BlockRef Drawn(const host::AVRect& rect) {
    BlockRef block = pages_.NewBlock(*page_, rect);
    page_->SetUndoBackupGroup(*block, kBackupExistence);
    return block;
  }
  // A move of one block, as dragging it: one step.
  void Move(CMarkupBlock& block, int dx, int dy) {
    page_->SetUndoBackupGroup(block, kBackupGeometry);
    block.MoveBlock(dx, dy);
  }
  CMarkupBackupCollection& History() { return *page_->GetBackupCollection(); }

  BlockPages pages_;
  viewer::Document* doc_ = nullptr;
  CMarkupPageCollection* page_ = nullptr;
};

TEST_F(Undo, DeletingASelectionComesBackWholeAndUnselected) {
  std::vector<BlockRef> blocks;
  for (int i = 0; i < 3; ++i) blocks.push_back(Drawn({10 + 50 * i, 10, 40 + 50 * i, 40}));
  BlockRef locked = Drawn({300, 10, 340, 40});
  locked->Lock(true);
  page_->SelectAll();
  blocks[0]->Selected(true);
  page_->DeleteSelectedGroup();
  EXPECT_EQ(page_->GetBlock(blocks[1]->BlockID()), nullptr);
  EXPECT_EQ(page_->GetBlock(locked->BlockID()), locked.get());  // locked ones stay, deselected
  EXPECT_FALSE(locked->SelectedGroup());
  EXPECT_EQ(page_->SelectedGroup().GetSize(), 0);

  page_->RestoreLastBackup();
  for (const BlockRef& block : blocks) {
    EXPECT_EQ(page_->GetBlock(block->BlockID()), block.get());
    EXPECT_FALSE(block->Selected() || block->SelectedGroup() || block->Deleted());
  }
  EXPECT_EQ(blocks[2]->BlockRect(), (host::AVRect{110, 10, 140, 40}));
  page_->RedoLastBackup();
  for (const BlockRef& block : blocks) EXPECT_EQ(page_->GetBlock(block->BlockID()), nullptr);
  EXPECT_FALSE(page_->Validate());
}

TEST_F(Undo, UndoingADuplicationRemovesTheCopiesAndRedoNamesThemUniquely) {
  BlockRef source = Drawn({10, 10, 60, 40});
  SetValue(*source, "Name", "Price");
  page_->SelectedGroup().AddBlock(source);
  source->Selected(true);
  page_->DuplicateSelectedGroup(0, 0);
  ASSERT_EQ(BlocksByName(*page_).count("Price.1"), 1u);
  CMarkupBlock* copy = BlocksByName(*page_).at("Price.1");
  page_->RestoreLastBackup();
  EXPECT_EQ(BlocksByName(*page_).size(), 1u);
  // Meanwhile another block took the copy's name.
  BlockRef other = Drawn({100, 100, 150, 150});
  SetValue(*other, "Name", "Price.1");
  page_->RedoLastBackup();
  EXPECT_EQ(page_->GetBlock(copy->BlockID()), copy);
  EXPECT_EQ(copy->BlockName(), "Price.1.1");
  EXPECT_FALSE(copy->Selected());
}

TEST_F(Undo, NinetyNineStepsAreKept) {
  BlockRef block = Drawn({10, 10, 30, 30});
  for (int i = 0; i < 120; ++i) Move(*block, 1, 0);
  int undone = 0;
  while (History().EnableUndo()) {
    page_->RestoreLastBackup();
    ++undone;
  }
  EXPECT_EQ(undone, 99);
  EXPECT_EQ(block->BlockRect(), (host::AVRect{31, 10, 51, 30}));
}

TEST_F(Undo, AnUndoneDeletionComesBackEvenAfterOlderStepsWereDropped) {
  BlockRef block = Drawn({10, 10, 30, 30});
  const int id = block->BlockID();
  page_->SelectedGroup().AddBlock(block);
  page_->DeleteSelectedGroup();
  block.reset();
  BlockRef other = Drawn({100, 100, 120, 120});
  // The creation step falls off; the deletion step stays within reach.
  for (int i = 0; i < 97; ++i) Move(*other, 1, 0);
  ASSERT_EQ(History().UndoSize(), 99u);
  for (int i = 0; i < 99; ++i) page_->RestoreLastBackup();
  ASSERT_NE(page_->GetBlock(id), nullptr);
  EXPECT_EQ(page_->GetBlock(id)->BlockRect(), (host::AVRect{10, 10, 30, 30}));
  // Redo reaches the block as well, again and again.
  for (int i = 0; i < 3; ++i) {
    page_->RedoLastBackup();
    EXPECT_EQ(page_->GetBlock(id), nullptr);
    page_->RestoreLastBackup();
    EXPECT_NE(page_->GetBlock(id), nullptr);
  }
}

TEST_F(Undo, GeometryIsRestoredOnThePageWhateverTheZoom) {
  BlockRef block = Drawn({100, 100, 200, 150});
  const host::ASFixedRect before = block->BlockRectFx();
  Move(*block, 30, -20);
  doc_->View().SetZoomFactor(2.0);
  pages_.Harness().Settle();
  page_->RestoreLastBackup();
  EXPECT_EQ(block->BlockRectFx(), before);
  EXPECT_EQ(block->BlockRect(), (host::AVRect{200, 200, 400, 300}));
  EXPECT_EQ(Value(*block, "Rect"), "100 642 200 692");
}

TEST_F(Undo, RedoAfterANewMoveAppliesOnTopOfIt) {
  BlockRef block = Drawn({0, 0, 10, 10});
  Move(*block, 5, 0);
  page_->RestoreLastBackup();
  Move(*block, 0, 7);
  ASSERT_TRUE(History().EnableRedo());  // a new step does not clear redo
  page_->RedoLastBackup();
  EXPECT_EQ(block->BlockRect(), (host::AVRect{5, 0, 15, 10}));
}

TEST_F(Undo, AnArrangementThatMovesNothingIsNoStep) {
  BlockRef a = Drawn({0, 0, 10, 10});
  BlockRef b = Drawn({50, 50, 60, 60});
  Move(*a, 3, 0);
  for (const BlockRef& block : {a, b}) {
    page_->SelectedGroup().AddBlock(block);
    block->Lock(true);
  }
  a->Selected(true);
  const std::size_t before = History().UndoSize();
  page_->SelectedGroup().Align(kAlignLeft);
  EXPECT_EQ(History().UndoSize(), before);
  page_->RestoreLastBackup();
  EXPECT_EQ(a->BlockRect(), (host::AVRect{0, 0, 10, 10}));
}

TEST_F(Undo, EveryArrangementUndoesAndRedoes) {
  BlockRef reference = Drawn({100, 100, 200, 150});
  BlockRef a = Drawn({10, 10, 40, 30});
  BlockRef b = Drawn({300, 200, 320, 260});
  for (const BlockRef& block : {reference, a, b}) page_->SelectedGroup().AddBlock(block);
  reference->Selected(true);
  const host::AVRect page{0, 0, 612, 792};
  for (int mode = kAlignLeft; mode <= kSameSize; ++mode) {
    SCOPED_TRACE(mode);
    const host::AVRect beforeA = a->BlockRect();
    const host::AVRect beforeB = b->BlockRect();
    CMarkupSelectionGroup& selection = page_->SelectedGroup();
    if (mode <= kAlignHorizontalCenters) selection.Align(mode);
    if (mode >= kCenterVertically && mode <= kCenterBoth) selection.Center(page, mode);
    if (mode == kDistributeVertically || mode == kDistributeHorizontally) selection.Distribute(mode);
    if (mode >= kSameHeight) selection.Resize(mode);
    const host::AVRect afterA = a->BlockRect();
    const host::AVRect afterB = b->BlockRect();
    page_->RestoreLastBackup();
    EXPECT_EQ(a->BlockRect(), beforeA);
    EXPECT_EQ(b->BlockRect(), beforeB);
    page_->RedoLastBackup();
    EXPECT_EQ(a->BlockRect(), afterA);
    EXPECT_EQ(b->BlockRect(), afterB);
  }
}

TEST_F(Undo, APropertyStepRestoresTheWholeListAndBlinks) {
  BlockRef block = Drawn({10, 10, 110, 60});
  page_->SetUndoBackupGroup(*block, kBackupProperties);
  SetValue(*block, "fontsize", "30");
  SetValue(*block, "Description", "changed");
  SetValue(*block, "Rect", "20 700 120 750");
  block->FitToZoom();
  page_->RestoreLastBackup();
  EXPECT_EQ(Value(*block, "fontsize"), "12");
  EXPECT_EQ(Value(*block, "Description"), "");
  EXPECT_EQ(block->BlockRect(), (host::AVRect{10, 10, 110, 60}));
  EXPECT_EQ(block->Blink(), 3);
  page_->RedoLastBackup();
  EXPECT_EQ(Value(*block, "fontsize"), "30");
  EXPECT_EQ(block->BlockRect(), (host::AVRect{20, 42, 120, 92}));
}

TEST_F(Undo, AnUndoneCreationLeavesTheSelection) {
  BlockRef block = Drawn({10, 10, 30, 30});
  page_->SelectedGroup().AddBlock(block);
  block->Selected(true);
  page_->RestoreLastBackup();
  EXPECT_EQ(page_->SelectedGroup().GetSize(), 0);
  EXPECT_EQ(page_->GetSelectedBlock(), nullptr);
  EXPECT_TRUE(block->Deleted());
}

}  // namespace
