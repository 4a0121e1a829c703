#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/core/dm/UserActions.h"

namespace viewer::testing {
namespace {

namespace adm = host::adm;

class ModelessDialogTest : public DialogTest {
 protected:
  host::ADMDialog* Create(const char* name, int id, int style = -1) {
    return dialogs->Create(kTestModule, name, id, style, PluginProbe::Init, &probe, 0);
  }
  void PersonPresses(const char* dialogName, int itemID) {
    front.waiting[dialogName].push_back([itemID](dm::Dialog& d) { dm::UserActions(d).Press(itemID); });
  }
};

TEST_F(ModelessDialogTest, AProgressDialogSeesAStopPressWhenItProcessesItsEvents) {
  host::ADMDialog* dialog = Create("Test:Progress", 202);
  ASSERT_NE(dialog, nullptr);
  auto& shown = static_cast<dm::Dialog&>(*dialog);
  EXPECT_EQ(front.events, std::vector<std::string>{"show Test:Progress"});
  EXPECT_FALSE(dialog->IsModal());
  EXPECT_TRUE(dialog->IsVisible());
  EXPECT_TRUE(shown.IsFloating());
  EXPECT_FALSE(shown.HasCloseBox());
  EXPECT_THROW(dm::UserActions(shown).Close(), dm::UserActionError);

  bool stopped = false;
  probe.onItemNotify = [&](host::ADMItem& item, host::ADMNotifier& n) {
    if (item.ID() == 1 && n.IsNotifierType(adm::kUserChangedNotifier)) stopped = true;
  };
  ticks = 6;
  dialog->ProcessEvents();  // nothing waiting
  EXPECT_FALSE(stopped);
  PersonPresses("Test:Progress", 1);
  ticks = 12;
  dialog->GetItem(2)->SetText("file 2 of 5");
  dialog->ProcessEvents();
  EXPECT_TRUE(stopped);
  EXPECT_EQ(shown.LastEventPassTicks(), 12u);
  EXPECT_EQ(manager.NumDialogs(), 1);  // pressing its default item does not end a modeless dialog

  dialogs->Destroy(dialog);
  EXPECT_EQ(manager.NumDialogs(), 0);
  EXPECT_EQ(probe.destroyed.front(), "dialog");
  EXPECT_EQ(front.events.back(), "destroyed Test:Progress");
}

TEST_F(ModelessDialogTest, APersonClosingTheWindowDestroysIt) {
  host::ADMDialog* dialog = Create("Test:Floating", 203);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Style(), adm::kFloatingStyle);
  dm::UserActions(static_cast<dm::Dialog&>(*dialog)).Close();
  EXPECT_EQ(manager.NumDialogs(), 0);
  EXPECT_EQ(probe.destroyed, (std::vector<std::string>{"dialog", "item 1"}));
}

TEST_F(ModelessDialogTest, ADialogDestroyedByItsOwnNotificationIsFreedAfterIt) {
  host::ADMDialog* dialog = Create("Test:Floating", 203);
  probe.onItemNotify = [](host::ADMItem& item, host::ADMNotifier&) { item.Dialog()->Destroy(); };
  PersonPresses("Test:Floating", 1);
  dialog->ProcessEvents();
  EXPECT_EQ(manager.NumDialogs(), 0);
  EXPECT_EQ(probe.destroyed.front(), "dialog");
}

TEST_F(ModelessDialogTest, AFailedInitGivesNoDialog) {
  probe.initAnswer = 7;
  EXPECT_EQ(Create("Test:Floating", 203), nullptr);
  EXPECT_EQ(Create("Test:Missing", 500), nullptr);
  EXPECT_EQ(manager.NumDialogs(), 0);
  EXPECT_TRUE(front.events.empty());
}

TEST_F(ModelessDialogTest, UnloadingAPluginDestroysItsDialogs) {
  ASSERT_NE(Create("Test:Floating", 203), nullptr);
  ASSERT_NE(Create("Test:Progress", 202), nullptr);
  manager.DestroyDialogsOf(FakeModule(99));
  EXPECT_EQ(manager.NumDialogs(), 2);
  manager.DestroyDialogsOf(kTestModule);
  EXPECT_EQ(manager.NumDialogs(), 0);
  EXPECT_EQ(std::count(probe.destroyed.begin(), probe.destroyed.end(), "dialog"), 2);
}

}  // namespace
}  // namespace viewer::testing
