// Where a dialog was when it closed, so that it reopens there (and on the
// tab it showed), for as long as the plug-in is loaded.
#pragma once

#include "host/ADM.h"

class CDialogAppearance {
 public:
  void Area(const host::ADMRect& rect) {
    area_ = rect;
    initialized_ = true;
  }
  const host::ADMRect& Area() const { return area_; }
  bool Initialized() const { return initialized_; }

 private:
  host::ADMRect area_;
  bool initialized_ = false;
};

class CTabDialogAppearance : public CDialogAppearance {
 public:
  void ActiveTab(int item) { activeTab_ = item; }
  int ActiveTab() const { return activeTab_; }

 private:
  int activeTab_ = -1;
};
