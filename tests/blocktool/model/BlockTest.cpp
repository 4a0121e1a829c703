// Blocks: identity, marks, the Rect property in step with the page
// rectangle, and the list they own.
#include <gtest/gtest.h>

#include "ModelStrings.h"
#include "blocktool/model/MarkupBlock.h"

namespace {

using korvid::testing::ModelStrings;

class NamingPage final : public CMarkupBlockOwner {
 public:
  host::AVPageView* GetPageView() const override { return nullptr; }
  void Validate(bool flag) override { validated = flag; }
  std::string MakeUniqueBlockName(const CMarkupBlock&, std::string_view name, std::string_view separator) override {
    return std::string(name) + std::string(separator) + "1";
  }
  void ActivateBackupGroup() override {}
  void AddBlockForBackup(CMarkupBlock&, int) override {}
  void SetUndoBackupGroup() override {}
  bool validated = true;
};

host::ASFixedRect Fixed(double left, double top, double right, double bottom) {
  return {host::FloatToFixed(left), host::FloatToFixed(top), host::FloatToFixed(right), host::FloatToFixed(bottom)};
}

TEST(Block, IdentityMarksAndLock) {
  ModelStrings strings;
  NamingPage page;
  CMarkupBlock block(&page, "Zolt.block", 12);
  EXPECT_FALSE(page.validated);
  EXPECT_EQ(block.BlockID(), 12);
  EXPECT_EQ(block.BlockName(), "Block_12");
  EXPECT_EQ(block.BlockUnicodeName(), u"Block_12");
  EXPECT_EQ(block.BlockTagPrefix(), "Zolt.block");
  EXPECT_EQ(block.Family(), &block);
  EXPECT_FALSE(block.Selected() || block.SelectedGroup() || block.Deleted() || block.IsBlinking());
  EXPECT_EQ(block.GetLockState(), 2);
  block.Lock(true);
  EXPECT_EQ(block.GetLockState(), 1);
  EXPECT_EQ(block.GetPropertyList()->GetProperty("Locked")->TagValue(), "true");
  block.BlockID(30);
  EXPECT_EQ(block.GetPropertyList()->GetProperty("ID")->TagValue(), "30");
  block.EnsureUniqBlockName("_");
  EXPECT_EQ(block.BlockName(), "Block_12_1");
  block.Blink(3);
  EXPECT_TRUE(block.IsBlinking());

  CMarkupBlock copy(&page, 31, block);
  EXPECT_EQ(copy.BlockID(), 31);
  EXPECT_EQ(copy.BlockName(), "Block_12_1");
  EXPECT_EQ(copy.GetLockState(), 1);
  EXPECT_NE(copy.GetPropertyList(), block.GetPropertyList());

  auto replacement = std::make_unique<CMarkupBlockProperties>(99);
  CMarkupBlockProperties* fresh = replacement.get();
  std::unique_ptr<CMarkupBlockProperties> old = block.PropertyList(std::move(replacement));
  EXPECT_EQ(block.PropertyList(), fresh);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(block.PropertyList(nullptr), nullptr);
  EXPECT_EQ(block.PropertyList(), fresh);
}

TEST(Block, RectFollowsThePageRectangleWithoutDrift) {
  ModelStrings strings;
  CMarkupBlock block(nullptr, "Zolt.block", 1);
  CMarkupProperties& rect = *block.GetPropertyList()->GetProperty("Rect");
  block.BlockRectFx(Fixed(10.25, 70, 110, 20));
  block.UpdateBlockCoordiantesProperty();
  EXPECT_EQ(rect.TagValue(), "10.25 20 110 70");
  EXPECT_TRUE(rect.Invalidated());
  // Within half a point the stored numbers stay.
  block.BlockRectFx(Fixed(10.6, 69.6, 110.4, 20.3));
  block.UpdateBlockCoordiantesProperty();
  EXPECT_EQ(rect.TagValue(), "10.25 20 110 70");
  block.BlockRectFx(Fixed(12, 70, 110, 20));
  block.UpdateBlockCoordiantesProperty();
  EXPECT_EQ(rect.TagValue(), "12 20 110 70");

  rect.TagValue("10 20 110 70");
  block.FitToZoom();
  EXPECT_EQ(block.BlockRectFx(), Fixed(10, 70, 110, 20));
  for (const char* ignored : {"1 2 3", "1e9 0 0 0", "a b c d"}) {
    rect.TagValue(ignored);
    block.FitToZoom();
    EXPECT_EQ(block.BlockRectFx(), Fixed(10, 70, 110, 20)) << ignored;
  }
}

TEST(Block, CommaSeparatorInRect) {
  ModelStrings strings(',');
  CMarkupBlock block(nullptr, "Zolt.block", 1);
  block.BlockRectFx(Fixed(2.5, 70, 110.75, 20));
  block.UpdateBlockCoordiantesProperty();
  EXPECT_EQ(block.GetPropertyList()->GetProperty("Rect")->TagValue(), "2,50 20 110,75 70");
  block.FitToZoom();
  EXPECT_EQ(block.BlockRectFx(), Fixed(2.5, 70, 110.75, 20));
}

}  // namespace
