#include "viewer/core/DeferredUi.h"

namespace viewer {

DeferredUi::Scope::~Scope() {
  if (--ui_->depth_ == 0) ui_->Flush();
}

void DeferredUi::RunOrDefer(std::function<void()> action) {
  if (Busy()) {
    pending_.push_back(std::move(action));
  } else {
    action();
  }
}

void DeferredUi::Flush() {
  // An action may itself paint or update menus; what it defers joins the
  // queue and runs in this same loop.
  while (!pending_.empty() && !Busy()) {
    auto action = std::move(pending_.front());
    pending_.pop_front();
    action();
  }
}

}  // namespace viewer
