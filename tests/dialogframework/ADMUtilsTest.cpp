// Text between items and host text objects, and the suites held in nested
// pairs.
#include <gtest/gtest.h>

#include "ProbeDialog.h"
#include "dialogframework/ADMAcroSDK.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogManager.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

using viewer::dm::Dialog;

TEST_F(FrameworkTest, TextTravelsInUTF16AndNullSetsEmpty) {
  const host::ASText text = host::ASText::FromUTF8("Größe \xF0\x9D\x84\x9E 日本");
  ProbeDialog dialog;
  dialog.onInitSelf = [&](ProbeDialog& d) {
    host::ADMItem* field = d.GetDialog()->GetItem(3);
    ADMUtils::SetASText(field, &text);
    EXPECT_EQ(ADMUtils::GetASText(field), text);
    ADMUtils::SetASText(field, nullptr);
    host::ASText out = text;
    ADMUtils::GetASText(field, out);
    EXPECT_TRUE(out.IsEmpty());

    host::ADMEntry* entry = d.GetDialog()->GetItem(4)->GetList()->InsertEntry(0);
    ADMUtils::SetASText(entry, &text);
    EXPECT_EQ(ADMUtils::GetASText(entry), text);

    ADMUtils::SetASText(d.GetDialog(), &text);
    EXPECT_EQ(d.GetDialog()->GetText(), text.UTF8());
  };
  host_.Driver().OnModal(kResizableName, [](Dialog& d) { viewer::dm::UserActions(d).Press(2); });
  dialog.RunModal();
}

TEST_F(FrameworkTest, SuitesAreHeldInNestedPairs) {
  viewer::dm::DialogManager& manager = *host_.Host().Dialogs();
  const int before = manager.SuitesHeld();
  {
    ProbeDialog outer;
    {
      ProbeDialog inner;
      EXPECT_EQ(ADMUtils::HeldCount(), 2);
      EXPECT_EQ(manager.SuitesHeld(), before + 26);
    }
    EXPECT_EQ(ADMUtils::HeldCount(), 1);
    EXPECT_NE(ADMUtils::DialogSuite(), nullptr) << "the outer object still holds the suites";
    EXPECT_EQ(manager.SuitesHeld(), before + 13);
  }
  EXPECT_EQ(ADMUtils::HeldCount(), 0);
  EXPECT_EQ(ADMUtils::DialogSuite(), nullptr);
  EXPECT_EQ(manager.SuitesHeld(), before);
}

}  // namespace
}  // namespace korvid::testing
