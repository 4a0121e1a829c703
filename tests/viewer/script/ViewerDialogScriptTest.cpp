#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ViewerRun.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::TempDir;

// The probe plug-in runs its dialog "Probe:Dialog" (a field 3, OK, Cancel)
// on the key 'd' (100) and logs the ending item and the field's text.
class ViewerDialogScript : public ::testing::Test {
 protected:
  ViewerRun Run(const std::string& script) {
    setenv("KORVID_PROBE_LOG", log.c_str(), 1);
    ViewerRun run = RunViewer(dir.Path(), "tool Probe:A\n" + script, "--plugins '" KORVID_PROBE_DIR "'");
    unsetenv("KORVID_PROBE_LOG");
    return run;
  }
  std::vector<std::string> Dialogs() { return LoggedLines(log, {"A:dialog"}); }
  TempDir dir;
  std::string log = dir.File("probe.log");
};

TEST_F(ViewerDialogScript, ABlockAnswersTheNextRunOfItsDialogAndAnUnansweredOneIsCancelled) {
  const ViewerRun run = Run(
      "dialog Probe:Dialog\n"
      "  set 3 \"typed text\"\n"
      "  press 1\n"
      "end\n"
      "key 100\n"
      "key 100\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Dialogs(), (std::vector<std::string>{"A:dialog 1 typed text", "A:dialog 2 "}));
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), "dialog: Probe:Dialog"), 2);
  EXPECT_NE(std::find(run.out.begin(), run.out.end(), "cancelled: Probe:Dialog"), run.out.end());
}

TEST_F(ViewerDialogScript, ABlockThatLeavesTheDialogOpenIsAnErrorAtItsLine) {
  const ViewerRun run = Run(
      "dialog Probe:Dialog\n"
      "  set 3 \"still open\"\n"
      "end\n"
      "key 100\n"
      "menu Undo\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "error: line 2: the lines of dialog \"Probe:Dialog\" leave it open\n");
  EXPECT_EQ(std::find(run.out.begin(), run.out.end(), "disabled: Undo"), run.out.end()) << "the run stopped";
  EXPECT_EQ(Dialogs(), (std::vector<std::string>{"A:dialog 2 still open"}));
}

TEST_F(ViewerDialogScript, TheColourPickerIsAnsweredInTurn) {
  const ViewerRun run = Run(
      "pick-color 65535 32768 0\n"
      "key 99\n"
      "key 99\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(LoggedLines(log, {"A:color"}), (std::vector<std::string>{"A:color 65535 32768 0", "A:color cancelled"}));
  EXPECT_NE(std::find(run.out.begin(), run.out.end(), "unanswered: color-picker"), run.out.end());
}

TEST_F(ViewerDialogScript, ALineAPersonCannotCarryOutIsAnErrorAtThatLine) {
  const ViewerRun run = Run(
      "dialog Probe:Dialog\n"
      "  press 9\n"
      "  press 1\n"
      "end\n"
      "key 100\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("error: line 3: ", 0), 0u) << run.err;
}

}  // namespace
