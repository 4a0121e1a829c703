// Blocks groups: kept slots, walks with wrap-around, geometry and moves, and
// the service's rectangle helpers with their tolerances.
#include <gtest/gtest.h>

#include <climits>

#include "blocktool/collections/MarkupBlocksGroup.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/ModelStrings.h"

namespace {

using korvid::testing::ModelStrings;

// Records what a move asks of the page's undo history.
class RecordingPage final : public CMarkupBlockOwner {
 public:
  host::AVPageView* GetPageView() const override { return nullptr; }
  void Validate(bool) override {}
  std::string MakeUniqueBlockName(const CMarkupBlock&, std::string_view name, std::string_view) override {
    return std::string(name);
  }
  void ActivateBackupGroup() override { ++steps; }
  void AddBlockForBackup(CMarkupBlock& block, int action) override {
    recorded.push_back(block.BlockID() * 10 + action);
  }
  void SetUndoBackupGroup() override { ++closed; }
  int steps = 0;
  int closed = 0;
  std::vector<int> recorded;
};

class GroupTest : public ::testing::Test {
 protected:
  BlockRef Block(int id, host::AVRect rect = {}) {
    auto block = std::make_shared<CMarkupBlock>(&page_, "Zolt.block", id);
    block->SetDeviceRect(rect);
    return block;
  }
  ModelStrings strings_;
  RecordingPage page_;
};

TEST_F(GroupTest, KeptSlots) {
  CMarkupBlocksGroup group;
  BlockRef a = Block(3), b = Block(7), kept = Block(5), other = Block(3);
  group.AddBlock(a);
  group.AddBlock(kept);
  group.AddBlock(b);
  group.AddBlock(other);  // an ID already present keeps its block
  group.AddBlock(nullptr);
  EXPECT_EQ(group.GetBlock(3), a.get());
  group.RemoveAndKeepBlock(kept.get());
  EXPECT_TRUE(group.IsBlockInGroup(5));
  EXPECT_EQ(group.GetSize(), 3);
  EXPECT_EQ(group.GetBlock(5), nullptr);
  EXPECT_EQ(group.GetNthBlock(2), b.get());  // kept slots count here...
  EXPECT_EQ(group.GetNthBlock(1), nullptr);
  EXPECT_EQ(group.GetNthBlock(3), nullptr);
  EXPECT_EQ(group.GetNthBlock(-1), nullptr);
  EXPECT_EQ(group.GetBlockNumber(b.get()), 1);  // ...and not here
  EXPECT_EQ(group.GetBlockNumber(kept.get()), -1);
  group.InsertBlock(kept, 0);
  EXPECT_EQ(group.GetBlock(5), kept.get());
  group.InsertBlock(Block(6), 0);  // never present: nothing
  EXPECT_FALSE(group.IsBlockInGroup(6));
  group.RemoveBlock(a.get());
  group.RemoveBlock(b.get());
  group.RemoveAndKeepBlock(kept.get());
  EXPECT_FALSE(group.HasValidBlocks());
  EXPECT_EQ(group.GetSize(), 1);
  EXPECT_EQ(group.GetMinID(), 5);
  group.Clear();
  EXPECT_EQ(group.GetMinID(), 0x7FFFFFFF);
  EXPECT_EQ(group.GetMaxID(), -1);
  group.AddBlock(Block(-4));
  EXPECT_EQ(group.GetMaxID(), -1);
}

TEST_F(GroupTest, NextValidBlockWrapsAround) {
  const struct {
    std::vector<int> ids;
    std::vector<int> kept;
    int from, step, answer;  // 0: none
  } cases[] = {
      {{2, 4, 9}, {}, 9, 1, 2},       {{2, 4, 9}, {}, 2, -1, 9},    {{2, 4, 9}, {}, 2, 3, 9},
      {{2, 4, 9}, {}, 4, 1, 9},       {{2, 4, 9}, {}, 4, -1, 2},    {{2, 4, 9}, {}, 2, 0, 2},
      {{2, 4, 9}, {}, 5, 1, 0},       {{2, 4, 9}, {}, 2, 20, 0},    {{2}, {}, 2, 1, 0},
      {{2, 4, 9}, {4}, 2, 1, 9},      {{2, 4, 9}, {4}, 9, -3, 2},   {{2, 4}, {4}, 2, 1, 0},
      {{2, 4}, {2, 4}, 2, 1, 0},      {{1, 2000000000}, {}, 1, 1, 2000000000},
      {{1, 2000000000}, {}, 2000000000, 1, 1},  {{5, INT_MAX}, {}, INT_MAX, 1, 5},
      {{INT_MIN, 5}, {}, INT_MIN, -1, 5},
  };
  for (const auto& c : cases) {
    CMarkupBlocksGroup group;
    std::vector<BlockRef> blocks;
    for (int id : c.ids) {
      blocks.push_back(Block(id));
      group.AddBlock(blocks.back());
    }
    for (int id : c.kept) group.RemoveAndKeepBlock(group.GetBlock(id));
    const CMarkupBlock* next = group.GetNextValidBlock(c.from, c.step);
    EXPECT_EQ(next ? next->BlockID() : 0, c.answer) << "from " << c.from << " step " << c.step;
  }
}

TEST_F(GroupTest, UnionRectangleAndMoves) {
  CMarkupBlocksGroup group;
  EXPECT_EQ(group.GetUnionRect(), (host::AVRect{32767, 32767, 0, 0}));
  BlockRef negative = Block(1, {-20, -10, -5, -2});
  group.AddBlock(negative);
  EXPECT_EQ(group.GetUnionRect(), (host::AVRect{-20, -10, 0, 0}));
  group.Clear();

  BlockRef a = Block(1, {10, 10, 50, 30}), b = Block(2, {40, 20, 90, 60}), locked = Block(3, {0, 100, 10, 110});
  locked->Lock(true);
  group.AddBlock(a);
  group.AddBlock(b);
  group.AddBlock(locked);
  EXPECT_EQ(group.GetUnionRect(), (host::AVRect{0, 10, 90, 110}));
  group.MoveGroup({100, 200, 0, 0});
  EXPECT_EQ(a->StoredBlockRect(), (host::AVRect{110, 200, 150, 220}));
  EXPECT_EQ(b->StoredBlockRect(), (host::AVRect{140, 210, 190, 250}));
  EXPECT_EQ(locked->StoredBlockRect(), (host::AVRect{0, 100, 10, 110}));
  EXPECT_EQ(page_.recorded, (std::vector<int>{11, 21}));
  EXPECT_EQ(page_.steps, 1);
  EXPECT_EQ(page_.closed, 1);

  const struct {
    int key, dx, dy;
  } nudges[] = {{28, -1, 0}, {29, 1, 0}, {30, 0, -1}, {31, 0, 1}, {32, 0, 0}};
  for (const auto& n : nudges) {
    const host::AVRect before = a->StoredBlockRect();
    group.MoveGroupByStep(n.key);
    EXPECT_EQ(a->StoredBlockRect().left, before.left + n.dx) << n.key;
    EXPECT_EQ(a->StoredBlockRect().top, before.top + n.dy) << n.key;
  }
  EXPECT_EQ(page_.steps, 6);  // every nudge is its own step

  CMarkupBlocksGroup lockedOnly;
  lockedOnly.AddBlock(locked);
  page_.recorded.clear();
  lockedOnly.MoveGroup({500, 500, 0, 0});
  EXPECT_TRUE(page_.recorded.empty());
  EXPECT_EQ(locked->StoredBlockRect(), (host::AVRect{0, 100, 10, 110}));
}

class CountingGroup : public CMarkupBlocksGroup {
 public:
  void AddBlock(const BlockRef& block) override {
    ++added;
    CMarkupBlocksGroup::AddBlock(block);
  }
  int added = 0;
};

TEST_F(GroupTest, CopyFreeAndMonoType) {
  CMarkupBlocksGroup source;
  BlockRef text = Block(1), image = Block(2), gone = Block(3);
  image->GetPropertyList()->PropertyListClass(PropImage);
  source.AddBlock(text);
  source.AddBlock(image);
  source.AddBlock(gone);
  source.RemoveAndKeepBlock(gone.get());
  CountingGroup copy;
  copy.CopyGroup(source);  // through the subclass's AddBlock, kept slots skipped
  EXPECT_EQ(copy.added, 2);
  EXPECT_FALSE(copy.IsGroupMonoType());
  copy.RemoveBlock(image.get());
  EXPECT_TRUE(copy.IsGroupMonoType());
  EXPECT_TRUE(CMarkupBlocksGroup().IsGroupMonoType());

  std::weak_ptr<CMarkupBlock> watch = text;
  text.reset();
  source.FreeGroup();
  EXPECT_FALSE(watch.expired());  // another group still refers to it
  copy.FreeGroup();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(source.GetSize(), 0);
}

TEST(SortedBlocks, CompareByTopOrLeft) {
  const SortedBlock byTop{1, {50, 10, 0, 0}, kSortByTop}, lower{2, {0, 20, 0, 0}, kSortByTop};
  const SortedBlock byLeft{1, {50, 10, 0, 0}, kSortByLeft}, right{2, {60, 0, 0, 0}, kSortByLeft};
  const SortedBlock unknown{1, {0, 0, 0, 0}, 7}, other{2, {9, 9, 0, 0}, 7};
  EXPECT_TRUE(CompareBlocksByTopLeftPoint(byTop, lower));
  EXPECT_FALSE(CompareBlocksByTopLeftPoint(lower, byTop));
  EXPECT_FALSE(CompareBlocksByTopLeftPoint(byTop, byTop));
  EXPECT_TRUE(CompareBlocksByTopLeftPoint(byLeft, right));
  EXPECT_FALSE(CompareBlocksByTopLeftPoint(unknown, other));
  EXPECT_FALSE(CompareBlocksByTopLeftPoint(other, unknown));
}

TEST(RectHelpers, TolerancesAndSwappedEdges) {
  const host::AVRect swapped{10, 10, 0, 0};
  EXPECT_TRUE(CService::PointInRect(swapped, 5, 5));
  EXPECT_TRUE(CService::PointInRect(swapped, 0, 10));
  EXPECT_FALSE(CService::PointInRect(swapped, 11, 5));
  const host::AVRect r{0, 0, 100, 50};
  EXPECT_TRUE(CService::EqualRect(r, {2, -2, 102, 48}, 2));
  EXPECT_FALSE(CService::EqualRect(r, {3, 0, 100, 50}, 2));
  EXPECT_TRUE(CService::EqualRect(r, r, 0));
  const struct {
    host::AVRect other;
    int tolerance;
    bool overlaps;
  } overlaps[] = {{{100, 0, 150, 50}, 0, true},   {{101, 0, 150, 50}, 0, false}, {{101, 0, 150, 50}, 1, true},
                  {{96, 0, 150, 50}, -5, false},  {{95, 0, 150, 50}, -5, true},  {{0, 51, 100, 90}, 1, true}};
  for (const auto& c : overlaps) EXPECT_EQ(CService::RectOverlaps(r, c.other, c.tolerance), c.overlaps);
  EXPECT_TRUE(CService::RectInside(r, {0, 0, 100, 50}, 0));
  EXPECT_FALSE(CService::RectInside(r, {-3, 0, 100, 50}, 0));
  EXPECT_TRUE(CService::RectInside(r, {-3, -5, 105, 55}, 5));
  EXPECT_EQ(CService::UnionRect(r, {-5, 10, 20, 80}), (host::AVRect{-5, 0, 100, 80}));
  host::AVRect far{INT_MAX - 1, 0, INT_MAX, 1};
  CService::OffsetRect(far, 10, -1);  // saturates instead of wrapping
  EXPECT_EQ(far, (host::AVRect{INT_MAX, -1, INT_MAX, 0}));
  EXPECT_TRUE(CService::EqualRect({INT_MIN, 0, 0, 0}, {INT_MAX, 0, 0, 0}, INT_MAX) == false);
}

}  // namespace
