#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ViewerRun.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::TempDir;

TEST(ViewerScript, ABadLineStopsBeforeAnythingRunsWithStatusTwo) {
  TempDir dir;
  const ViewerRun run = RunViewer(dir.Path(), "menu Undo\n# fine so far\nfly away\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "error: line 3: unknown command \"fly\"\n");
  EXPECT_TRUE(run.out.empty());
}

TEST(ViewerScript, ALineThatCannotBeCarriedOutStopsTheRunWithStatusTwo) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"menu Undo\nmenu NoSuchItem\nmenu Redo\n", "error: line 2: no menu item NoSuchItem\n"},
      {"page 1\n", "error: line 1: page needs an open document in front\n"},
      {"tool Lasso\n", "error: line 1: no tool of type Lasso\n"},
      {"front 2\n", "error: line 1: there is no document 2\n"},
      {"save\n", "error: line 1: save needs an open document in front\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const ViewerRun run = RunViewer(dir.Path(), c.script);
    EXPECT_EQ(run.status, 2) << c.script;
    EXPECT_EQ(run.err, c.error) << c.script;
    EXPECT_EQ(std::find(run.out.begin(), run.out.end(), "disabled: Redo"), run.out.end()) << "stopped";
  }
}

TEST(ViewerScript, MenusToolsAndUnusedAnswers) {
  TempDir dir;
  const ViewerRun run = RunViewer(dir.Path(),
                                  "menu Undo\n"
                                  "tool Link\n"
                                  "key enter\n"
                                  "answer-alert 1\n"
                                  "drag-to 1 2 30 40 8\n"
                                  "popup Zolt:Right_Click_Lock\n"
                                  "choose-file a.pdf b.pdf\n"
                                  "choose-folder out\n"
                                  "pick-color 65535 0 0\n"
                                  "dialog Zolt:About\n"
                                  "  press 1\n"
                                  "end\n",
                                  WithoutPlugins(dir));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (std::vector<std::string>{"disabled: Undo", "tool: Link", "unused: answer-alert",
                                               "unused: drag-to", "unused: popup Zolt:Right_Click_Lock",
                                               "unused: choose-file", "unused: choose-folder", "unused: pick-color",
                                               "unused: dialog Zolt:About"}));
}

TEST(ViewerScript, HostVersionLanguageAndPlugInsFolderComeFromTheCommandLine) {
  TempDir dir;
  const std::string log = dir.File("probe.log");
  setenv("KORVID_PROBE_LOG", log.c_str(), 1);
  const ViewerRun run = RunViewer(dir.Path(), "menu Probe:A\n",
                                  "--host-version 6.0 --language DEU --plugins '" KORVID_PROBE_DIR "'");
  unsetenv("KORVID_PROBE_LOG");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (std::vector<std::string>{"menu-added: Probe:A", "menu-added: Probe:B"}));
  std::ifstream in(log);
  std::vector<std::string> logged;
  for (std::string line; std::getline(in, line);) logged.push_back(line);
  EXPECT_NE(std::find(logged.begin(), logged.end(), "A:init DEU 6.0 Probe text"), logged.end());
  EXPECT_EQ(logged.back(), "A:unload");
}

// The probe plug-in's tool asks on keys: 'a' (97) a yes/no alert, 'o' (111)
// a file chooser for PDF files, 'f' (102) a folder chooser.
TEST(ViewerScript, QueuedAnswersAnswerTheInteractionsInTurn) {
  TempDir dir;
  const std::string log = dir.File("probe.log");
  setenv("KORVID_PROBE_LOG", log.c_str(), 1);
  const ViewerRun run = RunViewer(dir.Path(),
                                  "tool Probe:A\n"
                                  "answer-alert 1\n"
                                  "answer-alert 2\n"
                                  "key 97\n"
                                  "key 97\n"
                                  "key 97\n"
                                  "choose-file one.PDF two.pdf\n"
                                  "key 111\n"
                                  "choose-file notes.txt\n"
                                  "key 111\n"
                                  "choose-folder \"out folder\"\n"
                                  "key 102\n"
                                  "key 102\n",
                                  "--plugins '" KORVID_PROBE_DIR "'");
  unsetenv("KORVID_PROBE_LOG");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(LoggedLines(log, {"A:confirm", "A:chosen", "A:folder"}), (std::vector<std::string>{"A:confirm yes", "A:confirm no", "A:confirm no", "A:chosen one.PDF",
                                               "A:folder out folder", "A:folder cancelled"}));
  const std::vector<std::string> expected = {
      "tool: Probe:A",         "confirm: Probe? -> yes", "confirm: Probe? -> no", "confirm: Probe? -> no (unanswered)",
      "chooser: Probe",        "chosen: " + dir.File("one.PDF"),  // a single file is asked for
      "chooser: Probe",        "chosen: " + dir.File("notes.txt"),  // not a PDF: the host takes nothing
      "chooser: Probe",        "chosen: " + dir.File("out folder"),
      "chooser: Probe",        "unanswered: chooser"};
  EXPECT_EQ(std::vector<std::string>(run.out.begin() + 2, run.out.end()), expected);
}

TEST(ViewerScript, ABadCommandLineExitsWithStatusTwo) {
  TempDir dir;
  for (const char* arguments : {"--host-version seven", "--language DE", "--plugins", "--frobnicate"}) {
    const ViewerRun run = RunViewer(dir.Path(), "", arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << arguments;
  }
}

}  // namespace
