// Blocks stored in real files: written through the viewer's save, read with
// qpdf from outside, opened again in a fresh viewer and compared.
#include <gtest/gtest.h>

#include <set>

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

using MakeBlocks = std::function<void(BlockPages&, CMarkupPageCollection&)>;
using CheckBlocks = std::function<void(BlockPages&, CMarkupPageCollection&)>;

std::set<std::string> Keys(QPDFObjectHandle dict) {
  std::set<std::string> keys;
  for (const std::string& key : dict.getKeys()) keys.insert(key.substr(1));
  return keys;
}

std::string Local(std::string text, char separator) {
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  return text;
}

// Blocks made on page 1 of a blank file and saved to out.pdf, which qpdf
// accepts; answers the saved file's path (in folder).
std::string WriteBlocks(const korvid::testing::TempDir& folder, const MakeBlocks& make, char separator = '.') {
  const std::string in = folder.File("in.pdf");
  const std::string out = folder.File("out.pdf");
  WriteBlankPdf(in, 2);
  BlockPages pages(separator);
  viewer::Document& doc = pages.Open(in);
  make(pages, *pages.Page(doc, 0));
  pages.Save(doc, out);
  EXPECT_TRUE(korvid::testing::QpdfCheckPasses(out));
  return out;
}

// The saved file opened in a fresh viewer; check sees its first page.
void ReadBlocks(const std::string& path, const CheckBlocks& check, char separator = '.') {
  BlockPages pages(separator);
  viewer::Document& doc = pages.Open(path);
  CMarkupPageCollection* page = pages.Page(doc, 0);
  ASSERT_NE(page, nullptr);
  check(pages, *page);
}

class Storage : public ::testing::Test {
 protected:
  korvid::testing::TempDir folder_;
};

TEST_F(Storage, NewBlocksStoreTheirRequiredAndChangedPropertiesAndReadBackWhole) {
  std::map<std::string, std::map<std::string, std::string>> written;
  const std::string out = WriteBlocks(folder_, [&](BlockPages& pages, CMarkupPageCollection& page) {
    for (const PropertyClass kind : {PropText, PropImage, PropPDF}) {
      BlockRef block = pages.NewBlock(page, {10, 10 + 60 * page.GetSize(), 110, 50 + 60 * page.GetSize()}, kind);
      SetValue(*block, "Description", "note");
      block->PropertyList()->ForEachProperty(
          [&](const CMarkupProperties& p) { written[block->BlockName()][p.TagName()] = p.TagValue(); });
    }
  });
  SavedFile saved(out);
  const std::set<std::string> common = {"ID", "Name", "Type", "Subtype", "Rect", "fitmethod", "Description"};
  std::set<std::string> text = common;
  text.insert({"fontname", "fontsize"});
  const std::vector<std::set<std::string>> expected = {text, common, common};
  int index = 0;
  for (const auto& [name, values] : written) {
    SCOPED_TRACE(name);
    QPDFObjectHandle block = saved.Block(0, name);
    ASSERT_TRUE(block.isDictionary());
    EXPECT_EQ(Keys(block), expected[static_cast<std::size_t>(index++)]);
  }
  ReadBlocks(out, [&](BlockPages&, CMarkupPageCollection& page) {
    const auto blocks = BlocksByName(page);
    ASSERT_EQ(blocks.size(), written.size());
    for (const auto& [name, values] : written) {
      // Arrays read back with a blank after every element.
      for (const auto& [property, value] : values) {
        EXPECT_EQ(CService::TrimRight(Value(*blocks.at(name), property)), value) << property;
      }
    }
  });
}

TEST_F(Storage, TextFlowDecidesWhichOfItsPropertiesAreStored) {
  std::string flowing;
  std::string fixed;
  const std::string out = WriteBlocks(folder_, [&](BlockPages& pages, CMarkupPageCollection& page) {
    for (bool flow : {true, false}) {
      BlockRef block = pages.NewBlock(page, {10, flow ? 10 : 100, 110, flow ? 50 : 140});
      if (flow) SetValue(*block, "textflow", Service.GetStringByID(str::kTrue));
      SetValue(*block, "position", "10 20");
      SetValue(*block, "alignment", "right");
      SetValue(*block, "leading", "120%");
      (flow ? flowing : fixed) = block->BlockName();
    }
  });
  SavedFile saved(out);
  const std::set<std::string> flowKeys = Keys(saved.Block(0, flowing));
  EXPECT_EQ(flowKeys.count("position"), 0u);
  EXPECT_EQ(flowKeys.count("alignment"), 1u);
  EXPECT_EQ(flowKeys.count("leading"), 1u);
  const std::set<std::string> fixedKeys = Keys(saved.Block(0, fixed));
  EXPECT_EQ(fixedKeys.count("position"), 1u);
  EXPECT_EQ(fixedKeys.count("alignment"), 0u);
  EXPECT_EQ(fixedKeys.count("leading"), 0u);
}

class StoredNumbers : public ::testing::TestWithParam<char> {};

TEST_P(StoredNumbers, TakeTheirStoredFormAndReadBackInLocalText) {
  const char separator = GetParam();
  const struct {
    PropertyClass kind;
    bool textflow;
    const char* property;
    const char* value;   // "." stands for the local separator
    const char* stored;  // as qpdf writes the object
    const char* back;
  } cases[] = {
      {PropText, false, "fontsize", "12", "12", "12"},
      {PropText, false, "fontsize", "12.5", "12.5", "12.50"},
      {PropText, false, "fontsize", "0.1", "0.1", "0.100"},
      {PropText, false, "margin", "1.0 2.0", "[ 1 2 ]", "1 2 "},
      {PropText, false, "charspacing", "100%", "[ 100.0 (%) ]", "100%"},
      {PropText, false, "charspacing", "7.5%", "[ 7.5 (%) ]", "7.50%"},
      {PropText, false, "position", "50 50", "[ 50 ]", "50 "},
      {PropImage, false, "scale", "2 2", "[ 2 ]", "2 "},
      {PropText, true, "tabalignchar", ",", "44", ","},
      {PropText, true, "tabalignchar", "\xF0\x9F\x98\x80", "128512", "\xF0\x9F\x98\x80"},
      // Too large for 16.16: a plain real, and a whole number as an integer.
      {PropText, false, "linewidth", "40000.5", "40000.50", "40000.50"},
      {PropPDF, false, "defaultpdfpage", "3000000000", "3000000000", "3000000000"},
  };
  std::vector<std::string> names;
  korvid::testing::TempDir folder;
  const std::string out = WriteBlocks(
      folder,
      [&](BlockPages& pages, CMarkupPageCollection& page) {
        int top = 0;
        for (const auto& c : cases) {
          BlockRef block = pages.NewBlock(page, {10, top, 110, top + 20}, c.kind);
          top += 25;
          if (c.textflow) SetValue(*block, "textflow", Service.GetStringByID(str::kTrue));
          SetValue(*block, c.property, Local(c.value, separator));
          names.push_back(block->BlockName());
        }
        pages.Save(*pages.Harness().Host().Documents().Front(), folder.File("first.pdf"));
        // Writing leaves the value in memory as it was.
        EXPECT_EQ(Value(*page.GetBlock(page.IsBlockNameKnown(names[8])), "tabalignchar"), ",");
      },
      separator);
  SavedFile saved(out);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].value);
    EXPECT_EQ(saved.Block(0, names[i]).getKey(std::string("/") + cases[i].property).unparse(), cases[i].stored);
  }
  ReadBlocks(
      out,
      [&](BlockPages&, CMarkupPageCollection& page) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
          SCOPED_TRACE(cases[i].value);
          const CMarkupBlock* block = page.GetBlock(page.IsBlockNameKnown(names[i]));
          ASSERT_NE(block, nullptr);
          EXPECT_EQ(Value(*block, cases[i].property), Local(cases[i].back, separator));
        }
      },
      separator);
}

INSTANTIATE_TEST_SUITE_P(Separators, StoredNumbers, ::testing::Values('.', ','));

TEST_F(Storage, RulerKeepsEveryPosition) {
  std::string name;
  const std::string out = WriteBlocks(folder_, [&](BlockPages& pages, CMarkupPageCollection& page) {
    BlockRef block = pages.NewBlock(page, {10, 10, 110, 50});
    SetValue(*block, "textflow", Service.GetStringByID(str::kTrue));
    SetValue(*block, "hortabmethod", Service.GetStringByID(str::kRulerTabMethod));
    SetValue(*block, "ruler", "10 10 20");
    SetValue(*block, "tabalignment", "left left right");
    block->PropertyList()->ParseTexFlowRuler();
    name = block->BlockName();
  });
  SavedFile saved(out);
  EXPECT_EQ(saved.Block(0, name).getKey("/ruler").unparse(), "[ 10 10 20 ]");
  EXPECT_EQ(saved.Block(0, name).getKey("/tabalignment").unparse(), "[ /left /left /right ]");
}

TEST_F(Storage, CustomPropertiesGoUnderTheirUTF8NameAndReadBackAsCustomOnly) {
  const std::string name = "Gr\xC3\xB6\xC3\x9F" "e";
  const std::string in = folder_.File("custom.pdf");
  // A stored Custom holding a dictionary, a nested Custom, and an entry named
  // like a standard property; an Internal holding a standard property.
  WriteBlankPdf(in, 1, [](QPDF& qpdf, QPDFObjectHandle& page, int) {
    page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version 7.0 /Blocks << /a << /ID 1 /Name /a /Custom << "
                                                   "/Deep << /x 1 >> /Custom << /y (z) >> /fontsize 30 /Count 3 >> "
                                                   "/Internal << /Description (inside) /Custom << /w 1 >> >> >> >> >>"));
  });
  {
    BlockPages pages;
    viewer::Document& doc = pages.Open(in);
    CMarkupPageCollection& page = *pages.Page(doc, 0);
    CMarkupBlock& stored = *page.GetBlock(1);
    CMarkupBlockProperties& list = *stored.PropertyList();
    EXPECT_EQ(list.GetProperty("Deep"), nullptr);
    EXPECT_EQ(list.GetProperty("Custom"), nullptr);
    EXPECT_EQ(list.GetProperty("y"), nullptr);
    EXPECT_EQ(list.GetProperty("w"), nullptr);
    EXPECT_EQ(Value(stored, "fontsize"), "12");
    EXPECT_EQ(list.GetProperty("fontsize")->GetStoredClass(), PropText);
    EXPECT_EQ(Value(stored, "Count"), "3");
    EXPECT_EQ(list.GetProperty("Count")->GetStoredClass(), PropCustom);
    EXPECT_EQ(Value(stored, "Description"), "inside");
    EXPECT_TRUE(list.GetProperty("Description")->TagHasMode(mode::kInternal));
    list.AddNewProperty(name, "", "", PropCustom, 0);
    list.GetProperty(name)->TagValue("gro\xC3\x9F");
    stored.Validate(false);
    page.Validate(false);
    pages.Save(doc, folder_.File("out.pdf"));
  }
  SavedFile saved(folder_.File("out.pdf"));
  QPDFObjectHandle custom = saved.Block(0, "a").getKey("/Custom");
  EXPECT_EQ(Keys(custom), (std::set<std::string>{"Count", name}));
  EXPECT_EQ(custom.getKey("/" + name).getUTF8Value(), "gro\xC3\x9F");
  EXPECT_FALSE(saved.Block(0, "a").hasKey("/Internal"));
  ReadBlocks(folder_.File("out.pdf"), [&](BlockPages&, CMarkupPageCollection& page) {
    const CMarkupProperties* property = page.GetBlock(1)->PropertyList()->GetProperty(name);
    ASSERT_NE(property, nullptr);
    EXPECT_EQ(property->TagASTextName().UTF8(), name);
    EXPECT_EQ(property->TagValue(), "gro\xC3\x9F");
  });
}

TEST_F(Storage, AColourSetToNoneIsNotStoredAndReadsBackAsTheDefault) {
  std::string name;
  const std::string out = WriteBlocks(folder_, [&](BlockPages& pages, CMarkupPageCollection& page) {
    BlockRef block = pages.NewBlock(page, {10, 10, 110, 50});
    SetValue(*block, "fillcolor", "");
    SetValue(*block, "strokecolor", "DeviceRGB [1 0 0]");
    // Components that do not fit the space: nothing rather than a broken entry.
    SetValue(*block, "backgroundcolor", "DeviceRGB [1 0]");
    name = block->BlockName();
  });
  SavedFile saved(out);
  EXPECT_FALSE(saved.Block(0, name).hasKey("/fillcolor"));
  EXPECT_FALSE(saved.Block(0, name).hasKey("/backgroundcolor"));
  EXPECT_EQ(saved.Block(0, name).getKey("/strokecolor").unparse(), "[ /DeviceRGB [ 1.0 0.0 0.0 ] ]");
  ReadBlocks(out, [&](BlockPages&, CMarkupPageCollection& page) {
    const CMarkupBlock& block = *BlocksByName(page).at(name);
    EXPECT_EQ(Value(block, "fillcolor"), "DeviceGray [0]");
    EXPECT_EQ(Value(block, "strokecolor"), "DeviceRGB [1 0 0]");
  });
}

// Page 1 holds a block beside another application's entry; page 2 only a block.
void WriteTwoPagesWithOneBlockEach(const std::string& path) {
  WriteBlankPdf(path, 2, [](QPDF& qpdf, QPDFObjectHandle& page, int index) {
    QPDFObjectHandle pieceInfo = StoredTree(qpdf, "<< /Version 7.0 /PluginVersion (3.4) /Blocks << /b" +
                                                      std::to_string(index) + " << /ID 1 /Name /b" +
                                                      std::to_string(index) + " /Rect [10 10 110 50] >> >> >>");
    if (index == 0) pieceInfo.replaceKey("/Other", QPDFObjectHandle::parse("<< /Private (theirs) >>"));
    page.replaceKey("/PieceInfo", pieceInfo);
  });
}

TEST_F(Storage, APageWhoseLastBlockWasDeletedHoldsNoTreeAndKeepsOtherEntries) {
  const std::string in = folder_.File("in.pdf");
  WriteTwoPagesWithOneBlockEach(in);
  {
    BlockPages pages;
    viewer::Document& doc = pages.Open(in);
    for (int index : {0, 1}) {
      CMarkupPageCollection& page = *pages.Page(doc, index);
      page.DeleteBlock(page.GetBlock(1));
    }
    pages.Save(doc, folder_.File("out.pdf"));
  }
  ASSERT_TRUE(korvid::testing::QpdfCheckPasses(folder_.File("out.pdf")));
  SavedFile saved(folder_.File("out.pdf"));
  EXPECT_EQ(Keys(saved.Page(0).getKey("/PieceInfo")), std::set<std::string>{"Other"});
  EXPECT_EQ(saved.Page(0).getKey("/PieceInfo").getKey("/Other").getKey("/Private").getStringValue(), "theirs");
  EXPECT_FALSE(saved.Page(1).hasKey("/PieceInfo"));
  // The page is dated by the write.
  EXPECT_EQ(saved.Page(0).getKey("/LastModified").getStringValue().substr(0, 2), "D:");
}

TEST_F(Storage, FormatVersionsDecideWhatIsReadAndKept) {
  const struct {
    const char* version;  // "" for a page without a tree
    double read;
    bool supported;
  } cases[] = {{"5", 5, true},      {"5.0", 5, true},    {"", 0, true},    {"7.9", 7.9, true},
               {"(7)", 0, true},    {"8.0", 8, false},   {"12", 12, false}};
  const std::string in = folder_.File("versions.pdf");
  WriteBlankPdf(in, static_cast<int>(std::size(cases)), [&](QPDF& qpdf, QPDFObjectHandle& page, int index) {
    const std::string version = cases[index].version;
    if (version.empty()) return;
    page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version " + version +
                                                       " /PluginVersion (2.0) /Blocks << /v << /ID 1 /Name /v "
                                                       "/Rect [10 10 110 50] >> >> >>"));
  });
  const std::string storedNewer = SavedFile(in).Korvid(5).unparseResolved();
  {
    BlockPages pages;
    viewer::Document& doc = pages.Open(in);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(cases[i].version);
      pages.ClearAlerts();
      CMarkupPageCollection* page = pages.Page(doc, static_cast<int>(i));
      CMarkupPageCollection* loaded = pages.DocCollection(doc)->PageCollection(static_cast<int>(i));
      ASSERT_NE(loaded, nullptr);
      EXPECT_NEAR(loaded->BlockFormatVersion(), cases[i].read, 1e-4);
      EXPECT_EQ(page != nullptr, cases[i].supported);
      EXPECT_EQ(pages.Alerts().size(), cases[i].supported ? 0u : 1u);
      EXPECT_EQ(loaded->GetSize(), cases[i].supported && *cases[i].version ? 1 : 0);
    }
    // Reading relabels the tree in the open document; the collection keeps
    // the version it read.
    const host::CosObj version = pages.DocCollection(doc)->PageCollection(0)->GetPageCosObj()
                                     .DictGet("PieceInfo").DictGet("Korvid").DictGet("Private").DictGet("Version");
    EXPECT_EQ(version.Type(), host::CosType::Real);
    EXPECT_DOUBLE_EQ(version.RealValue(), 7.0);
    pages.Page(doc, 0)->GetBlock(1)->MoveBlock(5, 5);
    pages.Save(doc, folder_.File("out.pdf"));
  }
  SavedFile saved(folder_.File("out.pdf"));
  EXPECT_EQ(saved.Korvid(0).getKey("/Private").getKey("/Version").unparse(), "7.0");
  EXPECT_EQ(saved.Korvid(0).getKey("/Private").getKey("/PluginVersion").getStringValue(), "3.4");
  // A tree of a later format is left exactly as it was.
  EXPECT_EQ(saved.Korvid(5).unparseResolved(), storedNewer);
}

TEST_F(Storage, UnknownKeysAndEntriesOfTheWrongKindAreDropped) {
  const std::string in = folder_.File("in.pdf");
  WriteBlankPdf(in, 1, [](QPDF& qpdf, QPDFObjectHandle& page, int) {
    page.replaceKey("/PieceInfo", StoredTree(qpdf, "<< /Version 7.0 /Blocks << /u << /ID 1 /Name /u /Unknown 1 "
                                                   "/fontsize (30) /Subtype (Text) /Rect [10 10 110 50] >> "
                                                   "/r << /ID 2 /Name /r /Rect [0 0 40000 10] /textflow true "
                                                   "/tabalignchar 55296 >> >> >>"));
  });
  {
    BlockPages pages;
    viewer::Document& doc = pages.Open(in);
    CMarkupBlock& block = *pages.Page(doc, 0)->GetBlock(1);
    EXPECT_EQ(Value(block, "fontsize"), "12");
    EXPECT_EQ(block.PropertyList()->GetProperty("Unknown"), nullptr);
    // A rectangle beyond any page and a character code that is no character
    // are not taken; the block itself is.
    CMarkupBlock& odd = *pages.Page(doc, 0)->GetBlock(2);
    EXPECT_EQ(odd.BlockRect(), host::AVRect{});
    EXPECT_EQ(Value(odd, "tabalignchar"), ".");
    block.MoveBlock(0, 10);
    pages.Save(doc, folder_.File("out.pdf"));
  }
  SavedFile saved(folder_.File("out.pdf"));
  EXPECT_FALSE(saved.Block(0, "u").hasKey("/Unknown"));
  EXPECT_EQ(saved.Block(0, "u").getKey("/fontsize").unparse(), "12");
  EXPECT_EQ(saved.Block(0, "u").getKey("/Rect").unparse(), "[ 10 0 110 40 ]");
}

TEST_F(Storage, APageWithABlockThatCannotBeWrittenKeepsItsTreeUntilTheNextSave) {
  const std::string in = folder_.File("in.pdf");
  WriteTwoPagesWithOneBlockEach(in);
  const std::string before = SavedFile(in).Blocks(0).unparseResolved();
  BlockPages pages;
  viewer::Document& doc = pages.Open(in);
  CMarkupPageCollection& page = *pages.Page(doc, 0);
  BlockRef added = pages.NewBlock(page, {200, 10, 300, 50});
  // Two blocks under one name would merge into one dictionary.
  SetValue(*added, "Name", "b0");
  pages.ClearAlerts();
  pages.Save(doc, folder_.File("first.pdf"));
  ASSERT_EQ(pages.Alerts().size(), 1u);
  EXPECT_NE(pages.Alerts()[0].find("\"b0\""), std::string::npos);
  EXPECT_FALSE(page.Validate());
  EXPECT_TRUE(korvid::testing::QpdfCheckPasses(folder_.File("first.pdf")));
  EXPECT_EQ(SavedFile(folder_.File("first.pdf")).Blocks(0).unparseResolved(), before);

  SetValue(*added, "Name", "b1");
  pages.Save(doc, folder_.File("second.pdf"));
  EXPECT_TRUE(page.Validate());
  EXPECT_EQ(Keys(SavedFile(folder_.File("second.pdf")).Blocks(0)), (std::set<std::string>{"b0", "b1"}));
}

TEST_F(Storage, TheSavedTreeHasTheDocumentedShapeSeenFromOutside) {
  const std::string out = WriteBlocks(folder_, [&](BlockPages& pages, CMarkupPageCollection& page) {
    BlockRef block = pages.NewBlock(page, {10, 10, 110, 50});
    block->PropertyList()->AddNewProperty("Note", "", "", PropCustom, 0);
    SetValue(*block, "Note", "text");
    SetValue(*block, "Name", "Headline");
    SetValue(*block, "Locked", Service.GetStringByID(str::kTrue));
    SetValue(*block, "strokecolor", "DeviceCMYK [0 1 1 0]");
  });
  const std::string command =
      "/usr/bin/python3 '" KORVID_SOURCE_DIR "/tests/blocktool/model/check_stored_tree.py' '" + out + "' Headline";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
