// A dialog of the framework's test plug-in whose hooks a test fills in, and
// the fixture that attaches that plug-in to an in-process viewer.
#pragma once

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "dialogframework/ResizableDialog.h"
#include "dialogframework/support/DialogDriver.h"
#include "host/PluginEntry.h"

namespace korvid::testing {

inline constexpr int kResizableID = 200;
inline constexpr const char* kResizableName = "Test:Resizable";
inline constexpr int kModelessID = 201;
inline constexpr const char* kModelessName = "Test:Modeless";

class ProbeDialog : public CResizableDlg {
 public:
  explicit ProbeDialog(int* deaths = nullptr) : deaths_(deaths) {}
  ~ProbeDialog() override {
    if (deaths_) ++*deaths_;
  }

  std::function<void(ProbeDialog&)> onInitSelf;
  std::function<void(ProbeDialog&, host::ADMNotifier&)> onNotify;
  std::function<bool(ProbeDialog&)> validate = [](ProbeDialog&) { return false; };
  std::optional<host::ADMRect> prefBounds;
  int saves = 0;
  int destroySelfCalls = 0;

  void InitSelf() override {
    if (onInitSelf) onInitSelf(*this);
  }
  bool Validate() override { return validate(*this); }
  void Save() override { ++saves; }
  void DestroySelf() override { ++destroySelfCalls; }
  host::ADMRect GetPrefBounds() override { return prefBounds.value_or(CResizableDlg::GetPrefBounds()); }
  void Notify(host::ADMNotifier* notifier) override {
    CResizableDlg::Notify(notifier);
    if (onNotify) onNotify(*this, *notifier);
  }

  int RunModal(int style = host::adm::kResizingModalStyle) {
    return Modal(gExtensionID, kResizableName, kResizableID, style);
  }

 private:
  int* deaths_;
};

class FrameworkTest : public ::testing::Test {
 protected:
  FrameworkTest() { host_.AttachLinkedPlugin(&PIMain, &PIResources); }
  ~FrameworkTest() override { EXPECT_TRUE(host_.Driver().Failures().empty()) << host_.Driver().Failures().front(); }

  DialogHost host_;
};

}  // namespace korvid::testing
