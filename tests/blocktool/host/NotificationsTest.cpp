// The block tool's document notifications, fed by the viewer's real events:
// documents opened, brought to the front, closed and saved, pages changed,
// zoomed and replaced.
#include <gtest/gtest.h>

#include "blocktool/collections/BlockPages.h"
#include "blocktool/host/MarkupContentNotification.h"
#include "blocktool/model/Service.h"
#include "viewer/core/Host.h"

namespace {

using korvid::testing::BlockPages;
using korvid::testing::SavedFile;
using korvid::testing::StoredTree;
using korvid::testing::WriteBlankPdf;

// One stored block on each page listed; versions by page (7.0 if not given).
void WriteBlocksOnPages(const std::string& path, int pages, const std::vector<int>& withBlocks,
                        const std::map<int, std::string>& versions = {}) {
  WriteBlankPdf(path, pages, [&](QPDF& qpdf, QPDFObjectHandle& page, int index) {
    if (std::find(withBlocks.begin(), withBlocks.end(), index) == withBlocks.end()) return;
    const std::string name = "p" + std::to_string(index);
    const auto version = versions.find(index);
    page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version " +
                                                       (version == versions.end() ? "7.0" : version->second) +
                                                       " /Blocks << /" + name + " << /ID 1 /Name /" + name +
                                                       " /Rect [10 10 110 50] >> >> >>"));
  });
}

class Notifications : public ::testing::Test {
 protected:
  viewer::Host& Host() { return pages_.Harness().Host(); }
  BlockPages pages_;
};

TEST_F(Notifications, EveryHandlerIsRegisteredOnceAndGoesAtUnload) {
  using host::AVNotification;
  const AVNotification selectors[] = {
      AVNotification::PageViewDidChange,     AVNotification::PageViewWillDraw,      AVNotification::PageViewDidDraw,
      AVNotification::AVDocDidOpen,          AVNotification::AVDocWillClose,        AVNotification::AVAppFrontDocDidChange,
      AVNotification::PDDocWillReplacePages, AVNotification::PDDocDidReplacePages, AVNotification::PDDocDidChangePages,
      AVNotification::PDDocWillSaveEx,       AVNotification::PDDocWillSave,         AVNotification::PDDocDidSave};
  for (AVNotification which : selectors) EXPECT_EQ(Host().Notifications().NumHandlers(which), 1);
  ASSERT_NE(pMrkupCollectionMap, nullptr);
  pages_.Harness().UnloadAll();
  for (AVNotification which : selectors) EXPECT_EQ(Host().Notifications().NumHandlers(which), 0);
  EXPECT_EQ(pMrkupCollectionMap, nullptr);
}

TEST_F(Notifications, TheSupportedFormatFlagFollowsTheFrontDocument) {
  WriteBlocksOnPages(pages_.File("newer.pdf"), 1, {0}, {{0, "8.0"}});
  WriteBlocksOnPages(pages_.File("plain.pdf"), 1, {0});
  viewer::Document& newer = pages_.Open(pages_.File("newer.pdf"));
  EXPECT_EQ(bSupportedBlockSpecVersion, 0);
  EXPECT_EQ(pages_.Alerts().size(), 1u);
  viewer::Document& plain = pages_.Open(pages_.File("plain.pdf"));
  EXPECT_EQ(bSupportedBlockSpecVersion, 1);
  Host().Documents().BringToFront(newer);
  pages_.Harness().Settle();
  EXPECT_EQ(bSupportedBlockSpecVersion, 0);
  EXPECT_EQ(Service.GetDocMarkupPageCollection(&newer), nullptr);
  EXPECT_NE(Service.GetDocMarkupPageCollection(&plain), nullptr);
  // The list of other documents never holds the active one.
  const std::vector<ActiveDocument> others = OtherOpenDocuments();
  ASSERT_EQ(others.size(), 1u);
  EXPECT_EQ(others[0].doc, &plain);
  EXPECT_EQ(others[0].title, "plain.pdf");
}

TEST_F(Notifications, ClosingADocumentDropsItsCollection) {
  WriteBlocksOnPages(pages_.File("a.pdf"), 1, {0});
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  ASSERT_NE(pages_.DocCollection(doc), nullptr);
  host::AVDoc* closed = &doc;
  pages_.Close(doc);
  EXPECT_EQ(pMrkupCollectionMap->FindDocument(closed), nullptr);
  EXPECT_EQ(pMrkupCollectionMap->ActiveDoc(), nullptr);
}

TEST_F(Notifications, ASaveWritesTheBlocksOfTheDocumentSavedWhicheverIsInFront) {
  WriteBlankPdf(pages_.File("front.pdf"), 1);
  WriteBlankPdf(pages_.File("hidden.pdf"), 1);
  viewer::Document& front = pages_.Open(pages_.File("front.pdf"));
  viewer::Document& hidden = pages_.Open(pages_.File("hidden.pdf"), false);
  ASSERT_EQ(Host().Documents().Front(), &front);
  CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(&hidden);
  ASSERT_NE(page, nullptr);
  pages_.NewBlock(*page, {10, 10, 110, 50});
  pages_.Save(hidden, pages_.File("hidden-saved.pdf"));
  EXPECT_EQ(SavedFile(pages_.File("hidden-saved.pdf")).Blocks(0).getKeys().size(), 1u);
}

TEST_F(Notifications, BlocksAreWrittenWhicheverWillSaveComesFirst) {
  WriteBlankPdf(pages_.File("a.pdf"), 1);
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  pages_.NewBlock(*pages_.Page(doc, 0), {10, 10, 110, 50});
  host::AVNotificationArgs args;
  args.pdDoc = doc.GetPDDoc();
  Host().Notify(host::AVNotification::PDDocWillSaveEx, args);
  Host().Notify(host::AVNotification::PDDocWillSave, args);
  doc.Pdf().WriteTo(pages_.File("out.pdf"));
  Host().Notify(host::AVNotification::PDDocDidSave, args);
  EXPECT_EQ(bSaveAsInProgress, 0);
  EXPECT_EQ(SavedFile(pages_.File("out.pdf")).Blocks(0).getKeys().size(), 1u);
  EXPECT_TRUE(pages_.Page(doc, 0)->Validate());
}

TEST_F(Notifications, ASaveWithoutChangesRewritesNoBlockTree) {
  WriteBlocksOnPages(pages_.File("a.pdf"), 3, {0, 1, 2});
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  pages_.Page(doc, 1);
  doc.View().SetZoomFactor(3.0);
  pages_.Page(doc, 0);
  bool anyRewrite = false;
  for (const auto& collection : pages_.DocCollection(doc)->PageCollections()) {
    anyRewrite |= !collection->Validate();
  }
  EXPECT_FALSE(anyRewrite);
  EXPECT_FALSE(doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave);
  pages_.Save(doc, pages_.File("out.pdf"));
  SavedFile before(pages_.File("a.pdf"));
  SavedFile after(pages_.File("out.pdf"));
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(after.Blocks(page).unparseResolved(), before.Blocks(page).unparseResolved());
    // The page's own entries are untouched; the tree was never rebuilt.
    EXPECT_FALSE(after.Page(page).hasKey("/LastModified"));
  }
}

TEST_F(Notifications, SavingWithTheBlockToolActiveSwitchesItOffMeanwhile) {
  // A stand-in for the block tool: its type is what the handlers look for.
  static std::vector<std::string> calls;
  calls.clear();
  host::AVToolRec tool;
  tool.GetType = [](host::AVToolRec*) { return atMarkupTool; };
  tool.Activate = [](host::AVToolRec*, bool) { calls.push_back("activate"); };
  tool.Deactivate = [](host::AVToolRec*) { calls.push_back("deactivate"); };
  Host().AcroView().RegisterTool(&tool);
  WriteBlankPdf(pages_.File("a.pdf"), 1);
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  Host().SetActiveTool(&tool, true);
  calls.clear();
  pages_.Save(doc, pages_.File("out.pdf"));
  EXPECT_EQ(calls, (std::vector<std::string>{"deactivate", "activate"}));
  EXPECT_EQ(Host().Tools().Active(), &tool);
  // A tool put down before the save stays down after it.
  Host().SetActiveTool(Host().Tools().Default(), true);
  pages_.Save(doc, pages_.File("out2.pdf"));
  EXPECT_EQ(Host().Tools().Active(), Host().Tools().Default());
  Host().Tools().UnregisterPluginTools();
}

TEST_F(Notifications, BoundFormFieldsAreHiddenWhileTheToolIsOnAndSavedShown) {
  static host::AVToolRec tool;
  tool.GetType = [](host::AVToolRec*) { return atMarkupTool; };
  Host().AcroView().RegisterTool(&tool);
  Host().SetActiveTool(&tool, true);
  WriteBlankPdf(pages_.File("a.pdf"), 1, [](QPDF& qpdf, QPDFObjectHandle& page, int) {
    QPDFObjectHandle widget = qpdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Annot /Subtype /Widget /FT /Tx /T (f) /Rect [10 10 110 50] /F 4 >>"));
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({widget}));
    QPDFObjectHandle pieceInfo = StoredTree(qpdf, "<< /Version 7.0 /Blocks << >> >>");
    QPDFObjectHandle block =
        QPDFObjectHandle::parse("<< /ID 1 /Name /f /Rect [10 10 110 50] /AcroForm_Flags 4 >>");
    block.replaceKey("/AcroForm", widget);
    pieceInfo.getKey("/Korvid").getKey("/Private").getKey("/Blocks").replaceKey("/f", block);
    page.replaceKey("/PieceInfo", pieceInfo);
  });
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  const host::PDAnnot annot = doc.GetPDDoc()->AcquirePage(0)->GetAnnot(0);
  EXPECT_EQ(annot.Flags(), 4 | host::kPDAnnotHidden);
  EXPECT_FALSE(doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave);
  EXPECT_EQ(pages_.Page(doc, 0)->BlockIDFromAnnotation(annot), 1);
  pages_.Save(doc, pages_.File("out.pdf"));
  EXPECT_EQ(SavedFile(pages_.File("out.pdf")).Page(0).getKey("/Annots").getArrayItem(0).getKey("/F").getIntValue(), 4);
  EXPECT_EQ(Host().Tools().Active(), &tool);
  // A tool put down before the save stays down after it.
  Host().SetActiveTool(Host().Tools().Default(), true);
  pages_.Save(doc, pages_.File("out2.pdf"));
  EXPECT_EQ(Host().Tools().Active(), Host().Tools().Default());
  Host().Tools().UnregisterPluginTools();
}

TEST_F(Notifications, ZoomBeyondTheLimitDisablesTheToolAndIsReportedOnce) {
  WriteBlocksOnPages(pages_.File("a.pdf"), 1, {0});
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  pages_.ClearAlerts();
  for (int i = 0; i < 2; ++i) {
    doc.View().SetZoomFactor(1.0e7);
    pages_.Harness().Settle();
    EXPECT_EQ(bMaxZoomLimitationActive, 1);
    doc.View().SetZoomFactor(1.0);
    pages_.Harness().Settle();
    EXPECT_EQ(bMaxZoomLimitationActive, 0);
  }
  EXPECT_EQ(pages_.Alerts().size(), 1u);
  EXPECT_EQ(pages_.Page(doc, 0)->GetBlock(1)->BlockRect(), (host::AVRect{10, 742, 110, 782}));
}

TEST_F(Notifications, ReplacedPagesKeepTheirCollectionsWhichAreWrittenAgain) {
  WriteBlocksOnPages(pages_.File("a.pdf"), 3, {1});
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  host::AVNotificationArgs args;
  args.pdDoc = doc.GetPDDoc();
  args.first = 1;
  args.last = 2;
  Host().Notify(host::AVNotification::PDDocWillReplacePages, args);
  CMarkupPageCollection* replaced = pages_.DocCollection(doc)->PageCollection(1);
  ASSERT_NE(replaced, nullptr);
  EXPECT_TRUE(replaced->Validate());
  const int flags = doc.GetPDDoc()->Flags();
  Host().Notify(host::AVNotification::PDDocDidReplacePages, args);
  EXPECT_EQ(pages_.DocCollection(doc)->PageCollection(1), replaced);
  EXPECT_FALSE(replaced->Validate());
  EXPECT_EQ(doc.GetPDDoc()->Flags(), flags);
}

TEST_F(Notifications, KeptFlagsNestAndAcceptedChangesSurviveEveryLevel) {
  WriteBlankPdf(pages_.File("a.pdf"), 1);
  viewer::Document& doc = pages_.Open(pages_.File("a.pdf"));
  CMarkupDocCollection& collection = *pages_.DocCollection(doc);
  host::PDDoc& pd = *doc.GetPDDoc();
  collection.KeepFlags();
  collection.KeepFlags();
  pd.SetFlags(host::kPDDocNeedsSave);
  collection.RestoreFlags();
  EXPECT_FALSE(pd.Flags() & host::kPDDocNeedsSave);
  pd.SetFlags(host::kPDDocNeedsSave);
  collection.RestoreFlags();
  EXPECT_FALSE(pd.Flags() & host::kPDDocNeedsSave);
  collection.KeepFlags();
  collection.KeepFlags();
  pd.SetFlags(host::kPDDocNeedsSave);
  collection.AcceptFlagChanges();
  collection.RestoreFlags();
  collection.RestoreFlags();
  EXPECT_TRUE(pd.Flags() & host::kPDDocNeedsSave);
}

}  // namespace
