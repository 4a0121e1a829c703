// What the block tool draws over the page, as the recording front end sees
// the dialog manager's drawer: frames, handles, banners and names, state and
// kind colours, blinking after an undo, and what happens when blocks or the
// page cannot be drawn at the present zoom.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "BlockToolFixture.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/MarkupBlockDraw.h"
#include "blocktool/model/Service.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageView.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace korvid::testing {
namespace {

using viewer::script::DrawOp;
namespace colors = block_colors;

// One block as the drawer received it.
struct DrawnBlock {
  host::RGBColor16 frameColor;
  host::AVRect frame;
  std::vector<host::AVRect> handles;
  host::RGBColor16 bannerColor;
  host::AVRect banner;
  host::AVRect nameBox;
  std::u16string name;
};

// Splits a pass into blocks: colour, frame, handle fills, colour, banner
// fill, white, name.
std::vector<DrawnBlock> Blocks(const std::vector<DrawOp>& ops) {
  std::vector<DrawnBlock> blocks;
  host::RGBColor16 color;
  bool inBanner = false;
  for (const DrawOp& op : ops) {
    switch (op.kind) {
      case DrawOp::Kind::Color:
        color = op.color;
        break;
      case DrawOp::Kind::Frame:
        blocks.push_back({color, op.rect, {}, {}, {}, {}, {}});
        inBanner = false;
        break;
      case DrawOp::Kind::Fill:
        if (blocks.empty()) break;
        if (color == blocks.back().frameColor && !inBanner) {
          blocks.back().handles.push_back(op.rect);
        } else {
          blocks.back().bannerColor = color;
          blocks.back().banner = op.rect;
          inBanner = true;
        }
        break;
      case DrawOp::Kind::Text:
        if (blocks.empty()) break;
        blocks.back().nameBox = op.rect;
        blocks.back().name = op.text;
        break;
    }
  }
  return blocks;
}

class BlockDrawing : public BlockToolTest {
 protected:
  std::vector<DrawnBlock> Paint() {
    Front().PaintNow(View());
    return Blocks(Front().LastPass(View()));
  }
  DrawnBlock PaintOne() {
    const std::vector<DrawnBlock> blocks = Paint();
    EXPECT_EQ(blocks.size(), 1u);
    return blocks.empty() ? DrawnBlock{} : blocks.front();
  }
  int AlertsContaining(const std::string& text) {
    const std::vector<std::string> alerts = Front().AlertTexts();
    return static_cast<int>(std::count_if(alerts.begin(), alerts.end(),
                                          [&](const std::string& a) { return a.find(text) != std::string::npos; }));
  }
  void Choose(const char* item) { Host().ChooseMenuItem(*Host().Menus().FindItem(item)); }
};

TEST_F(BlockDrawing, ATenPixelWideBlockHasOverlappingHandlesAndTheCornerWins) {
  CMarkupBlock& narrow = AddBlock("N", {100, 100, 110, 140});
  Select({&narrow});
  const DrawnBlock drawn = PaintOne();
  EXPECT_EQ(drawn.frame, (host::AVRect{100, 100, 110, 140}));
  EXPECT_EQ(drawn.handles, (std::vector<host::AVRect>{{100, 100, 106, 106},
                                                      {102, 100, 108, 106},  // (L + R - 6) / 2
                                                      {104, 100, 110, 106},
                                                      {104, 117, 110, 123},
                                                      {104, 134, 110, 140},
                                                      {102, 134, 108, 140},
                                                      {100, 134, 106, 140},
                                                      {100, 117, 106, 123}}));
  struct Hit {
    int x, y;
    int position;
  };
  const Hit hits[] = {
      {102, 100, 0},  // on the top-middle handle too, but the top-left one is asked first
      {107, 103, 1},  {109, 105, 2}, {110, 120, 3},  // the right edge is inside
      {110, 110, 8},  {105, 125, 8}, {111, 110, -1}, {99, 120, -1}, {105, 141, -1},
  };
  for (const Hit& hit : hits) EXPECT_EQ(narrow.GetSelectedCursorPos(hit.x, hit.y), hit.position) << hit.x << ", " << hit.y;
}

TEST_F(BlockDrawing, FrameColourFollowsTheSelectionAndBannerColourTheKind) {
  CMarkupBlock& selected = AddBlock("Text", {10, 10, 100, 60}, PropText);
  CMarkupBlock& member = AddBlock("Image", {10, 110, 100, 160}, PropImage);
  AddBlock("PDF", {10, 210, 100, 260}, PropPDF);
  CMarkupBlock& odd = AddBlock("Odd", {10, 310, 100, 360});
  odd.PropertyList()->UpdateProperty("Subtype", "Hologram");
  Select({&selected, &member});

  struct Expected {
    const char* name;
    host::RGBColor16 frame;
    std::size_t handles;
    host::RGBColor16 banner;
  };
  const Expected expected[] = {
      {"Text", colors::kSelectedBlock, 8, colors::kTextBanner},
      {"Image", colors::kInSelection, 8, colors::kImageBanner},
      {"PDF", colors::kUnselected, 0, colors::kPDFBanner},
      {"Odd", colors::kUnselected, 0, colors::kUnknownKindBanner},
  };
  const std::vector<DrawnBlock> drawn = Paint();
  ASSERT_EQ(drawn.size(), 4u);
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(drawn[i].name, host::ASText::FromUTF8(expected[i].name).UTF16());
    EXPECT_EQ(drawn[i].frameColor, expected[i].frame);
    EXPECT_EQ(drawn[i].handles.size(), expected[i].handles);
    EXPECT_EQ(drawn[i].bannerColor, expected[i].banner);
  }
  const std::vector<DrawOp>& ops = Front().LastPass(View());
  const auto white = std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) {
    return op.kind == DrawOp::Kind::Color && op.color == colors::kName;
  });
  EXPECT_NE(white, ops.end()) << "names are white";

  // Put down, the tool draws nothing.
  Host().SetActiveTool(Host().Tools().ByTypeName("Hand"), true);
  EXPECT_TRUE(Paint().empty());
}

TEST_F(BlockDrawing, TheBannerFitsTheNameAndAnEmptyNameLeavesFivePixels) {
  // The recording front end measures 6 pixels a character and 12 a line.
  CMarkupBlock& named = AddBlock("Price", {50, 60, 250, 160});
  CMarkupBlock& empty = AddBlock("", {50, 300, 250, 400});
  Select({&empty});
  const std::vector<DrawnBlock> drawn = Paint();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].banner, (host::AVRect{52, 62, 52 + 30 + 5, 62 + 12 + 2}));
  EXPECT_EQ(drawn[0].nameBox, (host::AVRect{55, 65, 87, 76}));
  EXPECT_EQ(drawn[1].banner, (host::AVRect{52, 302, 57, 316}));
  EXPECT_EQ(drawn[1].banner.right - drawn[1].banner.left, 5);
  EXPECT_TRUE(drawn[1].name.empty());
  EXPECT_EQ(named.BlockName(), "Price");
}

TEST_F(BlockDrawing, AnUndoneChangeOfPropertiesFlashesThreeTimesThenTheFrameIsNormal) {
  CMarkupBlock& block = AddBlock("Before", {100, 100, 300, 200});
  Select({&block});
  viewer::script::ScriptDialogBlock rename;
  rename.dialogName = property_dialog::kName;
  rename.lines = {{0, "set", std::to_string(property_dialog::kNameValue), "After"},
                  {0, "press", std::to_string(property_dialog::kOK), ""}};
  Front().QueueDialog(rename);
  Choose("Zolt:Properties_Markup_Block");
  ASSERT_EQ(block.BlockName(), "After");
  Front().Settle();

  Choose("Zolt:Undo_Markup_Block");  // draws the first pass at once
  std::vector<bool> purple{Blocks(Front().LastPass(View())).at(0).frameColor == colors::kBlinking};
  for (int pass = 2; pass <= 301; ++pass) purple.push_back(PaintOne().frameColor == colors::kBlinking);

  EXPECT_EQ(block.BlockName(), "Before");
  for (std::size_t i = 0; i < purple.size(); ++i) {
    const bool expected = i < 300 && i % 100 < 49;
    ASSERT_EQ(purple[i], expected) << "pass " << i + 1;
  }
  EXPECT_FALSE(block.IsBlinking());
  EXPECT_EQ(PaintOne().frameColor, colors::kSelectedBlock);
  Front().Settle();
  const int passes = Front().NumPasses();
  Front().Settle();
  EXPECT_EQ(Front().NumPasses(), passes) << "a block that no longer blinks asks for no more passes";
}

TEST_F(BlockDrawing, ABlockThatCannotBeDrawnIsReportedOnceAndTheOthersAreStillDrawn) {
  AddBlock("Near", {100, 100, 200, 150});
  AddBlock("Far", {30000, 100, 30100, 150});
  // At this zoom the page fits the device space, the far block does not.
  View().SetZoomFactor(1.0e5);
  Front().Settle();
  for (int i = 0; i < 5; ++i) {
    const std::vector<DrawnBlock> drawn = Paint();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].name, u"Near");
  }
  EXPECT_EQ(AlertsContaining("Draw block name"), 1);
}

TEST_F(BlockDrawing, BeyondTheZoomLimitTheMessageComesOnceAndTheToolIsPutDown) {
  AddBlock("A", {100, 100, 200, 150});
  const std::string message = Service.GetStringByID(1095);
  host::AVMenuItem* toolItem = Host().Menus().FindItem("Zolt:MarkUp_Content");
  ASSERT_NE(toolItem, nullptr);
  ASSERT_TRUE(toolItem->IsEnabled());

  View().SetZoomFactor(1.0e7);
  Front().Settle();
  EXPECT_EQ(AlertsContaining(message), 1);
  EXPECT_TRUE(Paint().empty()) << "nothing is drawn beyond the limit";
  EXPECT_FALSE(toolItem->IsEnabled());
  EXPECT_EQ(Host().Tools().TypeName(Host().Tools().Active()), "Hand") << "the enable rule puts the tool down";

  View().SetZoomFactor(1.0);
  Front().Settle();
  EXPECT_TRUE(toolItem->IsEnabled());
  View().SetZoomFactor(1.0e7);
  Front().Settle();
  EXPECT_EQ(AlertsContaining(message), 1) << "once while the plug-in runs";
}

}  // namespace
}  // namespace korvid::testing
