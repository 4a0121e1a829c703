#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ViewerRun.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::TempDir;

TEST(ViewerDocumentScript, ClicksDragsPopUpsAndKeysReachTheActiveTool) {
  TempDir dir;
  std::filesystem::copy_file(KORVID_SOURCE_DIR "/examples/example.pdf", dir.File("doc.pdf"));
  const std::string log = dir.File("probe.log");
  setenv("KORVID_PROBE_LOG", log.c_str(), 1);
  const ViewerRun run = RunViewer(dir.Path(),
                                  "open doc.pdf\n"
                                  "tool Probe:A\n"
                                  "drag-to 10 20 110 220 8\n"
                                  "click 10 20 1\n"     // the queued drag: the button is still down
                                  "click 30 40 0 2\n"   // nothing queued: the button is already up
                                  "popup Enabled\n"
                                  "right-click 5 5\n"
                                  "popup Disabled\n"
                                  "right-click 5 5\n"
                                  "right-click 5 5\n"   // nothing queued: dismissed
                                  "key tab 1\n"
                                  "save-as \"copy of doc.pdf\"\n",
                                  "--plugins '" KORVID_PROBE_DIR "'");
  unsetenv("KORVID_PROBE_LOG");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(LoggedLines(log, {"A:click", "A:dragged", "A:ran", "A:popup", "A:key"}), (std::vector<std::string>{"A:click 10 20 1 1 down", "A:dragged 10 20 110 220",
                                                  "A:click 30 40 0 2 up", "A:ran Enabled", "A:popup Enabled",
                                                  "A:popup none", "A:popup none", "A:key 9 1"}));
  for (const char* line : {"tool: Probe:A", "popup: Probe:Popup", "disabled: Disabled", "unanswered: popup"})
    EXPECT_NE(std::find(run.out.begin(), run.out.end(), line), run.out.end()) << line;
  EXPECT_NE(std::find(run.out.begin(), run.out.end(), "saved: " + dir.File("copy of doc.pdf")), run.out.end());
  EXPECT_EQ(std::system(("qpdf --check '" + dir.File("copy of doc.pdf") + "' >/dev/null").c_str()), 0);
}

TEST(ViewerDocumentScript, FrontPicksADocumentByItsOpeningOrder) {
  TempDir dir;
  for (const char* name : {"a.pdf", "b.pdf"})
    std::filesystem::copy_file(KORVID_SOURCE_DIR "/examples/example.pdf", dir.File(name));
  const ViewerRun run =
      RunViewer(dir.Path(), "open a.pdf\nopen b.pdf\nfront 1\npage 3\nfront 2\nclose\n", WithoutPlugins(dir));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (std::vector<std::string>{"open: a.pdf (3 pages)", "front: a.pdf", "open: b.pdf (3 pages)",
                                               "front: b.pdf", "front: a.pdf", "page: 3 of 3", "front: b.pdf",
                                               "close: b.pdf", "front: a.pdf", "close: a.pdf", "front: none"}));
}

TEST(ViewerDocumentScript, DocumentLinesThatCannotBeCarriedOut) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"open missing.pdf\n", "error: line 1: The file or folder could not be found."},
      {"open doc.pdf\npage 4\n", "error: line 2: the document has 3 pages\n"},
      {"open doc.pdf hidden\nfront 1\n", "error: line 2: document 1 is hidden\n"},
      {"open doc.pdf hidden\nclick 1 1\n", "error: line 2: click needs an open document in front\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::filesystem::copy_file(KORVID_SOURCE_DIR "/examples/example.pdf", dir.File("doc.pdf"));
    const ViewerRun run = RunViewer(dir.Path(), c.script);
    EXPECT_EQ(run.status, 2) << c.script;
    EXPECT_EQ(run.err.rfind(c.error, 0), 0u) << run.err;
  }
}

}  // namespace
