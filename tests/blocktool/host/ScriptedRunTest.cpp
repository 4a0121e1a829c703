// The real viewer binary, driven by a script, opens, switches, pages,
// zooms, saves and closes documents with stored blocks in mixed order: every
// block is kept, and blocks nobody changed are not rewritten.
#include <gtest/gtest.h>

#include <algorithm>

#include "blocktool/collections/BlockPages.h"
#include "viewer/script/ViewerRun.h"

namespace {

using korvid::testing::SavedFile;
using korvid::testing::StoredTree;
using korvid::testing::WriteBlankPdf;

// Blocks as indirect dictionaries, as the block tool writes them; the
// version of each page by index (none: no tree).
void WriteDocument(const std::string& path, const std::vector<std::string>& versions) {
  WriteBlankPdf(path, static_cast<int>(versions.size()), [&](QPDF& qpdf, QPDFObjectHandle& page, int index) {
    if (versions[index].empty()) return;
    QPDFObjectHandle pieceInfo = StoredTree(qpdf, "<< /Version " + versions[index] + " /Blocks << >> >>");
    QPDFObjectHandle blocks = pieceInfo.getKey("/Korvid").getKey("/Private").getKey("/Blocks");
    for (int i = 0; i < 2; ++i) {
      const std::string name = "b" + std::to_string(index) + "_" + std::to_string(i);
      blocks.replaceKey("/" + name, qpdf.makeIndirectObject(QPDFObjectHandle::parse(
                                        "<< /ID " + std::to_string(i + 1) + " /Name /" + name +
                                        " /Type /Block /Subtype /Text /fontsize 9.5 /Rect [10 " +
                                        std::to_string(100 * i) + " 110 " + std::to_string(100 * i + 40) + "] >>")));
    }
    page.replaceKey("/PieceInfo", pieceInfo);
  });
}

// The page's blocks with indirect objects resolved, keys in order.
std::string Canonical(QPDFObjectHandle object) {
  if (object.isDictionary()) {
    std::string text = "<<";
    for (const std::string& key : object.getKeys()) text += key + " " + Canonical(object.getKey(key)) + " ";
    return text + ">>";
  }
  if (object.isArray()) {
    std::string text = "[";
    for (QPDFObjectHandle& item : object.aitems()) text += Canonical(item) + " ";
    return text + "]";
  }
  return object.unparse();
}

TEST(ScriptedRun, DocumentsOpenedSwitchedClosedAndSavedInAnyOrderKeepEveryBlock) {
  korvid::testing::TempDir folder;
  WriteDocument(folder.File("a.pdf"), {"7.0", "", "5"});
  WriteDocument(folder.File("b.pdf"), {"8.0", "7.0"});
  const ViewerRun run = RunViewer(folder.Path().string(), R"(
open a.pdf
open b.pdf
page 2
zoom 200
front 1
page 3
zoom 50
page 2
save-as a-saved.pdf
front 2
page 1
save-as b-saved.pdf
close
page 1
zoom 300
open b-saved.pdf
front 1
save
close
close
)",
                                  "--plugins '" KORVID_PLUGIN_DIR "'");
  ASSERT_EQ(run.status, 0) << run.err;
  // Only the newer format's page speaks up, once each time b is opened.
  EXPECT_EQ(std::count_if(run.out.begin(), run.out.end(),
                          [](const std::string& line) { return line.rfind("alert:", 0) == 0; }),
            2);
  for (const char* name : {"a-saved.pdf", "b-saved.pdf"}) {
    EXPECT_TRUE(korvid::testing::QpdfCheckPasses(folder.File(name))) << name;
  }
  SavedFile a(folder.File("a.pdf"));
  SavedFile aSaved(folder.File("a-saved.pdf"));
  for (int page : {0, 2}) {
    EXPECT_EQ(Canonical(aSaved.Blocks(page)), Canonical(a.Blocks(page))) << page;
    EXPECT_FALSE(aSaved.Page(page).hasKey("/LastModified"));
  }
  // Loaded pages carry the labels of the format read.
  EXPECT_EQ(aSaved.Korvid(0).getKey("/Private").getKey("/Version").unparse(), "7.0");
  EXPECT_EQ(aSaved.Korvid(2).getKey("/Private").getKey("/Version").unparse(), "7.0");
  SavedFile b(folder.File("b.pdf"));
  SavedFile bSaved(folder.File("b-saved.pdf"));
  EXPECT_EQ(Canonical(bSaved.Korvid(0)), Canonical(b.Korvid(0)));
  EXPECT_EQ(Canonical(bSaved.Blocks(1)), Canonical(b.Blocks(1)));
}

}  // namespace
