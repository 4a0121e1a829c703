// A person's click as an item's or entry's track procedure sees it. The
// default tracking (DefaultTrack) applies what the click does by default:
// toggling a check box, picking an entry...
#pragma once

#include <functional>

#include "host/ADM.h"

namespace viewer::dm {

class Tracker final : public host::ADMTracker {
 public:
  static constexpr int kMouseDown = 1;
  static constexpr int kMouseUp = 2;
  static constexpr int kDoubleClick = 3;

  Tracker(host::ADMPoint point, int action, int modifiers, std::function<void()> defaultAction)
      : point_(point), action_(action), modifiers_(modifiers), defaultAction_(std::move(defaultAction)) {}

  host::ADMPoint Point() const override { return point_; }
  int Action() const override { return action_; }
  int Modifiers() const override { return modifiers_; }

  // Applies the click's default effect (once, however often it is asked).
  void RunDefault() {
    if (!defaultAction_) return;
    auto action = std::move(defaultAction_);
    defaultAction_ = nullptr;
    action();
  }

 private:
  host::ADMPoint point_;
  int action_;
  int modifiers_;
  std::function<void()> defaultAction_;
};

// The default tracking behind every DefaultTrack: our own trackers carry
// their default effect; a tracker made elsewhere has none.
inline bool RunDefaultTracking(host::ADMTracker* tracker) {
  if (auto* own = dynamic_cast<Tracker*>(tracker)) own->RunDefault();
  return true;
}

}  // namespace viewer::dm
