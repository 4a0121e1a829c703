// What a dialog needs from the dialog manager that made it.
#pragma once

#include <cstdint>

#include "host/Core.h"

namespace viewer {
class FrontEnd;
class ResourceStore;
}  // namespace viewer

namespace viewer::dm {

class Dialog;

class DialogContext {
 public:
  virtual ~DialogContext() = default;
  virtual FrontEnd& Front() = 0;
  virtual const ResourceStore& Resources() = 0;
  virtual std::uint32_t Ticks() = 0;
  // The dialog has been destroyed: it leaves the live dialogs and is freed
  // once nothing works on it any more.
  virtual void Retire(Dialog& dialog) = 0;
  // Frees the retired dialogs that nothing works on.
  virtual void CollectRetired() = 0;
};

}  // namespace viewer::dm
