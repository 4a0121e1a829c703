// Keeps modal interface work out of painting and menu updates: while a page
// view paints or a menu updates, alerts, command runs and tool switches wait
// and run when the outermost paint or update has finished.
#pragma once

#include <deque>
#include <functional>

namespace viewer {

class DeferredUi {
 public:
  class Scope {
   public:
    explicit Scope(DeferredUi& ui) : ui_(&ui) { ++ui_->depth_; }
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    DeferredUi* ui_;
  };

  // The caller paints or updates menus until the scope ends.
  [[nodiscard]] Scope Enter() { return Scope(*this); }
  bool Busy() const { return depth_ > 0; }
  // Runs at once when not busy, else after the outermost scope.
  void RunOrDefer(std::function<void()> action);

 private:
  void Flush();

  int depth_ = 0;
  std::deque<std::function<void()>> pending_;
};

}  // namespace viewer
