#include "viewer/core/CommandProcs.h"

namespace viewer {

namespace {

bool Ask(bool (*proc)(void*), void* data, DeferredUi& ui) {
  auto update = ui.Enter();
  try {
    return proc(data);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool CommandProcs::Enabled(DeferredUi& ui) const { return !enabled_ || Ask(enabled_, enabledData_, ui); }

bool CommandProcs::Marked(DeferredUi& ui) const { return marked_ && Ask(marked_, markedData_, ui); }

void CommandProcs::Execute() const {
  if (!execute_) return;
  try {
    execute_(executeData_);
  } catch (...) {
    // Commands catch their own errors; one that does not must not unwind the host.
  }
}

}  // namespace viewer
