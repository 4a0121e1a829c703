#include "viewer/core/ToolBar.h"

#include <algorithm>

#include "host/HostError.h"

namespace viewer {

void ToolButton::SetHelpText(const std::string& text) {
  helpText_ = text;
  bar_.NotifyChanged();
}

bool ToolButton::IsEnabled() { return !separator_ && procs_.Enabled(bar_.Ui()); }

bool ToolButton::IsMarked() { return procs_.Marked(bar_.Ui()); }

void ToolButton::Execute() {
  // A deferred run checks that the button still exists.
  ToolBar* bar = &bar_;
  bar_.Ui().RunOrDefer([bar, button = this] {
    if (bar->Owns(button) && button->IsEnabled()) button->procs_.Execute();
  });
}

void ToolButton::Destroy() { bar_.DestroyButton(*this); }

host::AVToolButton* ToolBar::GetButtonByName(std::string_view name) {
  for (ToolButton* button : shown_) {
    if (button->Name() == name) return button;
  }
  return nullptr;
}

host::AVToolButton* ToolBar::NewButton(std::string_view name, host::ExtensionID owner, int iconResource,
                                       bool isSeparator, bool /*longOnly: every button is always shown*/) {
  buttons_.push_back(std::make_unique<ToolButton>(*this, std::string(name), owner, iconResource, isSeparator));
  return buttons_.back().get();
}

void ToolBar::AddButton(host::AVToolButton* avButton, host::AVToolButton* relative, bool before) {
  auto* button = dynamic_cast<ToolButton*>(avButton);
  if (!button) host::RaiseHostError(host::kErrBadParameter, "tool button");
  std::erase(shown_, button);
  auto at = std::find(shown_.begin(), shown_.end(), relative);
  if (at == shown_.end()) {
    shown_.push_back(button);
  } else {
    shown_.insert(before ? at : at + 1, button);
  }
  NotifyChanged();
}

host::AVToolButton* ToolBar::GetButtonByIndex(int index) {
  if (index < 0 || index >= NumButtons()) return nullptr;
  return shown_[index];
}

bool ToolBar::Owns(const ToolButton* button) const {
  return std::any_of(buttons_.begin(), buttons_.end(), [&](const auto& owned) { return owned.get() == button; });
}

void ToolBar::DestroyButton(ToolButton& button) {
  const bool wasShown = std::erase(shown_, &button) > 0;
  std::erase_if(buttons_, [&](const auto& owned) { return owned.get() == &button; });
  if (wasShown) NotifyChanged();
}

void ToolBar::DestroyButtonsOf(host::ExtensionID owner) {
  std::vector<ToolButton*> doomed;
  for (const auto& button : buttons_) {
    if (button->Owner() == owner) doomed.push_back(button.get());
  }
  for (ToolButton* button : doomed) DestroyButton(*button);
}

}  // namespace viewer
