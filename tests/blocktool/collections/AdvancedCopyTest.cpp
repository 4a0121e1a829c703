// The block clipboard through the Edit commands of the active block tool:
// copies land where their sources were relative to the crop box, names get
// "." and a counter, a paste is one undo step, and snapshots outlive their
// sources and the source document.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "blocktool/collections/AdvancedCopy.h"
#include "blocktool/model/Service.h"
#include "blocktool/host/BlockToolFixture.h"
#include "viewer/core/Document.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace korvid::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Clipboard : public BlockToolTest {
 protected:
  void Choose(const char* name) { Host().ChooseMenuItem(*Host().Menus().FindItem(name)); }
  bool Enabled(const char* name) { return Host().Menus().FindItem(name)->IsEnabled(); }
  void Copy() { Choose("Zolt:Copy_Markup_Block"); }
  void Cut() { Choose("Zolt:Cut_Markup_Block"); }
  void Paste() { Choose("Zolt:Paste_Markup_Block"); }
  // Makes another document the one the commands act on.
  void SwitchTo(const std::string& path) {
    doc_ = &harness_->Open(path);
    Host().SetActiveTool(Host().Tools().ByTypeName("MarkupContent"), true);
  }
  std::string PageRectText(const std::string& name) {
    const host::ASFixedRect r = Named(name)->BlockRectFx();
    std::ostringstream text;
    text << host::FixedToFloat(r.left) << " " << host::FixedToFloat(r.bottom) << " " << host::FixedToFloat(r.right)
         << " " << host::FixedToFloat(r.top);
    return text.str();
  }
};

TEST_F(Clipboard, CopiesPastedOnTheSamePageLieOnTheirSourcesWithNumberedNames) {
  CMarkupBlock& price = AddBlock("Price", {100, 100, 200, 150});
  CMarkupBlock& total = AddBlock("Total", {100, 200, 200, 250});
  AddBlock("Other", {300, 300, 400, 350});
  Select({&price, &total});
  Copy();
  EXPECT_EQ(AdvancedCopy.GetSize(), 2);
  Paste();
  Paste();
  EXPECT_THAT(Names(), ElementsAre("Price", "Total", "Other", "Price.1", "Total.1", "Price.2", "Total.2"));
  EXPECT_EQ(PageRectText("Price.1"), PageRectText("Price"));
  EXPECT_EQ(PageRectText("Total.2"), PageRectText("Total"));
  EXPECT_THAT(SelectedNames(), ElementsAre("Price", "Total")) << "pasted blocks are not selected";

  Page().RestoreLastBackup();
  EXPECT_THAT(Names(), ElementsAre("Price", "Total", "Other", "Price.1", "Total.1")) << "one undo per paste";

  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  ASSERT_EQ(saved.size(), 5u);
  EXPECT_EQ(saved.at("Total.1").rect, (host::AVRect{100, 200, 200, 250}));
}

TEST_F(Clipboard, AnEmptySelectionEmptiesTheClipboard) {
  CMarkupBlock& a = AddBlock("A", {100, 100, 200, 150});
  Select({&a});
  Copy();
  EXPECT_TRUE(Enabled("Zolt:Paste_Markup_Block"));
  Selection().ClearAll();
  AdvancedCopy.CopyGroup(doc_);  // the command itself is disabled without a selection
  EXPECT_EQ(AdvancedCopy.GetSize(), 0);
  EXPECT_FALSE(Enabled("Zolt:Paste_Markup_Block"));
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(1));
}

TEST_F(Clipboard, CutCopiesEveryMemberButRemovesOnlyTheUnlockedOnes) {
  CMarkupBlock& open = AddBlock("Open", {100, 100, 200, 150});
  CMarkupBlock& locked = AddBlock("Locked", {100, 200, 200, 250}, PropText, true);
  Select({&open, &locked});
  Cut();
  EXPECT_EQ(AdvancedCopy.GetSize(), 2);
  EXPECT_THAT(Names(), ElementsAre("Locked"));
  EXPECT_THAT(SelectedNames(), IsEmpty());
  Choose("Zolt:Undo_Markup_Block");
  EXPECT_THAT(Names(), ElementsAre("Open", "Locked"));
  Paste();
  EXPECT_THAT(Names(), ElementsAre("Open", "Locked", "Open.1", "Locked.1"));
  EXPECT_TRUE(Named("Locked.1")->Lock()) << "a copy is a copy of every property";
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(4));
}

TEST_F(Clipboard, APastedBlockIsNotBoundToItsSourcesFormField) {
  CMarkupBlock& bound = AddBlock("Bound", {100, 100, 200, 150});
  const host::CosObj field = doc_->GetPDDoc()->GetCosDoc()->NewDict(true, 1);
  bound.PropertyList()->GetProperty("AcroForm")->TagCosObj(field);
  Select({&bound});
  Copy();
  Paste();
  EXPECT_TRUE(Named("Bound.1")->PropertyList()->GetProperty("AcroForm")->TagCosObj().IsNull());
  EXPECT_EQ(Named("Bound")->PropertyList()->GetProperty("AcroForm")->TagCosObj(), field);
}

TEST_F(Clipboard, APasteKeepsTheDistanceFromTheCropBoxsTopLeftCorner) {
  const std::string cropped = folder_.File("cropped.pdf");
  korvid::test::WritePdf(cropped, [](QPDF& qpdf) {
    QPDFObjectHandle page = korvid::test::AddPage(qpdf, {});
    page.replaceKey("/CropBox", QPDFObjectHandle::parse("[36 36 576 756]"));
  });
  CMarkupBlock& a = AddBlock("A", {100, 192, 200, 292});  // page space 100 500 200 600
  ASSERT_EQ(PageRectText("A"), "100 500 200 600");
  Select({&a});
  Copy();
  SwitchTo(cropped);
  Paste();
  EXPECT_EQ(PageRectText("A"), "136 464 236 564") << "36 points right, 36 points down";
  EXPECT_EQ(RectOf("A"), (host::AVRect{100, 192, 200, 292})) << "the same place on screen";
}

TEST_F(Clipboard, APasteIntoAnotherDocumentWorksAfterTheSourceWasClosed) {
  const std::string target = folder_.File("target.pdf");
  korvid::test::WriteOnePagePdf(target);
  CMarkupBlock& price = AddBlock("Price", {100, 100, 200, 150});
  price.PropertyList()->UpdateProperty("fontsize", "17");
  Select({&price});
  Copy();
  Host().Documents().Close(*doc_, true);

  SwitchTo(target);
  AddBlock("Price", {300, 300, 400, 350});
  Paste();
  Paste();
  EXPECT_THAT(Names(), ElementsAre("Price", "Price.1", "Price.2"));
  EXPECT_EQ(Named("Price.1")->PropertyList()->GetProperty("fontsize")->TagValue(), "17");
  path_ = target;
  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved.at("Price.2").rect, (host::AVRect{100, 100, 200, 150}));
}

TEST_F(Clipboard, APageWhoseBlocksCannotBeEditedTakesNoPaste) {
  const std::string newer = folder_.File("newer.pdf");
  korvid::test::WritePdf(newer, [](QPDF& qpdf) {
    QPDFObjectHandle page = korvid::test::AddPage(qpdf, {});
    page.replaceKey("/PieceInfo", QPDFObjectHandle::parse("<< /Korvid << /LastModified (D:20240101000000) "
                                                          "/Private << /Version 9.0 /Blocks << >> >> >> >>"));
  });
  CMarkupBlock& a = AddBlock("A", {100, 100, 200, 150});
  Select({&a});
  Copy();
  SwitchTo(newer);
  const int flags = doc_->GetPDDoc()->Flags();
  AdvancedCopy.PasteGroup(doc_);
  EXPECT_EQ(Service.GetDocMarkupPageCollection(doc_), nullptr);
  EXPECT_EQ(doc_->GetPDDoc()->Flags(), flags);
  EXPECT_EQ(AdvancedCopy.GetSize(), 1) << "the clipboard keeps its contents";
}

}  // namespace
}  // namespace korvid::testing
