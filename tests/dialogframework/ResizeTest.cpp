// Items following their dialog's size by their resize rules.
#include <gtest/gtest.h>

#include "ProbeDialog.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace adm = host::adm;
using viewer::dm::Dialog;
using viewer::dm::UserActions;

// Items of the test layout (300 x 200) as top, left, bottom, right.
constexpr host::ADMRect kList{40, 10, 140, 210};       // item 4
constexpr host::ADMRect kCentred{40, 210, 64, 290};    // item 5
constexpr host::ADMRect kRight{70, 210, 94, 290};      // item 6
constexpr host::ADMRect kBelowList{145, 10, 161, 210};  // item 7

host::ADMRect Offset(host::ADMRect r, int top, int left, int bottom, int right) {
  return host::ADMRect{r.top + top, r.left + left, r.bottom + bottom, r.right + right};
}

class Resizing : public FrameworkTest {
 protected:
  Resizing() {
    dialog_.onInitSelf = [](ProbeDialog& d) {
      d.ObtainInitialRect();
      host::ADMDialog* dialog = d.GetDialog();
      d.AddResizableControl(dialog->GetItem(4), ResizeStretchRight | ResizeStretchBottom);
      d.AddResizableControl(dialog->GetItem(5), ResizeShiftHalfRight);
      d.AddResizableControl(dialog->GetItem(6), ResizeShiftRight);
      d.AddResizableControl(dialog->GetItem(7), ResizeShiftDown | ResizeStretchRight);
    };
    dialog_.onNotify = [this](ProbeDialog& d, host::ADMNotifier& n) {
      if (!n.IsNotifierType(adm::kBoundsChangedNotifier)) return;
      host::ADMRect used;
      lastResizeAtLeastInitial_ = d.ResizeControls(used);
    };
  }

  // Resizes the dialog to each size in turn and answers the four items'
  // bounds after each.
  std::vector<std::array<host::ADMRect, 4>> ResizeTo(const std::vector<std::pair<int, int>>& sizes) {
    std::vector<std::array<host::ADMRect, 4>> seen;
    host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
      UserActions person(d);
      for (const auto& [width, height] : sizes) {
        person.ResizeTo(width, height);
        seen.push_back({d.GetItem(4)->GetBoundsRect(), d.GetItem(5)->GetBoundsRect(), d.GetItem(6)->GetBoundsRect(),
                        d.GetItem(7)->GetBoundsRect()});
      }
      person.Press(2);
    });
    dialog_.RunModal();
    return seen;
  }

  ProbeDialog dialog_;
  bool lastResizeAtLeastInitial_ = true;
};

TEST_F(Resizing, RulesMoveAndStretchItemsByTheDialogsGrowth) {
  const auto seen = ResizeTo({{340, 220}, {341, 200}});
  ASSERT_EQ(seen.size(), 2u);
  // Widened by 40, heightened by 20.
  EXPECT_EQ(seen[0][0], Offset(kList, 0, 0, 20, 40)) << "0xC grows by the same amounts";
  EXPECT_EQ(seen[0][1], Offset(kCentred, 0, 20, 0, 20)) << "0x20000 moves by half";
  EXPECT_EQ(seen[0][2], Offset(kRight, 0, 40, 0, 40)) << "0x10000 moves by all";
  EXPECT_EQ(seen[0][3], Offset(kBelowList, 20, 0, 20, 40)) << "0x40004 moves down and widens";
  // Widened by 41, height back to the initial one.
  EXPECT_EQ(seen[1][0], Offset(kList, 0, 0, 0, 41));
  EXPECT_EQ(seen[1][1], Offset(kCentred, 0, 20, 0, 20)) << "41 / 2 is 20";
  EXPECT_EQ(seen[1][3], Offset(kBelowList, 0, 0, 0, 41));
  EXPECT_TRUE(lastResizeAtLeastInitial_);
}

TEST_F(Resizing, ShrinkingBelowTheInitialSizeLaysOutAsForTheInitialSize) {
  const auto seen = ResizeTo({{380, 260}, {250, 150}});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1][0], kList);
  EXPECT_EQ(seen[1][1], kCentred);
  EXPECT_EQ(seen[1][2], kRight);
  EXPECT_EQ(seen[1][3], kBelowList);
  EXPECT_FALSE(lastResizeAtLeastInitial_);
}

TEST_F(Resizing, RulesCanBeReplacedRemovedAndReanchored) {
  dialog_.onInitSelf = [](ProbeDialog& d) {
    d.ObtainInitialRect();
    host::ADMItem* list = d.GetDialog()->GetItem(4);
    d.AddResizableControl(list, ResizeShiftRight);
    d.AddResizableControl(list, ResizeStretchBottom);  // replaces the earlier rule
    d.AddResizableControl(d.GetDialog()->GetItem(6), ResizeShiftRight);
    d.RemoveResizableControl(d.GetDialog()->GetItem(6));
    EXPECT_EQ(d.NumResizableControls(), 1);
    d.SetInitialResizableControlRect(list, host::ADMRect{50, 10, 120, 210});
    EXPECT_EQ(list->GetBoundsRect(), (host::ADMRect{50, 10, 120, 210})) << "applied at once";
    d.ResetResizableControlVertical(list, host::ADMRect{60, 0, 100, 0});
  };
  const auto seen = ResizeTo({{340, 230}});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0][0], (host::ADMRect{60, 10, 130, 210}))
      << "bottom: the reset initial bottom + 30; top: never above the reset initial top";
  EXPECT_EQ(seen[0][2], kRight);
}

TEST_F(Resizing, MovingTheWindowKeepsTheLayout) {
  dialog_.onNotify = [](ProbeDialog& d, host::ADMNotifier& n) {
    host::ADMRect rect;
    if (n.IsNotifierType(adm::kWindowMovedByDragNotifier)) d.MoveDialog(rect);
    if (n.IsNotifierType(adm::kBoundsChangedNotifier)) d.ResizeControls(rect);
  };
  host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
    UserActions person(d);
    person.MoveTo(500, 400);
    person.ResizeTo(340, 220);
    EXPECT_EQ(d.GetItem(4)->GetBoundsRect(), Offset(kList, 0, 0, 20, 40));
    dialog_.ForceMoveDialog(host::ADMPoint{10, 20});
    EXPECT_EQ(d.GetBoundsRect().left, 10);
    EXPECT_EQ(d.GetBoundsRect().top, 20);
    person.ResizeTo(300, 200);
    EXPECT_EQ(d.GetItem(4)->GetBoundsRect(), kList);
    person.Press(2);
  });
  dialog_.RunModal();
}

}  // namespace
}  // namespace korvid::testing
