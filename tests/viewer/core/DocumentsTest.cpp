#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "host/HostError.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"
#include "viewer/core/ViewerServices.h"

namespace {

using host::AVNotification;
using korvid::testing::HostHarness;
using korvid::testing::TempDir;

const std::string kExample = KORVID_SOURCE_DIR "/examples/example.pdf";

std::string Read(const std::string& path) {
  std::ostringstream data;
  data << std::ifstream(path, std::ios::binary).rdbuf();
  return data.str();
}

// Records the notifications a host sends, each with the title of the
// document it names ("-" for none).
class Recorder {
 public:
  explicit Recorder(viewer::Host& host) : host_(host) {
    const std::pair<AVNotification, const char*> kinds[] = {
        {AVNotification::PDDocDidOpen, "pd-did-open"},     {AVNotification::AVDocDidOpen, "did-open"},
        {AVNotification::AVAppFrontDocDidChange, "front"}, {AVNotification::AVDocWillClose, "will-close"},
        {AVNotification::PDDocWillClose, "pd-will-close"}, {AVNotification::PDDocWillSave, "will-save"},
        {AVNotification::PDDocWillSaveEx, "will-save-ex"}, {AVNotification::PDDocDidSave, "did-save"},
        {AVNotification::PageViewDidChange, "view-changed"}, {AVNotification::PageViewWillDraw, "will-draw"},
        {AVNotification::PageViewDidDraw, "did-draw"}};
    for (const auto& [which, name] : kinds) {
      taps_.push_back(std::make_unique<Tap>(Tap{this, name, which}));
      host.Notifications().Register(which, nullptr, &Record, taps_.back().get());
    }
  }
  ~Recorder() {
    for (const auto& tap : taps_) host_.Notifications().Unregister(tap->which, nullptr, &Record, tap.get());
  }
  std::vector<std::string> Take() { return std::exchange(events_, {}); }
  void Note(const std::string& event) { events_.push_back(event); }
  // Runs with every notification (after it is recorded).
  std::function<void(const std::string& name, const host::AVNotificationArgs&)> onEvent;

 private:
  struct Tap {
    Recorder* recorder;
    std::string name;
    AVNotification which;
  };
  static void Record(const host::AVNotificationArgs& args, void* data) {
    const Tap& tap = *static_cast<Tap*>(data);
    std::string event = tap.name;
    if (args.avDoc) {
      event += " " + args.avDoc->Title();
    } else if (args.pdDoc && args.pdDoc->GetAVDoc()) {
      event += " " + args.pdDoc->GetAVDoc()->Title();
    } else if (tap.name == "front") {
      event += " none";
    }
    if (tap.name == "view-changed") event += " flags " + std::to_string(args.flags);
    tap.recorder->events_.push_back(event);
    if (tap.recorder->onEvent) tap.recorder->onEvent(tap.name, args);
  }
  viewer::Host& host_;
  std::vector<std::unique_ptr<Tap>> taps_;
  std::vector<std::string> events_;
};

class DocumentsTest : public ::testing::Test {
 protected:
  // A copy of the example under another name in the test's folder.
  std::string Copy(const std::string& name) {
    const std::string path = dir.File(name);
    std::filesystem::copy_file(kExample, path);
    return path;
  }

  TempDir dir;
  HostHarness harness;
  viewer::DocumentManager& docs = harness.Host().Documents();
  Recorder recorder{harness.Host()};
};

TEST_F(DocumentsTest, OpenFrontAndCloseNotifyInOrderAndHiddenDocumentsNeverComeToTheFront) {
  viewer::Document& a = docs.Open(Copy("a.pdf"), true);
  viewer::Document& hidden = docs.Open(Copy("hidden.pdf"), false);
  viewer::Document& c = docs.Open(Copy("c.pdf"), true);
  EXPECT_EQ(recorder.Take(), (std::vector<std::string>{"pd-did-open", "did-open a.pdf", "front a.pdf",
                                                       "pd-did-open", "did-open hidden.pdf", "pd-did-open",
                                                       "did-open c.pdf", "front c.pdf"}));
  EXPECT_EQ(docs.Front(), &c);
  hidden.BringToFront();
  c.BringToFront();
  EXPECT_EQ(docs.Front(), &c);
  a.BringToFront();
  EXPECT_EQ(docs.Front(), &a);
  EXPECT_TRUE(a.Close(true));
  EXPECT_EQ(docs.Front(), &c) << "the next document in line";
  EXPECT_TRUE(c.Close(true));
  EXPECT_EQ(docs.Front(), nullptr) << "the hidden one stays behind";
  EXPECT_EQ(harness.Host().AcroView().GetActiveDoc(), nullptr);
  EXPECT_EQ(recorder.Take(),
            (std::vector<std::string>{"front a.pdf", "will-close a.pdf", "pd-will-close a.pdf", "front c.pdf",
                                      "will-close c.pdf", "pd-will-close c.pdf", "front none"}));
  EXPECT_EQ(docs.Count(), 1);
}

TEST_F(DocumentsTest, ASaveBringsTheDocumentToTheFrontThenWillSaveWillSaveExWriteDidSave) {
  const std::string original = Copy("a.pdf");
  viewer::Document& a = docs.Open(original, true);
  docs.Open(Copy("b.pdf"), true);
  const std::string target = dir.File("saved.pdf");
  recorder.Take();
  recorder.onEvent = [&](const std::string& name, const host::AVNotificationArgs&) {
    if (name == "will-save-ex" || name == "did-save")
      recorder.Note(std::filesystem::exists(target) ? "(file written)" : "(no file yet)");
  };
  a.Pdf().Save(host::ASPathName(target), host::kPDSaveFull);
  EXPECT_EQ(recorder.Take(), (std::vector<std::string>{"front a.pdf", "will-save a.pdf", "will-save-ex a.pdf",
                                                       "(no file yet)", "did-save saved.pdf", "(file written)"}));
  EXPECT_EQ(std::system(("qpdf --check '" + target + "' >/dev/null").c_str()), 0);
}

TEST_F(DocumentsTest, ASaveToANewPathKeepsTheOpenDocumentWithWhatHandlersWrote) {
  viewer::Document& a = docs.Open(Copy("a.pdf"), true);
  // A will-save handler writes into the page, as the block tool does.
  recorder.onEvent = [&](const std::string& name, const host::AVNotificationArgs& args) {
    if (name != "will-save") return;
    host::CosObj page = args.pdDoc->AcquirePage(0)->GetCosObj();
    page.DictPut("KorvidTest", args.pdDoc->GetCosDoc()->NewString(false, "written at will-save"));
  };
  host::PDDoc* pdDoc = a.GetPDDoc();
  const std::string target = dir.File("saved.pdf");
  a.Pdf().Save(host::ASPathName(target), host::kPDSaveFull);
  EXPECT_EQ(docs.Front(), &a);
  EXPECT_EQ(a.GetPDDoc(), pdDoc) << "the same document stays open";
  EXPECT_EQ(a.Title(), "saved.pdf");
  EXPECT_EQ(pdDoc->AcquirePage(0)->GetCosObj().DictGet("KorvidTest").StringValue(), "written at will-save");
  viewer::Document& reopened = docs.Open(target, false);
  EXPECT_EQ(reopened.Pdf().AcquirePage(0)->GetCosObj().DictGet("KorvidTest").StringValue(), "written at will-save");
  EXPECT_EQ(reopened.Pdf().NumPages(), 3);
}

TEST_F(DocumentsTest, AFailedSaveReportsItsErrorAndLeavesFileAndDocumentAsTheyWere) {
  const std::string path = Copy("a.pdf");
  const std::string before = Read(path);
  viewer::Document& a = docs.Open(path, true);
  recorder.onEvent = [&](const std::string& name, const host::AVNotificationArgs& args) {
    if (name == "did-save") recorder.Note("error " + std::to_string(args.error));
  };
  recorder.Take();
  a.Pdf().FailWritesAfterBytesForTesting(100);
  EXPECT_THROW(a.Pdf().Save(host::ASPathName(path), host::kPDSaveFull), host::HostError);
  const auto events = recorder.Take();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2], "did-save a.pdf");
  EXPECT_NE(events[3], "error 0");
  EXPECT_EQ(Read(path), before);
  EXPECT_EQ(docs.Front(), &a);
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    EXPECT_EQ(entry.path().filename(), "a.pdf") << "no temporary file left behind";
}

TEST_F(DocumentsTest, ClosingAModifiedDocumentAsksAndSavesBeforeWillClose) {
  const std::string path = Copy("a.pdf");
  const std::string before = Read(path);
  viewer::Document& a = docs.Open(path, true);
  a.Pdf().SetFlags(host::kPDDocNeedsSave);
  EXPECT_TRUE(a.Close(false)) << "unanswered: No, closed without saving";
  EXPECT_EQ(Read(path), before);
  EXPECT_EQ(harness.FrontEnd().Alerts().back().kind, viewer::script::RecordedAlert::Kind::Confirm);

  viewer::Document& again = docs.Open(path, true);
  again.Pdf().AcquirePage(0)->GetCosObj().DictPut("Changed", again.Pdf().GetCosDoc()->NewBoolean(false, true));
  again.Pdf().SetFlags(host::kPDDocNeedsSave);
  recorder.Take();
  harness.FrontEnd().QueueAlertAnswer(1);
  EXPECT_TRUE(again.Close(false));
  const auto events = recorder.Take();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0], "will-save a.pdf");
  EXPECT_NE(std::find(events.begin(), events.end(), "did-save a.pdf"), events.end());
  EXPECT_LT(std::find(events.begin(), events.end(), "did-save a.pdf"),
            std::find(events.begin(), events.end(), "will-close a.pdf"));
  EXPECT_NE(Read(path), before);
}

TEST_F(DocumentsTest, PageViewNavigationAndZoomNotifyWithTheirFlags) {
  viewer::Document& a = docs.Open(Copy("a.pdf"), true);
  viewer::PageView& view = a.View();
  recorder.Take();
  view.GoToPage(2);
  view.SetPageNum(0);  // no drawing, no notification
  EXPECT_EQ(view.GetPageNum(), 0);
  view.ZoomTo(host::fixedOne * 2);
  EXPECT_EQ(recorder.Take(), (std::vector<std::string>{"view-changed a.pdf flags 2", "view-changed a.pdf flags 8"}));
  EXPECT_THROW(view.GoToPage(3), host::HostError);
  EXPECT_THROW(view.SetPageNum(-1), host::HostError);
}

TEST_F(DocumentsTest, HeadlessViewsShowTheWholePageFromTheCropBoxCorner) {
  viewer::PageView& view = docs.Open(Copy("a.pdf"), true).View();
  EXPECT_EQ(view.GetGrayRect(), (host::AVRect{0, 0, 612, 792}));
  EXPECT_EQ(view.GetAperture(), (host::AVRect{0, 0, 612, 792}));
  view.SetPageNum(1);  // turned by 90 degrees
  EXPECT_EQ(view.GetGrayRect(), (host::AVRect{0, 0, 792, 612}));
  view.ZoomTo(host::fixedOne / 2);
  EXPECT_EQ(view.GetAperture(), (host::AVRect{0, 0, 396, 306}));
  // Page 2's bottom-left corner is shown top-left.
  EXPECT_EQ(view.PointToDevice({0, 0}), (host::AVPoint{0, 0}));
  view.SetZoomFactor(1.0e7);
  EXPECT_THROW(view.GetGrayRect(), host::HostError);
  harness.Settle();  // painting beyond the limit draws nothing and does not fail
}

TEST_F(DocumentsTest, FitPageAndFitWidthFillTheVisibleAreaOfTheCurrentPage) {
  viewer::PageView& view = docs.Open(Copy("a.pdf"), true).View();
  view.FitPage();  // no visible area yet: nothing to fit
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 1.0);
  view.SetViewportSize(306, 1000);
  view.FitPage();
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 0.5);  // the width decides
  view.SetViewportSize(1000, 396);
  view.FitPage();
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 0.5);  // the height decides
  view.GoToPage(1);  // on its side: 792 wide
  view.FitWidth();
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 1000.0 / 792);
}

TEST_F(DocumentsTest, QuitClosesEveryDocumentAskingToSaveFirst) {
  const std::string path = Copy("a.pdf");
  docs.Open(path, true).Pdf().SetFlags(host::kPDDocNeedsSave);
  docs.Open(Copy("b.pdf"), true);
  harness.FrontEnd().QueueAlertAnswer(1);
  EXPECT_TRUE(harness.Host().ChooseMenuItem(*harness.Host().Menus().FindItem("Quit")));
  EXPECT_EQ(docs.Count(), 0);
  EXPECT_EQ(harness.FrontEnd().AlertTexts(),
            std::vector<std::string>{"Save the changes to \"a.pdf\" before closing?"});
}

// A drawing procedure that draws on the port and asks for an alert.
struct DrawLog {
  Recorder* recorder;
  viewer::ViewerServices* viewer;
};

void DrawAndAlert(host::AVPageView* view, const host::AVRect*, void* data) {
  auto* log = static_cast<DrawLog*>(data);
  log->recorder->Note("draw proc");
  auto* surface = static_cast<viewer::DrawSurface*>(view->AcquirePlatformPort());
  surface->FrameRect({10, 10, 50, 50});
  view->ReleasePlatformPort(surface);
  log->viewer->AlertNote("from the paint");
}

TEST_F(DocumentsTest, DrawPassesAreBracketedAndAlertsFromThemComeAfter) {
  viewer::Document& a = docs.Open(Copy("a.pdf"), true);
  harness.Settle();
  DrawLog log{&recorder, &harness.Host().Viewer()};
  harness.Host().AcroView().RegisterForPageViewDrawing(&DrawAndAlert, &log);
  recorder.onEvent = [&](const std::string& name, const host::AVNotificationArgs&) {
    if (name == "did-draw") recorder.Note(harness.FrontEnd().Alerts().empty() ? "(no alert yet)" : "(alert shown)");
  };
  recorder.Take();
  a.View().Invalidate(nullptr);
  harness.Settle();
  EXPECT_EQ(recorder.Take(),
            (std::vector<std::string>{"will-draw a.pdf", "draw proc", "did-draw a.pdf", "(no alert yet)"}));
  EXPECT_EQ(harness.FrontEnd().AlertTexts(), (std::vector<std::string>{"from the paint"}));
  const auto& ops = harness.FrontEnd().LastPass(a.View());
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().rect, (host::AVRect{10, 10, 50, 50}));

  // Outside a pass the port draws nowhere, and the view is painted again.
  recorder.Take();
  void* port = a.View().AcquirePlatformPort();
  ASSERT_NE(port, nullptr);
  a.View().ReleasePlatformPort(port);
  harness.Settle();
  EXPECT_EQ(recorder.Take().front(), "will-draw a.pdf");
  harness.Host().AcroView().UnregisterForPageViewDrawing(&DrawAndAlert);
}

TEST_F(DocumentsTest, TheTopmostWidgetUnderADevicePoint) {
  viewer::PageView& view = docs.Open(Copy("a.pdf"), true).View();
  const host::ASAtom widget = harness.Host().Core().AtomFromString("Widget");
  // The text field's rectangle is [180 590 400 610] in a 792-point-high page.
  const host::PDAnnot field = view.AnnotAtPoint(200, 792 - 600, widget);
  ASSERT_TRUE(field.IsValid());
  EXPECT_EQ(field.GetCosObj().DictGet("T").StringValue(), "name");
  EXPECT_FALSE(view.AnnotAtPoint(20, 20, widget).IsValid());
}

}  // namespace
