#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"

namespace viewer::testing {
namespace {

namespace adm = host::adm;

struct ActionCase {
  const char* what;
  std::vector<std::string> lines;  // each block ends with "press 2"
  std::vector<std::string> notifications;
};

class NotificationOrderTest : public DialogTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(NotificationOrderTest, FollowsWhatAPersonDoes) {
  front.onRun = [&](dm::Dialog&) { probe.log.clear(); };  // drop the window-show notification
  std::vector<std::string> lines = GetParam().lines;
  lines.push_back("press 2");
  front.blocks.push_back(Block("Test:Every", lines));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_TRUE(front.playErrors.empty()) << front.playErrors.front();
  std::vector<std::string> expected = GetParam().notifications;
  expected.push_back("2 UC");
  EXPECT_EQ(probe.log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, NotificationOrderTest,
    ::testing::Values(
        // A field gets a text-selection change when it takes the focus and
        // another when it is left, so the leaving one is every second.
        ActionCase{"SetText", {"set 4 abc"}, {"4 TSC", "4 IC", "4 TSC", "4 UC"}},
        ActionCase{"SetTwoFields",
                   {"set 4 a", "set 23 b"},
                   {"4 TSC", "4 IC", "4 TSC", "4 UC", "23 TSC", "23 IC", "23 TSC", "23 UC"}},
        ActionCase{"PressUserItem", {"press 20"}, {"20 UC"}},
        ActionCase{"PressTab", {"press 19"}, {"19 UC"}},
        ActionCase{"PressCheckBox", {"press 14"}, {"14 UC"}},
        ActionCase{"CheckOff", {"check 14 0"}, {"14 UC"}},
        ActionCase{"CheckAlreadyOn", {"check 14 1"}, {}},
        ActionCase{"CheckRadio", {"check 16 1"}, {"16 UC"}},
        ActionCase{"SelectPopup", {"select 7 2"}, {"7 UC"}},
        ActionCase{"SelectEditPopup", {"select 6 0"}, {"6 UC"}},
        ActionCase{"DragSlider", {"set 10 75"}, {"10 IC", "10 UC"}},
        ActionCase{"SelectListBox", {"select 8 1"}, {"8 UC"}}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.what); });

TEST_F(DialogTest, ItemNotificationsReachTheDialogThroughTheDefaultHandling) {
  front.blocks.push_back(Block("Test:Every", {"set 4 abc", "press 2"}));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_EQ(probe.forwarded, 5);
}

TEST_F(DialogTest, OkCommitsTheFocusedFieldsPendingTextBeforeValidating) {
  front.onRun = [&](dm::Dialog& d) {
    probe.log.clear();
    dm::UserActions person(d);
    person.Type(4, "xyz");  // still in the field
    person.Press(1);
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 1);
  EXPECT_EQ(probe.log, (std::vector<std::string>{"4 TSC", "4 IC", "1 UC", "4 TSC", "4 UC"}));
  EXPECT_EQ(probe.saved[4], "xyz");
}

bool TrackDialog(host::ADMDialog* dialog, host::ADMTracker* tracker) {
  auto& probe = *static_cast<PluginProbe*>(dialog->GetUserData());
  probe.log.push_back("dialog track " + std::to_string(tracker->Point().h) + "," +
                      std::to_string(tracker->Point().v) + " " + std::to_string(tracker->Modifiers()));
  return dialog->DefaultTrack(tracker);
}

TEST_F(DialogTest, WindowActionsReachTheDialog) {
  front.onRun = [&](dm::Dialog& d) {
    dm::UserActions person(d);
    d.SetTrackProc(TrackDialog);
    person.ClickDialog(host::ADMPoint{5, 7}, host::kModifierShift);
    person.MoveTo(10, 20);
    EXPECT_EQ(d.GetBoundsRect(), (host::ADMRect{20, 10, 320, 410}));
    person.ResizeTo(500, 400);
    EXPECT_EQ(d.GetBoundsRect(), (host::ADMRect{20, 10, 420, 510}));
    d.Show(false);
    d.Show(true);
    person.PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_EQ(probe.log, (std::vector<std::string>{"dialog show", "dialog track 5,7 1", "dialog moved", "dialog bounds",
                                                 "dialog hide", "dialog show", "2 UC"}));
}

TEST_F(DialogTest, APasteCanBeSkippedByItsPrePasteNotification) {
  bool skipOnce = true;
  probe.onItemNotify = [&](host::ADMItem&, host::ADMNotifier& n) {
    if (n.IsNotifierType(adm::kPreClipboardPasteNotifier) && skipOnce) {
      skipOnce = false;
      n.SkipNextClipboardOperation(true);
    }
  };
  front.onRun = [&](dm::Dialog& d) {
    probe.log.clear();
    dm::UserActions person(d);
    person.Paste(4, "one");
    EXPECT_EQ(d.GetItem(4)->GetText(), "start");
    person.Paste(4, "two");
    EXPECT_EQ(d.GetItem(4)->GetText(), "two");
    person.PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_EQ(probe.log,
            (std::vector<std::string>{"4 TSC", "4 pre-paste", "4 pre-paste", "4 IC", "4 post-paste", "2 UC"}));
}

TEST_F(DialogTest, TextLimitsCountUtf8BytesAndCutOnCharacterBoundaries) {
  front.onRun = [](dm::Dialog& d) {
    dm::UserActions person(d);
    host::ADMItem& field = *d.GetItem(4);  // at most 5 bytes
    person.Type(4, "äöüx");
    EXPECT_EQ(field.GetText(), "äö");
    field.SetMaxTextLength(3);
    person.Type(4, "€x");
    EXPECT_EQ(field.GetText(), "€");
    // The plug-in's own text is kept whole: only typing is limited.
    field.SetText("longer than the limit");
    EXPECT_EQ(field.GetText(), "longer than the limit");
    field.SetTextW(u"Grüße \U0001F600");
    EXPECT_EQ(field.GetText(), "Grüße \xF0\x9F\x98\x80");
    EXPECT_EQ(field.GetTextW(), u"Grüße \U0001F600");
    person.PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

bool MillimetresToFloat(host::ADMItem* item, float* value) {
  std::string text = item->GetText();
  if (!text.ends_with(" mm")) return false;
  *value = std::stof(text.substr(0, text.size() - 3)) / 10;
  return true;
}

bool FloatToMillimetres(host::ADMItem*, float value, std::string* text) {
  *text = std::to_string(static_cast<int>(value * 10)) + " mm";
  return true;
}

TEST_F(DialogTest, NumbersOfTextItemsGoThroughTheirTextProcedures) {
  front.onRun = [](dm::Dialog& d) {
    host::ADMItem& field = *d.GetItem(23);
    field.SetIntValue(42);
    EXPECT_EQ(field.GetText(), "42");
    field.SetFloatValue(2.6f);
    EXPECT_EQ(field.GetText(), "3");  // "%i"
    field.SetText("  7.5 ");
    EXPECT_FLOAT_EQ(field.GetFloatValue(), 7.5f);
    EXPECT_EQ(field.GetIntValue(), 8);
    field.SetText("abc");
    EXPECT_EQ(field.GetIntValue(), 0);

    field.SetTextToFloatProc(MillimetresToFloat);
    field.SetFloatToTextProc(FloatToMillimetres);
    field.SetFloatValue(2.5f);
    EXPECT_EQ(field.GetText(), "25 mm");
    EXPECT_FLOAT_EQ(field.GetFloatValue(), 2.5f);

    host::ADMItem& slider = *d.GetItem(10);
    slider.SetIntValue(500);
    EXPECT_EQ(slider.GetIntValue(), 100);
    slider.SetMinIntValue(60);
    slider.SetIntValue(10);
    EXPECT_EQ(slider.GetIntValue(), 60);

    host::ADMItem& popup = *d.GetItem(7);
    popup.SetIntValue(2);
    EXPECT_EQ(popup.GetText(), "B");
    popup.SetText("A");
    EXPECT_EQ(popup.GetIntValue(), 0);
    dm::UserActions(d).PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

TEST_F(DialogTest, RadioButtonsAndTabsKeepOneOnPerGroup) {
  front.onRun = [](dm::Dialog& d) {
    d.GetItem(16)->SetBooleanValue(true);
    EXPECT_FALSE(d.GetItem(15)->GetBooleanValue());
    dm::UserActions(d).Check(15, true);
    EXPECT_FALSE(d.GetItem(16)->GetBooleanValue());
    dm::UserActions(d).Press(19);
    EXPECT_FALSE(d.GetItem(18)->GetBooleanValue());
    EXPECT_TRUE(d.GetItem(19)->GetBooleanValue());
    dm::UserActions(d).PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

}  // namespace
}  // namespace viewer::testing
