// Copying blocks between pages and documents: duplicate, export to an open
// document, to a PDF file and to a new file, import, replace and repeat.
#include <filesystem>
#include <map>
#include <set>

#include "PropagationFixture.h"
#include "blocktool/collections/BlocksPropagateData.h"
#include "blocktool/collections/MarkupCollection.h"
#include "host/PluginEntry.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace korvid::testing {
namespace {

using NameList = std::vector<std::string>;

class PropagateTest : public PropagationTest {
 protected:
  std::vector<NameList> PagesOf(viewer::Document& doc) {
    std::vector<NameList> all;
    for (int page = 0; page < doc.GetPDDoc()->NumPages(); ++page) all.push_back(Names(doc, page));
    return all;
  }
};

TEST_F(PropagateTest, DuplicateCopiesTheSelectionToEveryOtherPageOfTheRange) {
  viewer::Document& doc = Open(WritePdf("five.pdf", 5));
  AddBlock(doc, 2, "Price", {100, 500, 300, 600}, /*selected=*/true);
  AddBlock(doc, 2, "Note");
  CBlocksPropagateData data(&doc, 2, 5, kImportAsImported | kImportSelectedOnly);
  data.FromPage(0);
  data.ToPage(5);
  data.Duplicate();
  EXPECT_EQ(PagesOf(doc), (std::vector<NameList>{{"Price"}, {"Price"}, {"Price", "Note"}, {"Price"}, {"Price"}}));
  // The copy keeps its place on the page and is not an undoable step.
  const CMarkupBlock& copy = *Page(doc, 4).GetNthBlock(0);
  EXPECT_EQ(Value(copy, "Rect"), "100 500 300 600");
  EXPECT_FALSE(Page(doc, 4).GetBackupCollection()->EnableUndo());
}

TEST_F(PropagateTest, ExportRepeatsTheSourcePagesOnlyWhenAsked) {
  for (const bool repeat : {true, false}) {
    viewer::Document& source = Open(WritePdf(repeat ? "s1.pdf" : "s2.pdf", 2));
    AddBlock(source, 0, "One");
    AddBlock(source, 1, "Two");
    viewer::Document& destination = Open(WritePdf(repeat ? "d1.pdf" : "d2.pdf", 5));
    CBlocksPropagateData data(&source, 0, 2, kImportAsImported | (repeat ? kImportRepeatSources : 0));
    data.SourceFromPage(0);
    data.SourceToPage(2);
    data.FromPage(0);
    data.ToPage(5);
    data.avDestinationDoc(&destination);
    EXPECT_EQ(data.Export(), repeat ? 5 : 2);
    const std::vector<NameList> expected =
        repeat ? std::vector<NameList>{{"One"}, {"Two"}, {"One"}, {"Two"}, {"One"}}
               : std::vector<NameList>{{"One"}, {"Two"}, {}, {}, {}};
    EXPECT_EQ(PagesOf(destination), expected) << "repeat " << repeat;
  }
}

TEST_F(PropagateTest, ReplaceDeletesUnlockedBlocksFirstAsOneUndoStep) {
  viewer::Document& source = Open(WritePdf("source.pdf", 1));
  AddBlock(source, 0, "Price");
  viewer::Document& destination = Open(WritePdf("destination.pdf", 1));
  AddBlock(destination, 0, "Old");
  AddBlock(destination, 0, "Kept", {}, false, /*locked=*/true);
  CBlocksPropagateData data(&source, 0, 1, kImportAsImported | kImportReplace);
  data.SourceToPage(1);
  data.ToPage(1);
  data.avDestinationDoc(&destination);
  EXPECT_EQ(data.Export(), 1);
  EXPECT_EQ(Names(destination, 0), (NameList{"Kept", "Price"}));
  Page(destination, 0).RestoreLastBackup();
  EXPECT_EQ(Names(destination, 0), (NameList{"Old", "Kept", "Price"}));
}

TEST_F(PropagateTest, CopiesTakeNewIDsAndNamesUniqueOnTheirPage) {
  viewer::Document& source = Open(WritePdf("source.pdf", 2));
  CMarkupPageCollection& sourcePage = Page(source, 0);
  sourcePage.BlockID(39);
  AddBlock(source, 0, "Price");
  viewer::Document& destination = Open(WritePdf("destination.pdf", 1));
  Page(destination, 0).BlockID(11);
  AddBlock(destination, 0, "Price");

  CBlocksPropagateData exported(&source, 0, 2, kImportAsImported);
  exported.SourceToPage(1);
  exported.ToPage(1);
  exported.avDestinationDoc(&destination);
  exported.Export();
  EXPECT_EQ(Names(destination, 0), (NameList{"Price", "Price.1"}));
  EXPECT_EQ(Page(destination, 0).GetNthBlock(1)->BlockID(), 41);
  EXPECT_EQ(Value(*Page(destination, 0).GetNthBlock(1), "ID"), "41");

  Page(source, 1).BlockID(11);
  CBlocksPropagateData duplicated(&source, 0, 2, kImportAsImported);
  duplicated.FromPage(0);
  duplicated.ToPage(2);
  duplicated.Duplicate();
  EXPECT_EQ(Page(source, 1).GetNthBlock(0)->BlockID(), 12);
}

TEST_F(PropagateTest, CopiesKeepTheirDistanceFromTheTopLeftOfTheCropBox) {
  viewer::Document& source = Open(WritePdf("source.pdf", 1));
  AddBlock(source, 0, "Price", {100, 500, 300, 600});
  viewer::Document& destination = Open(WritePdf("destination.pdf", 1, {{36, 36, 576, 756}}));
  CBlocksPropagateData data(&source, 0, 1, kImportAsImported);
  data.SourceToPage(1);
  data.ToPage(1);
  data.avDestinationDoc(&destination);
  data.Export();
  EXPECT_EQ(Value(*Page(destination, 0).GetNthBlock(0), "Rect"), "136 464 336 564");
}

TEST_F(PropagateTest, ImportStopsWhenTheFilesPagesRunOut) {
  const std::string file = WritePdf("blocks.pdf", 2);
  {
    viewer::Document& blocks = Open(file);
    AddBlock(blocks, 0, "First");
    AddBlock(blocks, 1, "Second");
    blocks.GetPDDoc()->Save(host::ASPathName(file), host::kPDSaveFull);
    host_.Host().Documents().Close(blocks, true);
  }
  viewer::Document& doc = Open(WritePdf("job.pdf", 3));
  CBlocksPropagateData data(&doc, 0, 3, 0x21);
  data.FromPage(0);
  data.ToPage(3);
  data.ExportFile(file);
  EXPECT_EQ(data.Import(), 2);
  EXPECT_EQ(PagesOf(doc), (std::vector<NameList>{{"First"}, {"Second"}, {}}));
  EXPECT_EQ(host_.Host().Documents().Count(), 1) << "the file read is closed again";
}

TEST_F(PropagateTest, ExportToANewFileMakesOnePagePerSourcePageWithTheCurrentPagesMediaBox) {
  viewer::Document& source =
      Open(WritePdf("mixed.pdf", 4, {{0, 0, 612, 792}, {0, 0, 400, 300}, {0, 0, 612, 792}, {0, 0, 842, 595}}));
  for (int page = 1; page < 4; ++page) AddBlock(source, page, "Block" + std::to_string(page));
  source.GetPageView()->SetPageNum(1);
  const std::string target = folder_.File("blocks.mct");
  CBlocksPropagateData data(&source, 1, 4, kImportAsImported);
  data.SourceFromPage(1);
  data.SourceToPage(4);
  data.ExportFile(target);
  EXPECT_EQ(data.Export(), 3);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(target));
  const std::vector<Box> boxes = MediaBoxes(target);
  ASSERT_EQ(boxes.size(), 3u);
  for (const Box& box : boxes) EXPECT_EQ(std::make_pair(box.right, box.top), std::make_pair(400.0, 300.0));
  EXPECT_EQ(StoredBlockNames(target), (std::vector<NameList>{{"Block1"}, {"Block2"}, {"Block3"}}));
  EXPECT_EQ(host_.Host().Documents().Count(), 1) << "the new file's window is closed";
}

TEST_F(PropagateTest, AnEmptySourceRangeStillWritesOneEmptyPage) {
  viewer::Document& source = Open(WritePdf("source.pdf", 1));
  const std::string target = folder_.File("empty.mct");
  CBlocksPropagateData data(&source, 0, 1, kImportAsImported);
  data.ExportFile(target);
  EXPECT_EQ(data.Export(), 0);
  EXPECT_EQ(MediaBoxes(target).size(), 1u);
}

TEST_F(PropagateTest, ExportNeverWritesOverAFileAnOpenDocumentReads) {
  const std::string sourcePath = WritePdf("source.pdf", 1);
  viewer::Document& source = Open(sourcePath);
  AddBlock(source, 0, "Price");
  const std::string before = korvid::test::ReadFile(sourcePath);
  // The same file by another spelling of its path.
  const std::string spelling = (std::filesystem::path(sourcePath).parent_path() / "." / "source.pdf").string();
  CBlocksPropagateData data(&source, 0, 1, kImportAsImported);
  data.SourceToPage(1);
  data.ExportFile(spelling);
  EXPECT_EQ(data.Export(), 0);
  EXPECT_EQ(NewAlerts(), (NameList{"The file " + spelling +
                                " is open in the viewer. Close it first or choose another file."}));
  EXPECT_EQ(korvid::test::ReadFile(sourcePath), before);
}

TEST_F(PropagateTest, ExportIntoAnExistingFileAddsTheBlocksAndSavesIt) {
  const std::string target = WritePdf("target.pdf", 2);
  viewer::Document& source = Open(WritePdf("source.pdf", 1));
  AddBlock(source, 0, "Price");
  CBlocksPropagateData data(&source, 0, 1, kImportAsImported);
  data.SourceToPage(1);
  data.ToPage(2);
  data.AddMode(kImportRepeatSources);
  data.ExportFile(target);
  data.pdDestinationDoc(gPDModelHFT->OpenDoc(host::ASPathName(target)));
  EXPECT_EQ(data.Export(), 2);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(target));
  EXPECT_EQ(StoredBlockNames(target), (std::vector<NameList>{{"Price"}, {"Price"}}));
  EXPECT_EQ(host_.Host().Documents().Count(), 1);
}

TEST_F(PropagateTest, ACopyIsNotBoundToTheFormFieldOfItsSource) {
  viewer::Document& doc = Open(WritePdf("two.pdf", 2));
  CMarkupBlock& bound = AddBlock(doc, 0, "Field");
  if (!bound.PropertyList()->GetProperty("AcroForm"))
    bound.PropertyList()->AddNewProperty("AcroForm", "0", "Converted AcroForm", PropGeneral, 0x80E0);
  bound.PropertyList()->GetProperty("AcroForm")->TagCosObj(doc.GetPDDoc()->Catalog());
  CBlocksPropagateData data(&doc, 0, 2, kImportAsImported);
  data.ToPage(2);
  data.Duplicate();
  const CMarkupProperties* copied = Page(doc, 1).GetNthBlock(0)->PropertyList()->GetProperty("AcroForm");
  ASSERT_NE(copied, nullptr);
  EXPECT_TRUE(copied->TagCosObj().IsNull());
  EXPECT_FALSE(bound.PropertyList()->GetProperty("AcroForm")->TagCosObj().IsNull());
}

}  // namespace
}  // namespace korvid::testing

namespace korvid::testing {
namespace {

using PropertyValues = std::map<std::string, std::string>;

// Every property of every block of the page but its ID, by block name. The
// rows of the ruler's tab stops are left out: a block read from a file shows
// its ruler property as those rows too.
std::map<std::string, PropertyValues> BlocksOf(CMarkupPageCollection& page) {
  std::map<std::string, PropertyValues> blocks;
  for (const auto& [id, block] : page.Entries()) {
    if (!block) continue;
    PropertyValues& values = blocks[block->BlockName()];
    const CMarkupBlockProperties& list = *block->PropertyList();
    for (int i = 0; i < list.GetSize(); ++i) {
      const CMarkupProperties* property = list.GetNthProperty(i);
      if (property && property->TagName() != "ID" && property->GetClass() != PropRulerTab) values[property->TagName()] = property->TagValue();
    }
  }
  return blocks;
}

TEST(PropagationRoundTripTest, ANewFileExportedIsImportedBackByAFreshViewer) {
  TempDir folder;
  const std::string exported = folder.File("blocks.mct");
  std::vector<std::map<std::string, PropertyValues>> original;
  {
    PropagationSession session;
    viewer::Document& source = session.Open(session.WritePdf("source.pdf", 2));
    CMarkupBlock& image = session.AddBlock(source, 0, "Logo", {50, 600, 250, 700});
    image.PropertyList()->PropertyListClass(PropImage);
    image.PropertyList()->UpdateProperty("defaultimage", "./images/logo.tif");
    image.PropertyList()->UpdateProperty("Description", "Company logo");
    session.AddBlock(source, 0, "Headline", {50, 500, 550, 560}, false, /*locked=*/true);
    session.AddBlock(source, 1, "Footer", {50, 20, 550, 60});
    original = {BlocksOf(session.Page(source, 0)), BlocksOf(session.Page(source, 1))};
    CBlocksPropagateData data(&source, 0, 2, kImportAsImported);
    data.SourceToPage(2);
    data.ExportFile(exported);
    ASSERT_EQ(data.Export(), 3);
  }
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(exported));
  {
    PropagationSession session;
    viewer::Document& job = session.Open(session.WritePdf("job.pdf", 2));
    CBlocksPropagateData data(&job, 0, 2, 0x21);
    data.ToPage(2);
    data.ExportFile(exported);
    ASSERT_EQ(data.Import(), 3);
    EXPECT_EQ(BlocksOf(session.Page(job, 0)), original[0]);
    EXPECT_EQ(BlocksOf(session.Page(job, 1)), original[1]);
  }
}

}  // namespace
}  // namespace korvid::testing
