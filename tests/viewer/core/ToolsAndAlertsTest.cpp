#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HostHarness.h"
#include "viewer/core/ViewerServices.h"

namespace {

using korvid::testing::HostHarness;

std::vector<std::string> gToolCalls;

bool DoKey(host::AVToolRec*, int key, int modifiers) {
  gToolCalls.push_back("key " + std::to_string(key) + " " + std::to_string(modifiers));
  return key == host::kKeyEnter;
}

host::AVToolRec MakeTool(const char* type, host::CoreTable& core) {
  static std::vector<std::unique_ptr<host::ASAtom>> atoms;
  atoms.push_back(std::make_unique<host::ASAtom>(core.AtomFromString(type)));
  host::AVToolRec tool;
  tool.clientData = atoms.back().get();
  tool.GetType = [](host::AVToolRec* t) { return *static_cast<host::ASAtom*>(t->clientData); };
  tool.Activate = [](host::AVToolRec* t, bool persistent) {
    gToolCalls.push_back("activate " + std::to_string(*static_cast<host::ASAtom*>(t->clientData)) +
                         (persistent ? " persistent" : ""));
  };
  tool.Deactivate = [](host::AVToolRec* t) {
    gToolCalls.push_back("deactivate " + std::to_string(*static_cast<host::ASAtom*>(t->clientData)));
  };
  tool.DoKeyDown = &DoKey;
  return tool;
}

TEST(Tools, SwitchingDeactivatesTheOldToolAndRemembersIt) {
  HostHarness harness;
  host::AcroViewTable& av = harness.Host().AcroView();
  host::AVToolRec* hand = av.GetDefaultTool();
  EXPECT_EQ(av.GetActiveTool(), hand);
  EXPECT_EQ(harness.Host().Tools().TypeName(hand), "Hand");
  EXPECT_NE(av.GetToolByName(harness.Host().Core().AtomFromString("Link")), nullptr);

  host::AVToolRec markup = MakeTool("MarkupContent", harness.Host().Core());
  av.RegisterTool(&markup);
  const host::ASAtom type = harness.Host().Core().AtomFromString("MarkupContent");
  ASSERT_EQ(av.GetToolByName(type), &markup);
  gToolCalls.clear();
  av.SetActiveTool(&markup, true);
  av.SetActiveTool(&markup, true);  // already active: nothing happens
  EXPECT_EQ(av.GetActiveTool(), &markup);
  EXPECT_EQ(av.GetLastActiveTool(), hand);
  EXPECT_TRUE(harness.Host().Key(host::kKeyEnter, host::kModifierShift));
  EXPECT_FALSE(harness.Host().Key(host::kKeySpace, 0));
  av.SetActiveTool(av.GetLastActiveTool(), false);
  EXPECT_EQ(av.GetLastActiveTool(), &markup);
  EXPECT_EQ(gToolCalls, (std::vector<std::string>{"activate " + std::to_string(type) + " persistent", "key 3 1",
                                                  "key 32 0", "deactivate " + std::to_string(type)}));
  EXPECT_NE(std::find(harness.FrontEnd().Lines().begin(), harness.FrontEnd().Lines().end(), "tool: MarkupContent"),
            harness.FrontEnd().Lines().end());
}

TEST(Tools, AToolSwitchAskedForDuringAMenuUpdateWaitsForIt) {
  HostHarness harness;
  host::AcroViewTable& av = harness.Host().AcroView();
  host::AVToolRec* link = av.GetToolByName(harness.Host().Core().AtomFromString("Link"));
  {
    auto update = harness.Host().Ui().Enter();
    av.SetActiveTool(link, true);
    EXPECT_EQ(av.GetActiveTool(), av.GetDefaultTool());
  }
  EXPECT_EQ(av.GetActiveTool(), link);
}

TEST(Alerts, NoteConfirmAndTextAlertsAreAnsweredFromTheQueue) {
  HostHarness harness;
  host::AcroViewTable& av = harness.Host().AcroView();
  harness.FrontEnd().QueueAlertAnswer(1);
  EXPECT_TRUE(av.AlertConfirm("Overwrite?"));
  EXPECT_FALSE(av.AlertConfirm("Go on?")) << "unanswered: the safe answer";
  av.AlertNote("Done.");
  harness.FrontEnd().QueueAlertAnswer(2);
  EXPECT_EQ(av.AlertWithText(host::ASText::FromUTF8("Two errors\nfound"), 2), 2);
  EXPECT_EQ(harness.FrontEnd().AlertTexts(),
            (std::vector<std::string>{"Overwrite?", "Go on?", "Done.", "Two errors\nfound"}));
  EXPECT_EQ(harness.FrontEnd().Lines(),
            (std::vector<std::string>{"confirm: Overwrite? -> yes", "confirm: Go on? -> no (unanswered)",
                                      "alert: Done.", "alert: Two errors\\nfound"}));
}

TEST(Alerts, AnAlertDuringPaintingOrAMenuUpdateIsShownAfterIt) {
  HostHarness harness;
  host::AcroViewTable& av = harness.Host().AcroView();
  {
    auto painting = harness.Host().Ui().Enter();
    av.AlertNote("Zoom limit");
    EXPECT_FALSE(av.AlertConfirm("Sure?")) << "answers its default at once";
    {
      auto nested = harness.Host().Ui().Enter();
      av.AlertNote("Second");
    }
    EXPECT_TRUE(harness.FrontEnd().Alerts().empty());
  }
  EXPECT_EQ(harness.FrontEnd().AlertTexts(), (std::vector<std::string>{"Zoom limit", "Sure?", "Second"}));
}

TEST(Cursors, StandardNumbersAndPlugInResources) {
  HostHarness harness;
  viewer::ViewerServices& av = harness.Host().Viewer();
  const host::AVCursor cross = av.GetStdCursor(host::kCursorCrosshair);
  EXPECT_EQ(av.GetStdCursor(host::kCursorCrosshair), cross);
  ASSERT_NE(av.Cursor(cross), nullptr);
  EXPECT_TRUE(av.Cursor(cross)->standard);
  EXPECT_EQ(av.Cursor(cross)->number, 1000);
  av.SetCursor(cross);
  EXPECT_EQ(harness.FrontEnd().Cursor(), cross);
  EXPECT_THROW(av.LoadCursorResource(nullptr, 128), host::HostError) << "no such resource";

  av.ShowWaitCursor(true);
  av.ShowWaitCursor(true);
  av.ShowWaitCursor(false);
  EXPECT_TRUE(harness.FrontEnd().WaitCursorShown()) << "nested: still on";
  av.ShowWaitCursor(false);
  av.ShowWaitCursor(false);  // one too many does no harm
  EXPECT_FALSE(harness.FrontEnd().WaitCursorShown());
}

TEST(Choosers, FilesAreFilteredByExtensionIgnoringCase) {
  const std::vector<host::AVFileFilter> pdfOrMct = {{"PDF", {"pdf"}}, {"Blocks", {"mct"}}};
  EXPECT_TRUE(viewer::MatchesFileFilters("/a/b.PDF", pdfOrMct));
  EXPECT_TRUE(viewer::MatchesFileFilters("/a/b.mct", pdfOrMct));
  EXPECT_FALSE(viewer::MatchesFileFilters("/a/b.pdf.txt", pdfOrMct));
  EXPECT_FALSE(viewer::MatchesFileFilters("/a.pdf/b", pdfOrMct));
  EXPECT_TRUE(viewer::MatchesFileFilters("/a/b.txt", {{"All files", {}}}));

  HostHarness harness;
  host::AVFileDialogParams params;
  params.title = "Import";
  params.filters = pdfOrMct;
  harness.FrontEnd().QueueFiles({"/x/blocks.MCT"});
  harness.FrontEnd().QueueFiles({"/x/notes.txt"});
  auto& av = harness.Host().AcroView();
  EXPECT_EQ(av.ChooseFilesToOpen(params), (std::vector<host::ASPathName>{host::ASPathName("/x/blocks.MCT")}));
  EXPECT_TRUE(av.ChooseFilesToOpen(params).empty());
  EXPECT_FALSE(av.ChooseFolder(params)) << "nothing queued: cancelled";
  harness.FrontEnd().QueueFolder("/x/out");
  EXPECT_EQ(av.ChooseFolder(params), host::ASPathName("/x/out"));
}

}  // namespace
