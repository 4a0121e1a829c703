#include "viewer/core/ToolBar.h"

#include <algorithm>

#include "host/HostError.h"

namespace viewer {

void ToolButton::SetExecuteProc(host::AVExecuteProc proc, void* clientData) {
  executeProc_ = proc;
  executeData_ = clientData;
}

void ToolButton::SetComputeEnabledProc(host::AVComputeEnabledProc proc, void* clientData) {
  enableProc_ = proc;
  enableData_ = clientData;
}

void ToolButton::SetComputeMarkedProc(host::AVComputeMarkedProc proc, void* clientData) {
  markedProc_ = proc;
  markedData_ = clientData;
}

void ToolButton::SetHelpText(const std::string& text) {
  helpText_ = text;
  bar_.NotifyChanged();
}

bool ToolButton::IsEnabled() {
  if (separator_) return false;
  if (!enableProc_) return true;
  auto update = bar_.Ui().Enter();
  try {
    return enableProc_(enableData_);
  } catch (...) {
    return false;
  }
}

bool ToolButton::IsMarked() {
  if (!markedProc_) return false;
  auto update = bar_.Ui().Enter();
  try {
    return markedProc_(markedData_);
  } catch (...) {
    return false;
  }
}

void ToolButton::Execute() {
  // Deferred runs check that the button still exists.
  ToolBar* bar = &bar_;
  bar_.Ui().RunOrDefer([bar, button = this] {
    if (!bar->Owns(button) || !button->executeProc_ || !button->IsEnabled()) return;
    try {
      button->executeProc_(button->executeData_);
    } catch (...) {
    }
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
