// The block tool in the real viewer, driven by a script: what start-up
// shows, and a short session whose saved file a fresh viewer reads back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "viewer/script/ViewerRun.h"  // tests/viewer/script

namespace korvid::testing {
namespace {

using ::testing::ElementsAre;

// What the viewer prints while the block tool starts: its tools menu with
// the arrangement submenus (in the order start-up appends them), then its
// tool button. The Edit replacements and the context menu are in no menu
// yet.
const std::vector<std::string> kStartUpLines = {
    "menu-added: Zolt:MarkUp_Content",         "menu-added: Zolt:MarkUp_CONTROLCLICK",
    "menu-added: Zolt:MarkUp_DETECTFONT",      "menu-added: Zolt:Import_and_Export_Submenu",
    "menu-added: Zolt:Duplicate",              "menu-added: Zolt:Export",
    "menu-added: Zolt:Import",                 "menu-added: Zolt:Align_Submenu",
    "menu-added: Zolt:ALign_Left",             "menu-added: Zolt:ALign_Right",
    "menu-added: Zolt:ALign_Top",              "menu-added: Zolt:ALign_Bottom",
    "menu-added: Zolt:ALign_Vertical",         "menu-added: Zolt:ALign_Vertical",
    "menu-added: Zolt:Center_Submenu",         "menu-added: Zolt:Center_Vertically",
    "menu-added: Zolt:Center_Horizontally",    "menu-added: Zolt:Center_Both",
    "menu-added: Zolt:Distribute_Submenu",     "menu-added: Zolt:Distribute_Vertically",
    "menu-added: Zolt:Distribute_Horizontally", "menu-added: Zolt:Size_Submenu",
    "menu-added: Zolt:Size_Height",            "menu-added: Zolt:Size_Width",
    "menu-added: Zolt:Size_Both",              "menu-added: Zolt:Marked_Content_Tool_about",
    "menu-added: Zolt:Marked_Content_Tool_help", "button-added: Zolt:MarkUp_Content",
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Opens the saved file in a fresh viewer with the block tool and shows each
// block of its first page to visit.
template <typename Visit>
void ReadBackBlocks(const std::string& file, Visit visit) {
  HostHarness fresh;
  ASSERT_TRUE(fresh.AttachLinkedPlugin(&PIMain, &PIResources));
  viewer::Document& doc = fresh.Open(file);
  for (const auto& [id, block] : Service.GetDocMarkupPageCollection(&doc)->Entries())
    if (block) visit(*block);
}

TEST(BlockToolScript, StartUpShowsTheMenusInTheirOrderAndASessionIsSaved) {
  TempDir dir;
  korvid::test::WriteOnePagePdf(dir.File("blocks.pdf"));
  const ViewerRun run = RunViewer(dir.Path().string(),
                                  "open blocks.pdf\n"
                                  "tool MarkupContent\n"
                                  "drag-to 100 100 220 160\n"
                                  "dialog Zolt:Properties\n"
                                  "  set 12 Price\n"
                                  "  press 1\n"
                                  "end\n"
                                  "click 100 100\n"
                                  "drag-to 100 200 220 260\n"
                                  "dialog Zolt:Properties\n"
                                  "  set 12 Total\n"
                                  "  press 1\n"
                                  "end\n"
                                  "click 100 200\n"
                                  "menu Zolt:SelectAll_Markup_Block\n"
                                  "menu Zolt:Copy_Markup_Block\n"
                                  "menu Zolt:Paste_Markup_Block\n"
                                  "click 400 400\n"              // empty space: nothing selected
                                  "menu Zolt:Copy_Markup_Block\n"  // disabled now
                                  "key right\n"                  // nothing selected: not the tool's
                                  "tool Hand\n"
                                  "save\n");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_GE(run.out.size(), kStartUpLines.size());
  EXPECT_EQ(std::vector<std::string>(run.out.begin(), run.out.begin() + kStartUpLines.size()), kStartUpLines);
  for (const char* line : {"tool: MarkupContent", "menu-removed: Undo", "menu-added: Zolt:Undo_Markup_Block",
                           "disabled: Zolt:Copy_Markup_Block", "tool: Hand", "menu-added: Undo"})
    EXPECT_TRUE(Has(run.out, line)) << line;
  EXPECT_TRUE(Has(run.out, "saved: " + dir.File("blocks.pdf")));
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(dir.File("blocks.pdf")));

  std::map<std::string, host::AVRect> saved;
  ReadBackBlocks(dir.File("blocks.pdf"), [&](auto& block) { saved[block.BlockName()] = block.BlockRect(); });
  EXPECT_THAT(saved, ElementsAre(std::pair<const std::string, host::AVRect>{"Price", {100, 100, 220, 160}},
                                 std::pair<const std::string, host::AVRect>{"Price.1", {100, 100, 220, 160}},
                                 std::pair<const std::string, host::AVRect>{"Total", {100, 200, 220, 260}},
                                 std::pair<const std::string, host::AVRect>{"Total.1", {100, 200, 220, 260}}));
}

TEST(BlockToolScript, TheBundledExampleMarksUpItsFirstPage) {
  TempDir dir;
  std::filesystem::copy_file(KORVID_SOURCE_DIR "/examples/example.pdf", dir.File("example.pdf"));
  std::ifstream script(KORVID_SOURCE_DIR "/examples/example.kvs");
  const std::string text((std::istreambuf_iterator<char>(script)), std::istreambuf_iterator<char>());
  const ViewerRun run = RunViewer(dir.Path().string(), text);
  ASSERT_EQ(run.status, 0) << run.err;
  for (const std::string& line : {std::string("open: example.pdf (3 pages)"), std::string("zoom: 200%"),
                                  std::string("page: 1 of 3"), std::string("tool: MarkupContent"),
                                  "saved: " + dir.File("example-marked.pdf"), std::string("front: none")})
    EXPECT_TRUE(Has(run.out, line)) << line;
  EXPECT_FALSE(Has(run.out, "unused: dialog Zolt:Properties"));
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(dir.File("example-marked.pdf")));

  std::map<std::string, host::AVRect> saved;
  std::string signatureDpi;
  ReadBackBlocks(dir.File("example-marked.pdf"), [&](auto& block) {
    saved[block.BlockName()] = block.BlockRect();
    if (block.BlockName() == "Signature") signatureDpi = block.PropertyList()->GetProperty("dpi")->TagValue();
  });
  // An array reads back as its elements each followed by a blank.
  EXPECT_EQ(signatureDpi, "300 ") << "the blocks the example came with keep their values";
  EXPECT_THAT(saved, ElementsAre(std::pair<const std::string, host::AVRect>{"Body", {72, 520, 320, 640}},
                                 std::pair<const std::string, host::AVRect>{"Headline", {72, 460, 320, 500}},
                                 std::pair<const std::string, host::AVRect>{"Signature", {360, 372, 540, 432}},
                                 std::pair<const std::string, host::AVRect>{"Title", {72, 62, 540, 102}}));
}

}  // namespace
}  // namespace korvid::testing
