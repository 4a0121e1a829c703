// Document collections: which pages a save writes, what counts as blocks of
// a document, the registry of open documents and the default properties.
#include <gtest/gtest.h>

#include "blocktool/collections/BlockPages.h"
#include "blocktool/model/Service.h"

namespace {

using korvid::testing::BlockPages;
using korvid::testing::SavedFile;
using korvid::testing::SetValue;
using korvid::testing::StoredTree;
using korvid::testing::WriteBlankPdf;

class DocumentCollection : public ::testing::Test {
 protected:
  // A block stored on every page.
  viewer::Document& OpenWithBlocks(int pages) {
    WriteBlankPdf(pages_.File("in.pdf"), pages, [](QPDF& qpdf, QPDFObjectHandle& page, int index) {
      const std::string name = "p" + std::to_string(index);
      page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version 7.0 /Blocks << /" + name + " << /ID 1 /Name /" +
                                                         name + " /Rect [10 10 110 50] >> >> >>"));
    });
    return pages_.Open(pages_.File("in.pdf"));
  }
  BlockPages pages_;
};

TEST_F(DocumentCollection, ASaveWritesOnlyThePagesWhoseBlocksChanged) {
  viewer::Document& doc = OpenWithBlocks(4);
  for (int page : {1, 2}) pages_.Page(doc, page);
  pages_.Page(doc, 2)->GetBlock(1)->MoveBlock(0, 5);
  pages_.Page(doc, 0);
  pages_.Save(doc, pages_.File("out.pdf"));
  SavedFile saved(pages_.File("out.pdf"));
  for (int page = 0; page < 4; ++page) {
    EXPECT_EQ(saved.Page(page).hasKey("/LastModified"), page == 2) << page;
    EXPECT_EQ(saved.Blocks(page).getKeys().size(), 1u) << page;
  }
  // The page never loaded keeps even the labels it was stored with.
  EXPECT_EQ(saved.Korvid(3).getKey("/LastModified").getStringValue(), "D:20040101120000");
  EXPECT_EQ(saved.Block(2, "p2").getKey("/Rect").unparse(), "[ 10 5 110 45 ]");
}

TEST_F(DocumentCollection, AKeptSlotStillCountsAsBlocksOfTheDocument) {
  viewer::Document& doc = OpenWithBlocks(2);
  CMarkupDocCollection& collection = *pages_.DocCollection(doc);
  CMarkupPageCollection& page = *pages_.Page(doc, 0);
  EXPECT_TRUE(collection.HasBlocks());
  EXPECT_FALSE(collection.HasSelectedBlocks());
  page.SelectAll();
  EXPECT_TRUE(collection.HasSelectedBlocks());
  page.DeleteSelectedGroup();
  EXPECT_FALSE(page.HasValidBlocks());
  EXPECT_TRUE(collection.HasBlocks());
}

TEST_F(DocumentCollection, TheRegistryForgetsClosedDocumentsAndItsActiveOne) {
  viewer::Document& doc = OpenWithBlocks(1);
  ASSERT_EQ(pMrkupCollectionMap->FindDocument(&doc), pages_.DocCollection(doc));
  EXPECT_EQ(pMrkupCollectionMap->ActiveDoc(), &doc);
  int never = 0;
  pMrkupCollectionMap->RemoveDocument(reinterpret_cast<host::AVDoc*>(&never));
  EXPECT_EQ(pMrkupCollectionMap->ActiveDoc(), nullptr);
  EXPECT_NE(pMrkupCollectionMap->FindDocument(&doc), nullptr);
  EXPECT_EQ(pMrkupCollectionMap->FindDocument(nullptr), nullptr);
  EXPECT_EQ(pMrkupCollectionMap->NewDocument(nullptr), nullptr);
}

TEST_F(DocumentCollection, DefaultsAreKeptByClassAndMergedOnTheNextStore) {
  viewer::Document& doc = OpenWithBlocks(1);
  CDefaultPropertiesCollection& defaults = *pMrkupCollectionMap->DefaultPropCollection();
  EXPECT_EQ(&defaults, &pages_.DocCollection(doc)->DefaultPropCollection());
  CMarkupBlock& block = *pages_.Page(doc, 0)->GetBlock(1);
  SetValue(block, "fontsize", "30");
  SetValue(block, "linewidth", "2");
  defaults.DefaultPropertiesList(block.PropertyList());
  for (PropertyClass kind : {PropGeneral, PropText, PropTextflow, PropRulerTab, PropCustom}) {
    ASSERT_NE(defaults.DefaultPropertiesList(kind), nullptr) << kind;
  }
  EXPECT_EQ(defaults.DefaultPropertiesList(PropImage), nullptr);
  EXPECT_EQ(defaults.DefaultPropertiesList(PropText)->GetProperty("fontsize")->TagValue(), "30");
  // A later store copies the values of its class into the entry.
  SetValue(block, "fontsize", "8");
  SetValue(block, "linewidth", "3");
  defaults.DefaultPropertiesList(PropText, *block.PropertyList());
  EXPECT_EQ(defaults.DefaultPropertiesList(PropText)->GetProperty("fontsize")->TagValue(), "8");
  EXPECT_EQ(defaults.DefaultPropertiesList(PropGeneral)->GetProperty("linewidth")->TagValue(), "2");
}

}  // namespace
