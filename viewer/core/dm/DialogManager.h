// The viewer's dialog manager: dialogs built from the plug-ins' layout
// resources, their items and lists, run modally or modeless through the
// front end, and the drawer used on page views. Serves the suites of the
// "AcroViewSweetPea" table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "host/ADM.h"

namespace viewer {
class FrontEnd;
class ResourceStore;
}

namespace viewer::dm {

class DialogManager {
 public:
  // ticks: the host's tick clock (1/60 s), replaceable in tests.
  DialogManager(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks);
  ~DialogManager();
  DialogManager(const DialogManager&) = delete;
  DialogManager& operator=(const DialogManager&) = delete;

  // The table to register under "AcroViewSweetPea".
  host::AcroViewSweetPeaTable& SweetPeaTable();

  // Dialogs currently alive, for front ends and tests.
  int NumDialogs() const;
  class Dialog* GetDialog(int index);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace viewer::dm
