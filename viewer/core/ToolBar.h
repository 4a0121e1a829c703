// The tool bar: buttons with the same execute, enable and marked procedures
// as menu items, and a help text.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"
#include "viewer/core/CommandProcs.h"
#include "viewer/core/DeferredUi.h"

namespace viewer {

class ToolBar;

class ToolButton final : public host::AVToolButton {
 public:
  ToolButton(ToolBar& bar, std::string name, host::ExtensionID owner, int iconResource, bool separator)
      : bar_(bar), name_(std::move(name)), owner_(owner), iconResource_(iconResource), separator_(separator) {}

  std::string Name() const override { return name_; }
  void SetExecuteProc(host::AVExecuteProc proc, void* clientData) override { procs_.SetExecute(proc, clientData); }
  void SetComputeEnabledProc(host::AVComputeEnabledProc proc, void* clientData) override {
    procs_.SetEnabled(proc, clientData);
  }
  void SetComputeMarkedProc(host::AVComputeMarkedProc proc, void* clientData) override {
    procs_.SetMarked(proc, clientData);
  }
  void SetHelpText(const std::string& text) override;
  std::string HelpText() const override { return helpText_; }
  bool IsEnabled() override;
  bool IsMarked() override;
  void Execute() override;
  void Destroy() override;

  host::ExtensionID Owner() const { return owner_; }
  int IconResource() const { return iconResource_; }
  bool IsSeparator() const { return separator_; }

 private:
  ToolBar& bar_;
  std::string name_;
  host::ExtensionID owner_;
  int iconResource_;
  bool separator_;
  std::string helpText_;
  CommandProcs procs_;
};

class ToolBar final : public host::AVToolBar {
 public:
  explicit ToolBar(DeferredUi& ui) : ui_(ui) {}

  host::AVToolButton* GetButtonByName(std::string_view name) override;
  host::AVToolButton* NewButton(std::string_view name, host::ExtensionID owner, int iconResource, bool isSeparator,
                                bool longOnly) override;
  void AddButton(host::AVToolButton* button, host::AVToolButton* relative, bool before) override;
  int NumButtons() const override { return static_cast<int>(shown_.size()); }
  host::AVToolButton* GetButtonByIndex(int index) override;

  // Buttons on the bar, in order.
  const std::vector<ToolButton*>& Buttons() const { return shown_; }
  // Destroys every button of that owner.
  void DestroyButtonsOf(host::ExtensionID owner);

  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
  DeferredUi& Ui() { return ui_; }

 private:
  friend class ToolButton;
  void DestroyButton(ToolButton& button);
  bool Owns(const ToolButton* button) const;
  void NotifyChanged() {
    if (changed_) changed_();
  }

  DeferredUi& ui_;
  std::vector<std::unique_ptr<ToolButton>> buttons_;  // every button, shown or not
  std::vector<ToolButton*> shown_;
  std::function<void()> changed_;
};

}  // namespace viewer
