#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/List.h"
#include "viewer/core/dm/UserActions.h"

namespace viewer::testing {
namespace {

namespace adm = host::adm;
using dm::ItemKind;

TEST_F(DialogTest, EveryItemKindIsBuiltFromTheLayout) {
  bool ran = false;
  front.onRun = [&](dm::Dialog& d) {
    ran = true;
    EXPECT_EQ(d.Name(), "Test:Every");
    EXPECT_EQ(d.ResourceID(), 200);
    EXPECT_EQ(d.Plugin(), kTestModule);
    EXPECT_EQ(d.Style(), adm::kResizingModalStyle);
    EXPECT_TRUE(d.IsModal());
    EXPECT_TRUE(d.IsResizable());
    EXPECT_TRUE(d.IsVisible());
    EXPECT_EQ(d.GetText(), "Every item");
    EXPECT_EQ(d.GetBoundsRect(), (host::ADMRect{50, 100, 350, 500}));
    EXPECT_EQ(d.GetLocalRect(), (host::ADMRect{0, 0, 300, 400}));
    EXPECT_EQ(d.NumItems(), 23);

    const std::pair<int, ItemKind> kinds[] = {
        {1, ItemKind::PushButton},       {3, ItemKind::TextStatic},   {4, ItemKind::TextEdit},
        {5, ItemKind::TextEditReadOnly}, {6, ItemKind::TextEditPopup}, {7, ItemKind::PopupList},
        {8, ItemKind::ListBox},          {9, ItemKind::ScrollBar},     {10, ItemKind::Slider},
        {11, ItemKind::ProgressBar},     {12, ItemKind::Frame},        {13, ItemKind::HierarchyListBox},
        {14, ItemKind::CheckBox},        {15, ItemKind::RadioButton},  {17, ItemKind::PictureStatic},
        {18, ItemKind::TabButton},       {20, ItemKind::User},
    };
    for (const auto& [id, kind] : kinds) {
      const dm::Item* item = d.FindItem(id);
      ASSERT_NE(item, nullptr) << id;
      EXPECT_EQ(item->Kind(), kind) << id;
      EXPECT_EQ(item->TypeName(), dm::TypeNameOfKind(kind)) << id;
    }

    EXPECT_EQ(d.GetItem(4)->GetText(), "start");
    EXPECT_EQ(d.GetItem(4)->GetMaxTextLength(), 5);
    EXPECT_EQ(d.GetItem(4)->GetList(), nullptr);
    EXPECT_EQ(d.GetItem(6)->GetText(), "two");
    EXPECT_EQ(d.GetItem(6)->GetList()->NumberOfEntries(), 2);

    host::ADMList* popup = d.GetItem(7)->GetList();
    ASSERT_EQ(popup->NumberOfEntries(), 4);
    EXPECT_EQ(popup->GetActiveEntry(), popup->GetEntry(0));
    EXPECT_EQ(popup->GetEntry(0)->ID(), 10);
    EXPECT_TRUE(popup->GetEntry(1)->IsSeparator());
    EXPECT_FALSE(popup->GetEntry(3)->IsEnabled());
    EXPECT_EQ(d.GetItem(7)->GetText(), "A");
    EXPECT_EQ(d.GetItem(7)->GetHierarchyList(), nullptr);
    EXPECT_EQ(d.GetItem(8)->GetIntValue(), -1);

    const host::ADMItem* scroll = d.GetItem(9);
    EXPECT_EQ(scroll->GetIntValue(), 5);
    EXPECT_EQ(scroll->GetMaxIntValue(), 20);
    EXPECT_EQ(scroll->GetSmallIncrement(), 1);
    EXPECT_EQ(scroll->GetLargeIncrement(), 5);
    EXPECT_EQ(d.GetItem(10)->GetIntValue(), 50);
    EXPECT_EQ(d.GetItem(11)->GetMaxIntValue(), 100);
    EXPECT_NE(d.GetItem(13)->GetHierarchyList(), nullptr);

    EXPECT_TRUE(d.GetItem(14)->GetBooleanValue());
    EXPECT_TRUE(d.GetItem(15)->GetBooleanValue());
    EXPECT_FALSE(d.GetItem(16)->GetBooleanValue());
    EXPECT_EQ(d.FindItem(15)->RadioGroup(), d.FindItem(16)->RadioGroup());
    EXPECT_EQ(d.GetItem(17)->GetPictureID(), 128);
    EXPECT_EQ(d.FindItem(17)->PictureFamily(), "Test:Logo");
    EXPECT_TRUE(d.GetItem(18)->GetBooleanValue());
    EXPECT_FALSE(d.GetItem(21)->IsEnabled());
    EXPECT_FALSE(d.GetItem(22)->IsVisible());
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_TRUE(ran);
}

TEST_F(DialogTest, OkEndsTheRunWithItemOneOnlyOnceValidationAccepts) {
  std::map<int, int> values;
  probe.validate = [&](host::ADMDialog& d) {
    for (int id : {10, 14, 15, 16, 18, 19}) values[id] = d.GetItem(id)->GetIntValue();
    return !d.GetItem(4)->GetText().empty();
  };
  front.blocks.push_back(Block("Test:Every", {"set 4 ", "press 1", "set 4 abcdefgh", "check 14 0", "check 16 1",
                                              "select 7 2", "select 6 0", "set 10 75", "press 19", "press 1"}));
  EXPECT_EQ(RunModal("Test:Every", 200), 1);
  EXPECT_TRUE(front.playErrors.empty()) << front.playErrors.front();
  EXPECT_EQ(std::count(probe.log.begin(), probe.log.end(), "refused"), 1);
  EXPECT_EQ(probe.saved[4], "abcde");  // cut to the field's five bytes
  EXPECT_EQ(probe.saved[6], "one");
  EXPECT_EQ(probe.saved[7], "B");
  EXPECT_EQ(values, (std::map<int, int>{{10, 75}, {14, 0}, {15, 0}, {16, 1}, {18, 0}, {19, 1}}));
}

TEST_F(DialogTest, CancelEscapeAndClosingEndWithItemTwoWithoutValidation) {
  const std::function<void(dm::Dialog&)> persons[] = {
      [](dm::Dialog& d) { dm::UserActions(d).Press(2); },
      [](dm::Dialog& d) { dm::UserActions(d).PressEscape(); },
      [](dm::Dialog& d) { dm::UserActions(d).Close(); },
  };
  probe.validate = [](host::ADMDialog&) -> bool { throw std::logic_error("validated"); };
  for (const auto& person : persons) {
    front.onRun = person;
    EXPECT_EQ(RunModal("Test:Every", 200), 2);
  }
  front.onRun = nullptr;
  EXPECT_EQ(RunModal("Test:Every", 200), 2);  // nothing answers: the front end presses Escape
  EXPECT_TRUE(probe.saved.empty());
}

TEST_F(DialogTest, ReturnPressesTheDefaultItem) {
  front.onRun = [](dm::Dialog& d) {
    d.SetDefaultItemID(2);
    dm::UserActions(d).PressReturn();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

TEST_F(DialogTest, ARefusedOkLeavesTheBlockOpenWhichIsAnErrorOfTheBlock) {
  probe.validate = [](host::ADMDialog&) { return false; };
  front.blocks.push_back(Block("Test:Every", {"set 4 x", "press 1"}, 30));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);  // the front end cancels what the block left open
  ASSERT_EQ(front.playErrors.size(), 1u);
  EXPECT_EQ(front.playErrors[0], "line 30: the lines of dialog \"Test:Every\" leave it open");
  EXPECT_TRUE(probe.saved.empty());
}

TEST_F(DialogTest, AFailedInitShowsNothingAndAnswersMinusOne) {
  probe.initAnswer = adm::kNoObjectError;
  EXPECT_EQ(RunModal("Test:Every", 200), -1);
  EXPECT_TRUE(front.events.empty());
  EXPECT_EQ(probe.destroyed.front(), "dialog");  // its destroy procedures still run
  EXPECT_EQ(manager.NumDialogs(), 0);

  probe.initAnswer = 0;
  EXPECT_EQ(RunModal("Test:Missing", 999), -1);
  EXPECT_EQ(RunModal("Test:Other", 200), -1);  // the layout of that ID has another name
  EXPECT_TRUE(front.events.empty());
}

TEST_F(DialogTest, DestroyProceduresRunForTheDialogFirstThenItsItems) {
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  ASSERT_EQ(probe.destroyed.size(), 24u);
  EXPECT_EQ(probe.destroyed.front(), "dialog");
  EXPECT_EQ(front.events, (std::vector<std::string>{"run Test:Every", "destroyed Test:Every"}));
  EXPECT_EQ(manager.NumDialogs(), 0);
}

TEST_F(DialogTest, TheCallersStyleWinsOverTheLayouts) {
  front.onRun = [](dm::Dialog& d) {
    EXPECT_EQ(d.Style(), adm::kModalStyle);
    EXPECT_FALSE(d.IsResizable());
    EXPECT_THROW(dm::UserActions(d).ResizeTo(500, 500), dm::UserActionError);
  };
  EXPECT_EQ(RunModal("Test:Every", 200, adm::kModalStyle), 2);
}

TEST_F(DialogTest, ItemsCreatedAndDestroyedByThePluginBehaveLikeLayoutItems) {
  front.onRun = [&](dm::Dialog& d) {
    host::ADMItem* old = d.GetItem(11);
    const host::ADMRect bounds = old->GetBoundsRect();
    d.DestroyItem(old);
    EXPECT_EQ(d.GetItem(11), nullptr);
    host::ADMItem* bar = d.CreateItem(11, adm::kProgressBarType, bounds);
    ASSERT_NE(bar, nullptr);
    bar->SetMinIntValue(0);
    bar->SetMaxIntValue(100);
    bar->SetIntValue(40);
    EXPECT_EQ(d.GetItem(11), bar);
    EXPECT_EQ(bar->GetIntValue(), 40);
    EXPECT_EQ(d.CreateItem(30, "ADM Dial Type", bounds), nullptr);
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  EXPECT_EQ(std::count(probe.destroyed.begin(), probe.destroyed.end(), "item 11"), 1);
}

TEST_F(DialogTest, ChangesOfAPersonsActionAreReportedOnceAndMarkTheItemsThatChanged) {
  front.onRun = [&](dm::Dialog& d) {
    const int before = front.changeReports;
    const std::uint64_t seen = d.Revision();
    dm::UserActions(d).SetText(4, "ab");
    EXPECT_EQ(front.changeReports, before + 1);
    EXPECT_GT(d.FindItem(4)->Revision(), seen);
    EXPECT_LT(d.FindItem(3)->Revision(), seen);
    d.GetItem(3)->SetText("new label");  // outside an action: reported at once
    EXPECT_EQ(front.changeReports, before + 2);
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

}  // namespace
}  // namespace viewer::testing
