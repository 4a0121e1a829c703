// Page collections of real documents: loading with ID and name repair, new
// IDs, hit tests, Tab, duplication, the naming rule and the removal of old
// marked content.
#include <gtest/gtest.h>

#include <set>

#include <qpdf/QPDFPageObjectHelper.hh>

#include "blocktool/collections/BlockPages.h"
#include "blocktool/model/Service.h"

namespace {

using korvid::testing::BlockPages;
using korvid::testing::BlocksByName;
using korvid::testing::SavedFile;
using korvid::testing::SetValue;
using korvid::testing::StoredTree;
using korvid::testing::Value;
using korvid::testing::WriteBlankPdf;

// A stored block dictionary: its key doubles as its name unless given.
std::string StoredBlock(const std::string& key, const std::string& id, const std::string& name = "") {
  return "/" + key + " << /ID " + id + " /Name /" + (name.empty() ? key : name) + " /Rect [10 10 110 50] >> ";
}

void WriteStoredBlocks(const std::string& path, const std::vector<std::string>& pages) {
  WriteBlankPdf(path, static_cast<int>(pages.size()), [&](QPDF& qpdf, QPDFObjectHandle& page, int index) {
    page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version 7.0 /Blocks << " + pages[index] + ">> >>"));
  });
}

std::vector<int> IDs(const CMarkupPageCollection& page) {
  std::vector<int> ids;
  for (const auto& [id, block] : page.Entries()) {
    if (block) ids.push_back(id);
  }
  return ids;
}

class PageCollection : public ::testing::Test {
 protected:
  // The first page of a new blank document.
  CMarkupPageCollection& BlankPage() {
    WriteBlankPdf(in_, 1);
    return *pages_.Page(pages_.Open(in_), 0);
  }
  BlockPages pages_;
  std::string in_ = pages_.File("in.pdf");
};

TEST_F(PageCollection, StoredIDsThatCannotServeAreRenumberedAndWrittenBack) {
  WriteStoredBlocks(in_, {
                             // Keys in enumeration order carry IDs 4, 9, -1, 2.
                             StoredBlock("a", "4") + StoredBlock("b", "9") + StoredBlock("c", "-1") +
                                 StoredBlock("d", "2"),
                             // A repeated ID and one too large for the next ID to exist.
                             StoredBlock("e", "3") + StoredBlock("f", "3") + StoredBlock("g", "2147483647") +
                                 StoredBlock("h", "1"),
                             StoredBlock("i", "3") + StoredBlock("j", "7"),
                         });
  viewer::Document& doc = pages_.Open(in_);
  CMarkupPageCollection& first = *pages_.Page(doc, 0);
  EXPECT_EQ(IDs(first), (std::vector<int>{4, 9, 10, 11}));
  EXPECT_EQ(BlocksByName(first).at("d")->BlockID(), 11);
  EXPECT_EQ(first.BlockID(), 11);
  EXPECT_FALSE(first.Validate());

  CMarkupPageCollection& second = *pages_.Page(doc, 1);
  const auto byName = BlocksByName(second);
  EXPECT_EQ(byName.at("e")->BlockID(), 3);
  EXPECT_EQ(byName.at("f")->BlockID(), 4);
  EXPECT_EQ(byName.at("g")->BlockID(), 5);
  EXPECT_EQ(byName.at("h")->BlockID(), 6);
  EXPECT_FALSE(second.Validate());

  // IDs go on from the highest, and are never handed out twice.
  CMarkupPageCollection& third = *pages_.Page(doc, 2);
  EXPECT_TRUE(third.Validate());
  BlockRef drawn = pages_.NewBlock(third, {200, 200, 300, 300});
  EXPECT_EQ(drawn->BlockID(), 8);
  third.DeleteBlock(drawn.get());
  EXPECT_EQ(pages_.NewBlock(third, {200, 200, 300, 300})->BlockID(), 9);

  pages_.Save(doc, pages_.File("out.pdf"));
  SavedFile saved(pages_.File("out.pdf"));
  EXPECT_EQ(saved.Block(0, "c").getKey("/ID").getIntValue(), 10);
  EXPECT_EQ(saved.Block(1, "f").getKey("/ID").getIntValue(), 4);
  EXPECT_EQ(saved.Blocks(1).getKeys().size(), 4u);
}

TEST_F(PageCollection, RepairedNamesAreMadeUniqueReportedOnceAndWrittenBack) {
  WriteStoredBlocks(in_, {StoredBlock("x", "1", "a#2Fb") + StoredBlock("y", "2", "a_b") +
                          StoredBlock("z", "3", "#5Bc#5D") + StoredBlock("w", "4", "a_b")});
  viewer::Document& doc = pages_.Open(in_);
  EXPECT_EQ(pages_.Alerts().size(), 1u);
  CMarkupPageCollection& page = *pages_.Page(doc, 0);
  EXPECT_EQ(page.GetBlock(1)->BlockName(), "a_b");
  EXPECT_EQ(page.GetBlock(2)->BlockName(), "a_b.1");
  EXPECT_EQ(page.GetBlock(3)->BlockName(), "_c_");
  EXPECT_EQ(page.GetBlock(4)->BlockName(), "a_b.2");
  EXPECT_FALSE(page.Validate());
  pages_.Save(doc, pages_.File("out.pdf"));
  EXPECT_EQ(SavedFile(pages_.File("out.pdf")).Blocks(0).getKeys(),
            (std::set<std::string>{"/_c_", "/a_b", "/a_b.1", "/a_b.2"}));
}

TEST_F(PageCollection, CopiesMoveByTheFirstBlocksWidthAndHalfItsHeightAndTakeNumberedNames) {
  CMarkupPageCollection& page = BlankPage();
  BlockRef left = pages_.NewBlock(page, {10, 10, 110, 50});
  BlockRef right = pages_.NewBlock(page, {200, 10, 300, 50});
  SetValue(*left, "Name", "Price");
  SetValue(*right, "Name", "Total");
  page.SelectedGroup().AddBlock(left);
  page.SelectedGroup().AddBlock(right);
  left->Selected(true);
  page.DuplicateSelectedGroup(0, 0);
  const auto blocks = BlocksByName(page);
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks.at("Price.1")->BlockRect(), (host::AVRect{110, 30, 210, 70}));
  EXPECT_EQ(blocks.at("Total.1")->BlockRect(), (host::AVRect{300, 30, 400, 70}));
  // The copies are the selection now; the first of them is the selected block.
  EXPECT_EQ(page.GetSelectedBlock(), blocks.at("Price.1"));
  EXPECT_EQ(page.SelectedGroup().GetSize(), 2);
  EXPECT_FALSE(left->SelectedGroup());
  // Another copy of the first block: the next number, at the given offset.
  page.SelectedGroup().ClearAll();
  page.SelectedGroup().AddBlock(left);
  left->Selected(true);
  page.DuplicateSelectedGroup(5, 5);
  ASSERT_EQ(BlocksByName(page).count("Price.2"), 1u);
  EXPECT_EQ(BlocksByName(page).at("Price.2")->BlockRect(), (host::AVRect{15, 15, 115, 55}));
}

TEST_F(PageCollection, UniqueNamesCountUpAndFit125BytesOnCharacterBoundaries) {
  CMarkupPageCollection& page = BlankPage();
  BlockRef a = pages_.NewBlock(page, {0, 0, 10, 10});
  BlockRef a1 = pages_.NewBlock(page, {0, 20, 10, 30});
  SetValue(*a, "Name", "A");
  SetValue(*a1, "Name", "A.1");
  const std::string long124(124, 'n');
  std::string twoByte;
  for (int i = 0; i < 62; ++i) twoByte += "\xC3\xA9";
  const struct {
    std::string source;
    int ownID;
    std::string expected;
    bool truncated;
  } cases[] = {
      {"A", 99, "A.2", false},
      {"A", a->BlockID(), "A", false},  // the block that holds the name keeps it
      {"B", 99, "B", false},
      {long124, 99, long124, false},
      {std::string(130, 'u'), 99, std::string(125, 'u'), true},
      {twoByte, 99, twoByte, false},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(Service.CreateSafeUniqBlockName(page, c.source, out, c.ownID, ".", false), c.truncated);
    EXPECT_EQ(out, c.expected);
  }
  // Taken long names: the base is cut so that base and suffix fit.
  SetValue(*a1, "Name", long124);
  std::string out;
  EXPECT_TRUE(Service.CreateSafeUniqBlockName(page, long124, out, 99, ".", false));
  EXPECT_EQ(out, std::string(123, 'n') + ".1");
  SetValue(*a1, "Name", twoByte);
  EXPECT_TRUE(Service.CreateSafeUniqBlockName(page, twoByte, out, 99, ".", false));
  EXPECT_EQ(out, twoByte.substr(0, 122) + ".1");
  EXPECT_TRUE(host::text::IsValidUTF8(out));
  // Warned about once, when asked to.
  pages_.ClearAlerts();
  Service.CreateSafeUniqBlockName(page, std::string(130, 'u'), out, 99, ".", true);
  EXPECT_EQ(pages_.Alerts().size(), 1u);
}

TEST_F(PageCollection, TabPassesTheSelectedMarkAroundThePage) {
  WriteStoredBlocks(in_, {StoredBlock("a", "1") + StoredBlock("b", "2") + StoredBlock("c", "5")});
  viewer::Document& doc = pages_.Open(in_);
  CMarkupPageCollection& page = *pages_.Page(doc, 0);
  CMarkupBlock* five = page.GetBlock(5);
  page.SelectedGroup().AddBlock(page.GetBlockRef(5));
  page.SelectedGroup().AddBlock(page.GetBlockRef(2));
  five->Selected(true);
  page.ShiftSelection(1);
  EXPECT_EQ(page.GetSelectedBlock(), page.GetBlock(1));
  EXPECT_EQ(page.SelectedGroup().GetSize(), 1);  // 1 was not a member
  EXPECT_FALSE(five->SelectedGroup());
  page.SelectAll();
  page.ShiftSelection(-1);
  EXPECT_EQ(page.GetSelectedBlock(), five);
  EXPECT_EQ(page.SelectedGroup().GetSize(), 3);  // 5 was a member
  page.ShiftSelection(0);
  EXPECT_EQ(page.GetSelectedBlock(), five);
}

TEST_F(PageCollection, AClickFindsTheTopmostBlockUnlessTheSelectedOneIsThere) {
  CMarkupPageCollection& page = BlankPage();
  BlockRef low = pages_.NewBlock(page, {0, 0, 100, 100});
  BlockRef high = pages_.NewBlock(page, {50, 50, 150, 150});
  EXPECT_EQ(page.GetClickedBlock(75, 75), high.get());
  EXPECT_EQ(page.GetStackGroup().GetSize(), 2);
  low->Selected(true);
  page.SelectedGroup().AddBlock(low);
  EXPECT_EQ(page.GetClickedBlock(75, 75), low.get());
  EXPECT_EQ(page.GetClickedBlock(120, 120), high.get());
  EXPECT_EQ(page.GetStackGroup().GetSize(), 1);
  EXPECT_EQ(page.GetClickedBlock(300, 300), nullptr);
  EXPECT_EQ(page.GetStackGroup().GetSize(), 0);
  // Edges belong to the block; the first handle that holds the point wins.
  EXPECT_EQ(page.GetClickedBlock(150, 150), high.get());
  EXPECT_EQ(high->GetSelectedCursorPos(150, 150), 4);
  EXPECT_EQ(high->GetSelectedCursorPos(100, 100), 8);
}

TEST_F(PageCollection, OldMarkedContentIsRemovedOnLoadAndLeavesTheDocumentModified) {
  WriteBlankPdf(in_, 1, [](QPDF& qpdf, QPDFObjectHandle& page, int) {
    // Marked content nested far deeper than any page needs is left alone.
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "/Deep BMC ";
    deep += "/Zolt.block BMC 1 1 2 2 re f EMC";
    for (int i = 0; i < 100; ++i) deep += " EMC";
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(
                                     &qpdf, "q /Other BMC /Zolt.block BMC 0 0 10 10 re f EMC 5 5 m 9 9 l S EMC "
                                            "/Zolt.block << /MCID 1 >> BDC 1 0 0 RG 0 0 50 50 re S EMC Q\n" +
                                                deep));
  });
  viewer::Document& doc = pages_.Open(in_);
  EXPECT_TRUE(doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave);
  pages_.Save(doc, pages_.File("out.pdf"));
  SavedFile saved(pages_.File("out.pdf"));
  std::string bytes;
  for (QPDFObjectHandle& stream : QPDFPageObjectHelper(saved.Page(0)).getPageContents()) {
    const auto buffer = stream.getStreamData();
    bytes.append(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  }
  EXPECT_EQ(bytes.find("Zolt.block"), bytes.rfind("Zolt.block"));
  EXPECT_GT(bytes.find("Zolt.block"), bytes.find("/Deep BMC"));
  EXPECT_NE(bytes.find("/Other BMC"), std::string::npos);
  EXPECT_NE(bytes.find("9 9 l"), std::string::npos);
}

TEST_F(PageCollection, OpeningAndVisitingPagesLeavesTheDocumentUnmodified) {
  WriteStoredBlocks(in_, {StoredBlock("a", "1"), StoredBlock("b", "2"), ""});
  viewer::Document& doc = pages_.Open(in_);
  for (int page : {1, 2, 0}) {
    ASSERT_NE(pages_.Page(doc, page), nullptr);
    EXPECT_FALSE(doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave) << page;
  }
  pages_.Page(doc, 1)->GetBlock(2)->MoveBlock(1, 0);
  EXPECT_TRUE(doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave);
}

}  // namespace
