// Where a dialog opens (its preferred bounds) and how its host window
// follows it.
#include <gtest/gtest.h>

#include "ProbeDialog.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

using viewer::dm::Dialog;
using viewer::dm::UserActions;

host::ADMRect FrameAsADM(const host::AVRect& r) { return host::ADMRect{r.top, r.left, r.bottom, r.right}; }

class DialogPlacement : public FrameworkTest {
 protected:
  // Opens the resizable test dialog (300 x 200, laid out at left 40, top 30)
  // and answers its bounds and its host window's frame while it is shown.
  std::pair<host::ADMRect, host::ADMRect> Open(std::optional<host::ADMRect> prefBounds) {
    ProbeDialog dialog;
    dialog.prefBounds = prefBounds;
    std::pair<host::ADMRect, host::ADMRect> seen;
    host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
      seen = {d.GetBoundsRect(), FrameAsADM(dialog.GetAVWindow()->Frame())};
      UserActions(d).Press(2);
    });
    dialog.RunModal();
    return seen;
  }
};

TEST_F(DialogPlacement, EmptyBoundsCentreTheDialog) {
  const auto [bounds, frame] = Open(host::ADMRect{});
  EXPECT_EQ(bounds.Width(), 300);
  EXPECT_EQ(bounds.Height(), 200);
  EXPECT_NE(bounds.left, 40) << "moved from where the layout put it";
  EXPECT_EQ(bounds, frame) << "the host window wraps the dialog";
  // The headless host centres on a notional 1920 x 1080 screen.
  EXPECT_EQ((bounds.left + bounds.right) / 2, 960);
  EXPECT_EQ((bounds.top + bounds.bottom) / 2, 540);
}

TEST_F(DialogPlacement, ImproperBoundsOnlyMoveTheDialog) {
  const auto [bounds, frame] = Open(host::ADMRect{100, 50, 90, 300});
  EXPECT_EQ(bounds, (host::ADMRect{100, 50, 300, 350})) << "top left at (50, 100), size kept";
}

TEST_F(DialogPlacement, ProperBoundsBecomeTheDialogsBounds) {
  const auto [bounds, frame] = Open(host::ADMRect{10, 20, 260, 420});
  EXPECT_EQ(bounds, (host::ADMRect{10, 20, 260, 420}));
}

TEST_F(DialogPlacement, HostWindowFollowsMovesAndResizes) {
  ProbeDialog dialog;
  dialog.prefBounds = host::ADMRect{10, 20, 210, 320};
  host_.Driver().OnModal(kResizableName, [&](Dialog& d) {
    UserActions person(d);
    person.MoveTo(200, 150);
    EXPECT_EQ(FrameAsADM(dialog.GetAVWindow()->Frame()), (host::ADMRect{150, 200, 350, 500}));
    person.ResizeTo(400, 260);
    EXPECT_EQ(FrameAsADM(dialog.GetAVWindow()->Frame()), (host::ADMRect{150, 200, 410, 600}));
    person.Press(2);
  });
  dialog.RunModal();
}

}  // namespace
}  // namespace korvid::testing
