// The block tool driven as a person drives it: clicks, drags, modifier keys
// at press and at release, keys, the right-click menu. Every run ends with
// the document saved and read back in a fresh viewer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BlockToolFixture.h"
#include "blocktool/host/MarkupContentInitRClickMenu.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/MarkupContentTool.h"
#include "viewer/script/ScriptDialogBlock.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageView.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "blocktool/collections/MarkupCollection.h"

namespace korvid::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr int kShift = host::kModifierShift;
constexpr int kOption = host::kModifierOption;

constexpr host::AVRect kRectA{100, 100, 200, 150};
constexpr host::AVRect kRectB{300, 100, 400, 150};
constexpr host::AVRect kRectC{100, 300, 200, 350};

host::AVRect Moved(host::AVRect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

using BlockToolClicks = BlockToolTest;

TEST_F(BlockToolClicks, AClickOnEmptySpaceClearsTheSelectionAndCreatesNothing) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  Select({&a});
  const int lastID = Page().BlockID();
  Click(400, 400);
  EXPECT_THAT(SelectedNames(), IsEmpty());
  EXPECT_THAT(Names(), ElementsAre("A"));
  EXPECT_EQ(Page().BlockID(), lastID);
  EXPECT_EQ(Printed("dialog: Zolt:Properties"), 0);
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(1));
}

TEST_F(BlockToolClicks, ADraggedRectangleMakesABlockOnlyWhenBothSidesExceedTwoPixels) {
  struct Case {
    host::AVRect dragged;
    bool creates;
  };
  const Case cases[] = {
      {{300, 300, 303, 303}, true},   // 3 x 3
      {{300, 400, 310, 402}, false},  // 10 x 2
      {{300, 500, 302, 510}, false},  // 2 x 10
      {{250, 650, 200, 600}, true},   // dragged up and to the left
  };
  int created = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dragged.left << " " << c.dragged.top << " " << c.dragged.right << " "
                                    << c.dragged.bottom);
    if (c.creates) ConfirmNextPropertiesDialog();
    DragTo(c.dragged);
    Click(c.dragged.left, c.dragged.top);
    created += c.creates ? 1 : 0;
    EXPECT_EQ(Page().GetSize(), created);
    EXPECT_EQ(Printed("dialog: Zolt:Properties"), created);
  }
  EXPECT_THAT(Front().UnusedAnswers(), IsEmpty());
  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  ASSERT_EQ(saved.size(), 2u);
  std::vector<host::AVRect> rects;
  for (const auto& [name, block] : saved) rects.push_back(block.rect);
  EXPECT_THAT(rects, UnorderedElementsAre(host::AVRect{300, 300, 303, 303}, host::AVRect{200, 600, 250, 650}));
}

TEST_F(BlockToolClicks, ANewBlockGivenUpInItsDialogLeavesNoTrace) {
  AddBlock("A", kRectA);
  doc_->GetPDDoc()->Save(host::ASPathName(path_), host::kPDSaveFull);
  ASSERT_EQ(doc_->GetPDDoc()->Flags() & host::kPDDocNeedsSave, 0);
  const int lastID = Page().BlockID();

  DragTo({300, 300, 380, 340});
  Click(300, 300);  // no answer queued: the dialog is cancelled
  EXPECT_EQ(Printed("cancelled: Zolt:Properties"), 1);
  EXPECT_THAT(Names(), ElementsAre("A"));
  EXPECT_THAT(SelectedNames(), IsEmpty());
  EXPECT_EQ(Page().BlockID(), lastID);
  EXPECT_EQ(doc_->GetPDDoc()->Flags() & host::kPDDocNeedsSave, 0);

  ConfirmNextPropertiesDialog();
  DragTo({300, 300, 380, 340});
  Click(300, 300);
  EXPECT_EQ(Page().BlockID(), lastID + 1) << "the ID given up is used again";
  EXPECT_NE(doc_->GetPDDoc()->Flags() & host::kPDDocNeedsSave, 0);
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolClicks, ANewBlockStartsFromTheDocumentsDefaultValues) {
  // What the properties dialog keeps when a block's properties are confirmed.
  CMarkupBlockProperties confirmed(7);
  confirmed.PropertyListClass(PropText);
  confirmed.UpdateProperty("linewidth", "4");
  confirmed.UpdateProperty("fontsize", "20");
  confirmed.UpdateProperty("Description", "Only this block");
  Page().GetParentDocCollection()->DefaultPropCollection().DefaultPropertiesList(&confirmed);

  ConfirmNextPropertiesDialog();
  DragTo({100, 300, 200, 350});
  Click(100, 300);
  ASSERT_EQ(Page().GetSize(), 1);
  const CMarkupBlockProperties& drawn = *Page().GetNthBlock(0)->PropertyList();
  EXPECT_EQ(drawn.GetProperty("linewidth")->TagValue(), "4");
  EXPECT_EQ(drawn.GetProperty("fontsize")->TagValue(), "20");
  EXPECT_EQ(drawn.GetProperty("Description")->TagValue(), "") << "what names one block is not a default";
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(1));
}

TEST_F(BlockToolClicks, DraggingASelectedBlockMovesTheSelectionAndAnUnselectedOneMovesAlone) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  CMarkupBlock& b = AddBlock("B", kRectB);
  AddBlock("C", kRectC);
  Select({&a, &b});

  DragTo(Moved(host::AVRect{100, 100, 400, 150}, 20, 10));  // the union of A and B, moved
  Click(150, 125);
  EXPECT_EQ(RectOf("A"), Moved(kRectA, 20, 10));
  EXPECT_EQ(RectOf("B"), Moved(kRectB, 20, 10));
  EXPECT_EQ(RectOf("C"), kRectC);
  EXPECT_THAT(SelectedNames(), ElementsAre("A", "B"));

  DragTo(Moved(kRectC, 30, 0));
  Click(150, 325);
  EXPECT_EQ(RectOf("C"), Moved(kRectC, 30, 0));
  EXPECT_EQ(RectOf("A"), Moved(kRectA, 20, 10));
  EXPECT_THAT(SelectedNames(), ElementsAre("C"));
  EXPECT_EQ(SelectedBlockName(), "C");

  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  EXPECT_EQ(saved.at("A").rect, Moved(kRectA, 20, 10));
  EXPECT_EQ(saved.at("B").rect, Moved(kRectB, 20, 10));
  EXPECT_EQ(saved.at("C").rect, Moved(kRectC, 30, 0));
}

TEST_F(BlockToolClicks, OptionHeldAtReleaseDuplicatesAndOptionOnlyAtPressMoves) {
  struct Case {
    int atPress;
    int atRelease;
    bool duplicates;
  };
  const Case cases[] = {{0, kOption, true}, {kOption, 0, false}, {kOption, kOption, true}, {0, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "press " << c.atPress << " release " << c.atRelease);
    Page().SelectedGroup().ClearAll();
    for (const std::string& name : Names()) Page().DeleteBlock(Named(name));
    AddBlock("A", kRectA);

    DragTo(Moved(kRectA, 0, 100), c.atRelease);
    Click(150, 125, c.atPress);
    if (c.duplicates) {
      EXPECT_THAT(Names(), ElementsAre("A", "A.1"));
      EXPECT_EQ(RectOf("A"), kRectA);
      EXPECT_EQ(RectOf("A.1"), Moved(kRectA, 0, 100));
      EXPECT_THAT(SelectedNames(), ElementsAre("A.1")) << "the copy is the new selection";
    } else {
      EXPECT_THAT(Names(), ElementsAre("A"));
      EXPECT_EQ(RectOf("A"), Moved(kRectA, 0, 100));
    }
  }
  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  EXPECT_EQ(saved.size(), 1u);
}

TEST_F(BlockToolClicks, ALockedBlockIsSelectedButNotResized) {
  AddBlock("Locked", kRectA, PropText, true);
  DragTo({100, 100, 260, 190});  // its bottom-right handle pulled out
  Click(198, 148);
  EXPECT_EQ(RectOf("Locked"), kRectA);
  EXPECT_EQ(SelectedBlockName(), "Locked");
  EXPECT_EQ(Page().GetBackupCollection()->UndoSize(), 0u);
  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  EXPECT_EQ(saved.at("Locked").rect, kRectA);
  EXPECT_TRUE(saved.at("Locked").locked);
}

TEST_F(BlockToolClicks, ResizingByAHandleIsOneUndoStep) {
  AddBlock("A", kRectA);
  DragTo({100, 100, 260, 190});
  Click(198, 148);
  EXPECT_EQ(RectOf("A"), (host::AVRect{100, 100, 260, 190}));
  Page().RestoreLastBackup();
  EXPECT_EQ(RectOf("A"), kRectA);
  EXPECT_EQ(SaveAndReopen().at("A").rect, kRectA);
}

TEST_F(BlockToolClicks, ShiftClickTogglesABlockInTheSelection) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  CMarkupBlock& b = AddBlock("B", kRectB);
  Select({&a, &b});
  Click(150, 125, kShift);
  EXPECT_THAT(SelectedNames(), ElementsAre("B"));
  EXPECT_EQ(SelectedBlockName(), "B") << "the Selected mark passes on";
  Click(150, 125, kShift);
  EXPECT_THAT(SelectedNames(), ElementsAre("A", "B"));
  EXPECT_EQ(SelectedBlockName(), "B");
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolClicks, APlainClickOnAMemberKeepsTheSelectionAndMovesTheMark) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  CMarkupBlock& b = AddBlock("B", kRectB);
  Select({&a, &b});
  Click(350, 125);
  EXPECT_THAT(SelectedNames(), ElementsAre("A", "B"));
  EXPECT_EQ(SelectedBlockName(), "B");
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolClicks, ADoubleClickOpensThePropertiesOfAnUnlockedBlockOnly) {
  AddBlock("Locked", kRectA, PropText, true);
  AddBlock("Open", kRectB);
  Click(150, 125);
  Click(150, 125, 0, 2);
  EXPECT_EQ(Printed("dialog: Zolt:Properties"), 0);
  Click(350, 125);
  Click(350, 125, 0, 2);
  EXPECT_EQ(Printed("dialog: Zolt:Properties"), 1);
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolClicks, ARightClickOnOverlappingBlocksListsBothAndKeepsTheSelection) {
  CMarkupBlock& under = AddBlock("Under", {100, 100, 300, 300});
  AddBlock("Over", {200, 200, 400, 400});
  AddBlock("Apart", kRectC);
  Select({&under});
  RightClick(250, 250);
  EXPECT_EQ(Printed("popup: Zolt:RightClick"), 1);
  EXPECT_THAT(SelectedNames(), ElementsAre("Under"));
  std::vector<std::string> listed;
  for (int i = 0; i < avBlocksSubMenu->NumItems(); ++i) {
    host::AVMenuItem* item = avBlocksSubMenu->AcquireItemByIndex(i);
    listed.push_back(item->Title());
    item->Release();
  }
  EXPECT_THAT(listed, UnorderedElementsAre("Under", "Over"));

  // A block alone under the pointer becomes the selection.
  RightClick(380, 380);
  EXPECT_THAT(SelectedNames(), ElementsAre("Over"));
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(3));
}

TEST_F(BlockToolClicks, ChoosingABlockFromTheListReplacesTheSelectedBlockOnly) {
  CMarkupBlock& under = AddBlock("Under", {100, 100, 300, 300});
  CMarkupBlock& over = AddBlock("Over", {200, 200, 400, 400});
  CMarkupBlock& apart = AddBlock("Apart", kRectC);
  Select({&over, &apart});
  Front().QueuePopupChoice("Zolt:Right_Click_BLOCK_0");  // the list follows ascending IDs: Under first
  RightClick(250, 250);
  EXPECT_THAT(SelectedNames(), ElementsAre("Under", "Apart"));
  EXPECT_EQ(SelectedBlockName(), "Under");
  EXPECT_FALSE(over.SelectedGroup());
  EXPECT_TRUE(under.Selected());
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(3));
}

using BlockToolKeys = BlockToolTest;

TEST_F(BlockToolKeys, TabAndShiftTabCycleTheSelectedBlock) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  AddBlock("B", kRectB);
  AddBlock("C", kRectC);
  Select({&a});
  std::vector<std::string> forward;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(Key(host::kKeyTab));
    forward.push_back(SelectedBlockName());
  }
  EXPECT_THAT(forward, ElementsAre("B", "C", "A", "B"));
  std::vector<std::string> backward;
  for (int i = 0; i < 3; ++i) {
    Key(host::kKeyTab, kShift);
    backward.push_back(SelectedBlockName());
  }
  EXPECT_THAT(backward, ElementsAre("A", "C", "B"));
  EXPECT_THAT(SelectedNames(), ElementsAre("B"));
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(3));
}

TEST_F(BlockToolKeys, ArrowsNudgeSpaceDeselectsBackspaceDeletes) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  CMarkupBlock& locked = AddBlock("Locked", kRectB, PropText, true);
  AddBlock("C", kRectC);
  Select({&a, &locked});
  for (int key : {host::kKeyRightArrow, host::kKeyRightArrow, host::kKeyDownArrow, host::kKeyLeftArrow,
                  host::kKeyUpArrow, host::kKeyUpArrow})
    EXPECT_TRUE(Key(key));
  EXPECT_EQ(RectOf("A"), Moved(kRectA, 1, -1));
  EXPECT_EQ(RectOf("Locked"), kRectB);
  EXPECT_FALSE(Key('x')) << "other keys are the host's";

  EXPECT_TRUE(Key(host::kKeyBackspace));
  EXPECT_THAT(Names(), ElementsAre("Locked", "C")) << "a locked block is only deselected";
  EXPECT_THAT(SelectedNames(), IsEmpty());
  EXPECT_FALSE(Key(host::kKeyBackspace)) << "nothing selected: not handled";

  Select({Named("C")});
  EXPECT_TRUE(Key(host::kKeySpace));
  EXPECT_THAT(SelectedNames(), IsEmpty());

  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  EXPECT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved.at("Locked").rect, kRectB);
}

TEST_F(BlockToolKeys, EnterOpensThePropertiesOfAnUnlockedSelectedBlock) {
  CMarkupBlock& locked = AddBlock("Locked", kRectA, PropText, true);
  CMarkupBlock& open = AddBlock("Open", kRectB);
  Select({&locked});
  EXPECT_TRUE(Key(host::kKeyEnter));
  EXPECT_EQ(Printed("dialog: Zolt:Properties"), 0);
  Select({&open});
  EXPECT_TRUE(Key(host::kKeyEnter));
  EXPECT_EQ(Printed("dialog: Zolt:Properties"), 1);
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolKeys, ThePointerShowsTheHandleUnderItOnSelectedBlocks) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  AddBlock("Unselected", kRectC);
  Select({&a});
  struct Case {
    int x, y;
    int cursor;
  };
  const Case cases[] = {
      {101, 101, host::kCursorResizeNWSE},        {150, 102, host::kCursorResizeVertical},
      {198, 101, host::kCursorResizeNESW},        {198, 125, host::kCursorResizeHorizontal},
      {199, 149, host::kCursorResizeNWSE},        {150, 148, host::kCursorResizeVertical},
      {101, 149, host::kCursorResizeNESW},        {101, 125, host::kCursorResizeHorizontal},
      {150, 125, host::kCursorArrow},             {150, 325, host::kCursorCrosshair},
      {500, 500, host::kCursorCrosshair},
  };
  for (const Case& c : cases) {
    Host().AdjustCursor(View(), c.x, c.y);
    const viewer::CursorInfo* shown = Host().Viewer().Cursor(Front().Cursor());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->standard);
    EXPECT_EQ(shown->number, c.cursor) << c.x << ", " << c.y;
  }
  Host().MouseLeft(View());
  EXPECT_EQ(Host().Viewer().Cursor(Front().Cursor())->number, host::kCursorArrow);
  // Drags show the plug-in's own cursors.
  for (auto [cursor, resource] : {std::pair{avMoveBlockToolCursor, 128}, std::pair{avCopyBlockToolCursor, 129}}) {
    const viewer::CursorInfo* own = Host().Viewer().Cursor(cursor);
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(own->standard);
    EXPECT_EQ(own->number, resource);
  }
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

TEST_F(BlockToolKeys, ThePointerFindsThePagesBlocksAfterTheirCollectionWasReplaced) {
  CMarkupBlock& a = AddBlock("A", kRectA);
  Select({&a});
  doc_->GetPDDoc()->Save(host::ASPathName(path_), host::kPDSaveFull);
  Host().AdjustCursor(View(), 101, 101);
  EXPECT_EQ(Host().Viewer().Cursor(Front().Cursor())->number, host::kCursorResizeNWSE);
  // The page's collection is loaded again (as after a revert): the old one
  // is gone without the cursor code being told.
  CMarkupDocCollection* docCollection = Page().GetParentDocCollection();
  auto reloaded = std::make_unique<CMarkupPageCollection>(docCollection);
  reloaded->AcquirePageCollection(&View());
  docCollection->PageCollection(0, std::move(reloaded));
  Host().AdjustCursor(View(), 101, 101);
  EXPECT_EQ(Host().Viewer().Cursor(Front().Cursor())->number, host::kCursorCrosshair)
      << "the reloaded page has A, unselected";
  ASSERT_NE(Named("A"), nullptr);
  Select({Named("A")});
  Host().AdjustCursor(View(), 101, 101);
  EXPECT_EQ(Host().Viewer().Cursor(Front().Cursor())->number, host::kCursorResizeNWSE);
}

TEST_F(BlockToolClicks, FormFieldsBoundToBlocksAreHiddenWhileTheToolIsActive) {
  const std::string withField = folder_.File("field.pdf");
  korvid::test::WritePdf(withField, [](QPDF& qpdf) {
    QPDFObjectHandle page = korvid::test::AddPage(qpdf, {});
    page.replaceKey("/Annots", QPDFObjectHandle::parse("[<< /Type /Annot /Subtype /Widget /FT /Tx /T (Price) "
                                                       "/Rect [100 642 200 692] /F 4 >>]"));
  });
  doc_ = &harness_->Open(withField);
  const host::PDAnnot field = doc_->GetPDDoc()->AcquirePage(0)->GetAnnot(0);
  CMarkupBlock& bound = AddBlock("Price", kRectA);
  bound.PropertyList()->GetProperty("AcroForm")->TagCosObj(field.GetCosObj());
  bound.PropertyList()->UpdateProperty("AcroForm_Flags", "4");

  Host().SetActiveTool(Host().Tools().ByTypeName("Hand"), true);
  EXPECT_EQ(field.Flags(), 4);
  Host().SetActiveTool(Host().Tools().ByTypeName("MarkupContent"), true);
  EXPECT_EQ(field.Flags(), 4 | host::kPDAnnotHidden);
  Host().SetActiveTool(Host().Tools().ByTypeName("Hand"), true);
  EXPECT_EQ(field.Flags(), 4);
  path_ = withField;
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(1));
}

}  // namespace
}  // namespace korvid::testing
