// Dialog objects through their dialog's life: OK through validation, what a
// modal and a modeless object own, failures while opening, window layers,
// suites and the wait cursor held in pairs, and the event pump.
#include <memory>

#include <gtest/gtest.h>

#include "ProbeDialog.h"
#include "dialogframework/ADMAcroSDK.h"
#include "host/HostError.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogManager.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace adm = host::adm;
using viewer::dm::Dialog;
using viewer::dm::UserActions;

class DialogLifecycle : public FrameworkTest {
 protected:
  int SuitesHeld() { return host_.Host().Dialogs()->SuitesHeld(); }
  viewer::ViewerServices& Viewer() { return host_.Host().Viewer(); }
};

TEST_F(DialogLifecycle, OkEndsTheDialogOnlyWhenValidateAccepts) {
  ProbeDialog dialog;
  bool accept = false;
  bool editCommittedBeforeValidate = false;
  dialog.validate = [&](ProbeDialog& d) {
    editCommittedBeforeValidate = !d.GetDialog()->GetItem(3)->IsActive();
    return accept;
  };
  host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
    UserActions person(d);
    person.Type(3, "typed");
    person.Press(1);
    EXPECT_FALSE(d.HasEnded()) << "refused by Validate";
    EXPECT_EQ(dialog.saves, 0);
    EXPECT_TRUE(editCommittedBeforeValidate);
    accept = true;
    person.Press(1);
  });
  EXPECT_EQ(dialog.RunModal(), 1);
  EXPECT_EQ(dialog.saves, 1);
}

TEST_F(DialogLifecycle, CancelEndsWithoutValidating) {
  ProbeDialog dialog;
  int validations = 0;
  dialog.validate = [&](ProbeDialog&) { return ++validations, true; };
  host_.Driver().OnModal(kResizableName, [](Dialog& d) { UserActions(d).Press(2); });
  EXPECT_EQ(dialog.RunModal(), 2);
  EXPECT_EQ(validations, 0);
  EXPECT_EQ(dialog.saves, 0);
}

TEST_F(DialogLifecycle, ModalObjectOutlivesItsDialogAndEverythingIsHandedBack) {
  const int suitesBefore = SuitesHeld();
  {
    ProbeDialog dialog;
    EXPECT_EQ(SuitesHeld(), suitesBefore + 13) << "all suites held while the object lives";
    EXPECT_EQ(Viewer().WaitCursorDepth(), 1) << "the wait cursor shows until the dialog is built";
    int bracketDuringInit = -1;
    dialog.onInitSelf = [&](ProbeDialog& d) {
      bracketDuringInit = Viewer().ModalDepth();
      EXPECT_EQ(d.GetAVWindowLayer(), 3);
    };
    host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
      EXPECT_EQ(Viewer().WaitCursorDepth(), 0);
      UserActions(d).Press(2);
    });
    EXPECT_EQ(dialog.RunModal(), 2);
    EXPECT_EQ(bracketDuringInit, 1);
    EXPECT_EQ(Viewer().ModalDepth(), 0) << "modal bracket ended with the dialog";
    EXPECT_EQ(dialog.GetDialog(), nullptr);
    EXPECT_EQ(dialog.GetAVWindow(), nullptr);
    EXPECT_EQ(dialog.destroySelfCalls, 1);
  }
  EXPECT_EQ(SuitesHeld(), suitesBefore);
  EXPECT_EQ(ADMUtils::HeldCount(), 0);
}

TEST_F(DialogLifecycle, HostErrorWhileOpeningKeepsTheDialogFromShowing) {
  ProbeDialog dialog;
  dialog.onInitSelf = [](ProbeDialog&) { host::RaiseHostError(host::kErrNoSuchItem, "missing item"); };
  host_.Driver().OnModal(kResizableName, [](Dialog& d) { UserActions(d).Press(1); });
  EXPECT_EQ(dialog.RunModal(), -1);
  EXPECT_EQ(host_.Driver().UnusedActions(), std::vector<std::string>{kResizableName}) << "never shown";
  EXPECT_EQ(Viewer().ModalDepth(), 0);
  EXPECT_EQ(Viewer().WaitCursorDepth(), 0);
}

TEST_F(DialogLifecycle, ModelessObjectBelongsToItsDialog) {
  int deaths = 0;
  host::ADMDialog* shown = (new ProbeDialog(&deaths))->Create(gExtensionID, kModelessName, kModelessID, 4);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(deaths, 0);
  UserActions(static_cast<Dialog&>(*shown)).Close();
  EXPECT_EQ(deaths, 1) << "closing the window deletes the object";

  auto* owned = new ProbeDialog(&deaths);
  ASSERT_NE(owned->Create(gExtensionID, kModelessName, kModelessID, 4), nullptr);
  const int dialogs = host_.Host().Dialogs()->NumDialogs();
  delete owned;
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(host_.Host().Dialogs()->NumDialogs(), dialogs - 1) << "deleting the object destroys its dialog";

  EXPECT_EQ((new ProbeDialog(&deaths))->Create(gExtensionID, "Test:NoSuchLayout", 999, 4), nullptr);
  EXPECT_EQ(deaths, 3) << "an object without a dialog is not left behind";

  auto* failing = new ProbeDialog(&deaths);
  failing->onInitSelf = [](ProbeDialog&) { host::RaiseHostError(host::kErrGeneral); };
  EXPECT_EQ(failing->Create(gExtensionID, kModelessName, kModelessID, 4), nullptr);
  EXPECT_EQ(deaths, 4);
  EXPECT_EQ(ADMUtils::HeldCount(), 0);
}

TEST_F(DialogLifecycle, WindowLayerAndFlagsFollowTheStyle) {
  struct Case {
    int style;
    int layer;
    std::uint32_t flags;
  };
  const Case cases[] = {{0, 3, 0x8A000000}, {10, 3, 0x8A000000}, {2, 2, 0x5A000000}, {3, 2, 0x5A000000},
                        {4, 2, 0xDA000000}, {5, 2, 0xDA000000}, {7, 2, 0x1A000000}, {1, 3, 0x08000000},
                        {6, 3, 0x08000000}};
  for (const Case& c : cases) {
    auto* dialog = new ProbeDialog;
    ASSERT_NE(dialog->Create(gExtensionID, kModelessName, kModelessID, c.style), nullptr) << c.style;
    EXPECT_EQ(dialog->GetAVWindowLayer(), c.layer) << c.style;
    EXPECT_EQ(dialog->DetermineAVWindowFlags(), c.flags) << c.style;
    EXPECT_EQ(Viewer().ModalDepth(), c.layer == 3 ? 1 : 0) << c.style;
    delete dialog;
    EXPECT_EQ(Viewer().ModalDepth(), 0) << c.style;
  }
}

TEST_F(DialogLifecycle, EventPumpRunsAtMostEverySixTicksAndNeverFirst) {
  auto* dialog = new ProbeDialog;
  ASSERT_NE(dialog->Create(gExtensionID, kModelessName, kModelessID, 4), nullptr);
  DialogDriver& driver = host_.Driver();

  dialog->ProcessEvent();
  EXPECT_EQ(driver.ProcessEventsCount(), 0) << "the first call only starts the clock";
  host_.AdvanceTicks(3);
  dialog->ProcessEvent();
  EXPECT_EQ(driver.ProcessEventsCount(), 0) << "3 ticks later";
  host_.AdvanceTicks(3);
  bool cancelled = true;
  dialog->ProcessEventOrCancelKeystroke(cancelled);
  EXPECT_EQ(driver.ProcessEventsCount(), 1) << "6 ticks after the first";
  EXPECT_TRUE(cancelled) << "left as it was";
  dialog->ProcessEvent();
  EXPECT_EQ(driver.ProcessEventsCount(), 1);

  // A Stop button pressed while events are handled closes the dialog, which
  // deletes the object in the middle of the pump.
  int deaths = 0;
  auto* stopped = new ProbeDialog(&deaths);
  ASSERT_NE(stopped->Create(gExtensionID, kModelessName, kModelessID, 7), nullptr);
  stopped->ProcessEvent();
  host_.AdvanceTicks(6);
  driver.OnProcessEvents([](Dialog& d) { d.Destroy(); });
  stopped->ProcessEvent();
  EXPECT_EQ(deaths, 1);
  driver.OnProcessEvents(nullptr);
  delete dialog;
}

}  // namespace
}  // namespace korvid::testing
