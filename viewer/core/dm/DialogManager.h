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
}  // namespace viewer

namespace viewer::dm {

class Dialog;

class DialogManager {
 public:
  // ticks: the host's tick clock (1/60 s), replaceable in tests.
  DialogManager(FrontEnd& frontEnd, ResourceStore& resources, std::function<std::uint32_t()> ticks);
  // Dialogs still alive are freed without running their procedures (their
  // plug-ins may be unloaded already); call DestroyDialogsOf first for an
  // orderly end.
  ~DialogManager();
  DialogManager(const DialogManager&) = delete;
  DialogManager& operator=(const DialogManager&) = delete;

  // The table to register under "AcroViewSweetPea".
  host::AcroViewSweetPeaTable& SweetPeaTable();

  // Dialogs currently alive, for front ends and tests.
  int NumDialogs() const;
  Dialog* GetDialog(int index);

  // Destroys the plug-in's modeless dialogs (running their destroy
  // procedures) and ends its modal runs; call before unloading its module.
  void DestroyDialogsOf(host::ExtensionID plugin);
  // Suite acquisitions not yet released (plug-ins acquire and release in pairs).
  int SuitesHeld() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace viewer::dm
