// The Duplicate, Export, Import and open-documents dialogs and the file
// chooser, driven as a person would, and the commands that run them.
#include <filesystem>
#include <set>

#include "PropagationFixture.h"
#include "blocktool/collections/BlocksPropagateData.h"
#include "blocktool/dialogs/FileOpenSaveDialog.h"
#include "blocktool/dialogs/MarkupInternalPropagateDlg.h"
#include "blocktool/host/MarkupContentInitExportMenu.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace korvid::testing {
namespace {

namespace pg = propagate_dialog;
using viewer::dm::Dialog;
using viewer::dm::UserActions;
using NameList = std::vector<std::string>;

const std::string kBadRange =
    "The page range is not valid. Enter a first page that is not after the last page, both within the document.";

class PropagationDialogTest : public PropagationTest {
 protected:
  template <typename PropagateDialog>
  int Run(CBlocksPropagateData& data, const char* name, int id, DialogDriver::Action action) {
    host_.Driver().OnModal(name, std::move(action));
    PropagateDialog dialog(data);
    return dialog.Modal(gExtensionID, name, Service.GetLocalIDD(id), 0);
  }
  static std::string Text(Dialog& dialog, int id) { return dialog.FindItem(id)->GetText(); }
  static bool Enabled(Dialog& dialog, int id) { return dialog.FindItem(id)->IsEnabled(); }
  static bool On(Dialog& dialog, int id) { return dialog.FindItem(id)->GetBooleanValue(); }
};

TEST_F(PropagationDialogTest, DuplicateRefusesPageRangesOutsideTheDocumentAndStaysOpen) {
  viewer::Document& doc = Open(WritePdf("five.pdf", 5));
  struct Case {
    std::string from, to;
    bool accepted;
    int fromPage, toPage;
  };
  const std::vector<Case> cases = {
      {"3", "3", true, 2, 3},  {"2 pages", "5", true, 1, 5}, {"4", "3", false, 0, 0}, {"x", "3", false, 0, 0},
      {"0", "2", false, 0, 0}, {"2", "6", false, 0, 0},      {"", "", false, 0, 0},
  };
  for (const Case& c : cases) {
    CBlocksPropagateData data(&doc, 0, 5, 0x11);
    bool stayedOpen = false;
    const int ended = Run<CInternalPropagateDlg>(data, pg::kDuplicateName, pg::kDuplicateID, [&](Dialog& dialog) {
      UserActions person(dialog);
      EXPECT_FALSE(Enabled(dialog, pg::kFromPage));
      person.Check(pg::kFromPages, true);
      person.SetText(pg::kFromPage, c.from);
      person.SetText(pg::kToPage, c.to);
      person.Press(1);
      stayedOpen = !dialog.HasEnded();
      if (stayedOpen) person.Press(2);
    });
    EXPECT_EQ(ended, c.accepted ? 1 : 2) << c.from << " to " << c.to;
    EXPECT_EQ(stayedOpen, !c.accepted) << c.from << " to " << c.to;
    EXPECT_EQ(NewAlerts(), c.accepted ? NameList{} : NameList{kBadRange}) << c.from << " to " << c.to;
    if (c.accepted) {
      EXPECT_EQ(std::make_pair(data.FromPage(), data.ToPage()), std::make_pair(c.fromPage, c.toPage));
    }
  }
}

TEST_F(PropagationDialogTest, DuplicateOffersTheSelectionOnlyWhenThereIsOne) {
  viewer::Document& doc = Open(WritePdf("three.pdf", 3));
  AddBlock(doc, 0, "Price");
  AddBlock(doc, 0, "Total");
  // No block selected: all blocks, through the menu command.
  host_.Driver().OnModal(pg::kDuplicateName, [&](Dialog& dialog) {
    EXPECT_FALSE(On(dialog, pg::kSelectedBlocks));
    EXPECT_FALSE(Enabled(dialog, pg::kSelectedBlocks));
    EXPECT_TRUE(On(dialog, pg::kAllBlocks));
    EXPECT_EQ(Text(dialog, pg::kPageCount), "3");
    UserActions(dialog).Press(1);
  });
  ASSERT_TRUE(enableMarkupDuplicate(nullptr));
  execMarkupDuplicate(nullptr);
  EXPECT_EQ(Names(doc, 2), (NameList{"Price", "Total"}));
  EXPECT_EQ(doc.GetPageView()->GetPageNum(), 0) << "the view is back on the page it showed";

  Page(doc, 0).SelectedGroup().AddBlock(Page(doc, 0).GetBlockRef(Page(doc, 0).GetNthBlock(1)->BlockID()));
  CBlocksPropagateData data(&doc, 0, 3, 0x11);
  Run<CInternalPropagateDlg>(data, pg::kDuplicateName, pg::kDuplicateID, [&](Dialog& dialog) {
    EXPECT_TRUE(On(dialog, pg::kSelectedBlocks));
    EXPECT_TRUE(Enabled(dialog, pg::kSelectedBlocks));
    UserActions person(dialog);
    person.Check(pg::kRepeatSources, true);
    person.Press(1);
  });
  EXPECT_EQ(data.GetMode(), kImportAsImported | kImportSelectedOnly | kImportRepeatSources);
}

TEST_F(PropagationDialogTest, ExportDestinationKindsAndTheReplaceOption) {
  viewer::Document& source = Open(WritePdf("source.pdf", 2));
  AddBlock(source, 0, "Price");
  const std::string seven = WritePdf("seven.pdf", 7);
  host_.Script().QueueFiles({source.GetPDDoc()->Path().Str()});
  host_.Script().QueueFiles({seven});
  CBlocksPropagateData data(&source, 0, 2, 0x11);
  Run<CExportPropagateDlg>(data, pg::kExportName, pg::kExportID, [&](Dialog& dialog) {
    UserActions person(dialog);
    EXPECT_FALSE(Enabled(dialog, pg::kToOpenDocument)) << "no other document is open";
    EXPECT_TRUE(On(dialog, pg::kToPDFFile));
    EXPECT_EQ(Text(dialog, pg::kToPage), "");
    EXPECT_EQ(Text(dialog, pg::kSourceToPage), "2");
    EXPECT_TRUE(Enabled(dialog, pg::kReplace));
    person.Check(pg::kCreateAnew, true);
    EXPECT_FALSE(Enabled(dialog, pg::kReplace));
    person.Check(pg::kCreateAnew, false);
    person.Check(pg::kToNewFile, true);
    EXPECT_FALSE(Enabled(dialog, pg::kReplace));
    EXPECT_FALSE(Enabled(dialog, pg::kCreateAnew));
    person.Check(pg::kToPDFFile, true);
    EXPECT_TRUE(Enabled(dialog, pg::kReplace));

    // OK without a destination is refused.
    person.Press(1);
    EXPECT_EQ(NewAlerts(), (NameList{"Choose a destination document that can be opened."}));
    // A file open in the viewer cannot be chosen.
    person.Press(pg::kChoose);
    EXPECT_EQ(NewAlerts().size(), 1u);
    EXPECT_EQ(Text(dialog, pg::kChosen), "");
    // An existing file gives the destination range.
    person.Press(pg::kChoose);
    EXPECT_EQ(Text(dialog, pg::kChosen), seven);
    EXPECT_EQ((NameList{Text(dialog, pg::kFromPage), Text(dialog, pg::kToPage), Text(dialog, pg::kPageCount)}),
              (NameList{"1", "7", "7"}));
    // Another kind forgets it.
    person.Check(pg::kToNewFile, true);
    EXPECT_EQ((NameList{Text(dialog, pg::kChosen), Text(dialog, pg::kFromPage), Text(dialog, pg::kToPage),
                     Text(dialog, pg::kPageCount)}),
              (NameList{"", "", "", ""}));
    person.Press(2);
  });
}

TEST_F(PropagationDialogTest, ExportRefusesBothBadRangesAtOnce) {
  viewer::Document& source = Open(WritePdf("source.pdf", 2));
  CBlocksPropagateData data(&source, 0, 2, 0x11);
  Run<CExportPropagateDlg>(data, pg::kExportName, pg::kExportID, [&](Dialog& dialog) {
    UserActions person(dialog);
    person.Check(pg::kFromPages, true);
    person.SetText(pg::kFromPage, "3");
    person.SetText(pg::kToPage, "3");
    person.Check(pg::kSourceFromPages, true);
    person.SetText(pg::kSourceFromPage, "2");
    person.SetText(pg::kSourceToPage, "1");
    person.Press(1);
    EXPECT_EQ(NewAlerts(), (NameList{kBadRange, kBadRange}));
    EXPECT_FALSE(dialog.HasEnded());
    person.Press(2);
  });
}

TEST_F(PropagationDialogTest, ExportCommandToANewFileReportsTheBlocksExported) {
  viewer::Document& source = Open(WritePdf("source.pdf", 2));
  AddBlock(source, 0, "Price");
  AddBlock(source, 1, "Total");
  const std::string target = folder_.File("out/blocks.mct");
  std::filesystem::create_directories(folder_.Path() / "out");
  host_.Script().QueueFiles({target});
  host_.Driver().OnModal(pg::kExportName, [&](Dialog& dialog) {
    UserActions person(dialog);
    person.Check(pg::kToNewFile, true);
    person.Press(pg::kChoose);
    person.Press(1);
  });
  ASSERT_TRUE(enableMarkupExport(nullptr));
  execMarkupExport(nullptr);
  EXPECT_EQ(NewAlerts(), (NameList{"Number of blocks exported: 2."}));
  EXPECT_EQ(StoredBlockNames(target), (std::vector<NameList>{{"Price"}, {"Total"}}));
  EXPECT_EQ(source.GetPageView()->GetPageNum(), 0);
}

TEST_F(PropagationDialogTest, ExportToAnotherOpenDocumentChosenFromTheList) {
  viewer::Document& other = Open(WritePdf("other.pdf", 3));
  viewer::Document& source = Open(WritePdf("source.pdf", 1));
  AddBlock(source, 0, "Price");
  host_.Driver().OnModal(pg::kExportName, [&](Dialog& dialog) {
    UserActions person(dialog);
    ASSERT_TRUE(Enabled(dialog, pg::kToOpenDocument));
    person.Check(pg::kToOpenDocument, true);
    EXPECT_FALSE(Enabled(dialog, pg::kChosen));
    person.Press(pg::kChoose);
    EXPECT_EQ(Text(dialog, pg::kChosen), "other.pdf");
    EXPECT_EQ(Text(dialog, pg::kPageCount), "3");
    person.Check(pg::kRepeatSources, true);
    person.Press(1);
  });
  host_.Driver().OnModal("Zolt:ActiveDocuments", [&](Dialog& dialog) {
    UserActions person(dialog);
    person.Select(3, 0);
    EXPECT_EQ(Text(dialog, 4), "other.pdf");
    person.Press(1);
  });
  execMarkupExport(nullptr);
  EXPECT_EQ(NewAlerts(), (NameList{"Number of blocks exported: 3."}));
  for (int page = 0; page < 3; ++page) EXPECT_EQ(Names(other, page), (NameList{"Price"}));
}

TEST_F(PropagationDialogTest, ImportNeedsAFileThatIsNotOpen) {
  const std::string file = WritePdf("blocks.pdf", 1);
  {
    viewer::Document& blocks = Open(file);
    AddBlock(blocks, 0, "Logo");
    blocks.GetPDDoc()->Save(host::ASPathName(file), host::kPDSaveFull);
    host_.Host().Documents().Close(blocks, true);
  }
  viewer::Document& doc = Open(WritePdf("job.pdf", 2));
  host_.Script().QueueFiles({doc.GetPDDoc()->Path().Str()});
  host_.Script().QueueFiles({file});
  host_.Driver().OnModal(pg::kImportName, [&](Dialog& dialog) {
    UserActions person(dialog);
    EXPECT_FALSE(Enabled(dialog, pg::kSelectedBlocks));
    EXPECT_TRUE(On(dialog, pg::kAllBlocks));
    person.Press(1);
    EXPECT_EQ(NewAlerts(), (NameList{"Choose the file to import blocks from."}));
    person.Press(pg::kChoose);
    EXPECT_EQ(NewAlerts().size(), 1u) << "the document's own file is refused";
    person.Press(pg::kChoose);
    EXPECT_EQ(Text(dialog, pg::kChosen), file);
    person.Press(1);
  });
  ASSERT_TRUE(enableMarkupImport(reinterpret_cast<void*>(0x38)));
  execMarkupImport(nullptr);
  EXPECT_EQ(NewAlerts(), (NameList{"Number of blocks imported: 1 (from " + file + ")."}));
  EXPECT_EQ(Names(doc, 0), (NameList{"Logo"}));
  EXPECT_EQ(Names(doc, 1), (NameList{}));
}

TEST_F(PropagationDialogTest, TenBlocksOfPageOneGoToPagesTwoToThreeHundredAndAreSaved) {
  const std::string path = WritePdf("long.pdf", 300);
  viewer::Document& doc = Open(path);
  for (int i = 0; i < 10; ++i) AddBlock(doc, 0, "Block" + std::to_string(i), {50, 700.0 - 60 * i, 300, 740.0 - 60 * i});
  host_.Driver().OnModal(pg::kDuplicateName, [](Dialog& dialog) {
    UserActions person(dialog);
    person.Check(pg::kFromPages, true);
    person.SetText(pg::kFromPage, "2");
    person.SetText(pg::kToPage, "300");
    person.Press(1);
  });
  execMarkupDuplicate(nullptr);
  doc.GetPDDoc()->Save(host::ASPathName(path), host::kPDSaveFull);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(path));
  const std::vector<NameList> stored = StoredBlockNames(path);
  ASSERT_EQ(stored.size(), 300u);
  std::size_t total = 0;
  for (const NameList& page : stored) {
    EXPECT_EQ(std::set<std::string>(page.begin(), page.end()).size(), 10u);
    total += page.size();
  }
  EXPECT_EQ(total, 3000u);
  EXPECT_EQ(stored[299], stored[0]);
}

TEST_F(PropagationDialogTest, FileChooserFiltersAndTheProposedName) {
  std::vector<std::string> extensions;
  const std::vector<std::pair<std::string, NameList>> cases = {
      {"tif, tiff", {"tif", "tiff"}}, {"pdf", {"pdf"}}, {"", {""}}, {"jpg, jpeg, png", {"jpg", "jpeg", "png"}}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(CFileOpenSaveDialog::ParseFilterExtensions(text, extensions), static_cast<int>(expected.size()));
    EXPECT_EQ(extensions, expected) << text;
  }
  CFileOpenSaveDialog chooser("Export Blocks To");
  chooser.AddFilter("PDF documents", "pdf", kFileTypePDF, 0);
  chooser.AddFilter("Block files", "mct", kFileTypePDF, 0);
  const host::AVFileDialogParams save = chooser.HostParams(CFileOpenSaveDialog::kSave);
  EXPECT_EQ(save.title, "Export Blocks To");
  EXPECT_EQ(save.defaultName, "blocks.mct");
  ASSERT_EQ(save.filters.size(), 2u);
  EXPECT_EQ(save.filters[0].description, "PDF documents");
  EXPECT_EQ(save.filters[1].extensions, (NameList{"mct"}));
  EXPECT_EQ(chooser.HostParams(CFileOpenSaveDialog::kOpen).defaultName, "");
  std::string path = "unchanged";
  EXPECT_FALSE(chooser.ActivateSaveDialog("", path)) << "nothing answers the chooser";
  EXPECT_EQ(path, "unchanged");
}

}  // namespace
}  // namespace korvid::testing
