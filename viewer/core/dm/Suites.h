// The dialog manager's suites as the "AcroViewSweetPea" table hands them
// out by name and version. Dialogs, items, lists and notifiers are objects
// with their own operations, so the suites for them are plain suites.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "host/ADM.h"

namespace viewer::dm {

class DialogRegistry;

// The name and version every suite answers.
template <typename Base>
class Suite : public Base {
 public:
  Suite(std::string name, host::TableVersion version) : name_(std::move(name)), version_(version) {}
  std::string TableName() const override { return name_; }
  host::TableVersion Version() const override { return version_; }

 private:
  std::string name_;
  host::TableVersion version_;
};

class PlainSuite final : public Suite<host::ADMSuite> {
 public:
  using Suite::Suite;
};

class BasicSuite final : public Suite<host::ADMBasicSuite> {
 public:
  BasicSuite(std::string name, host::TableVersion version, DialogRegistry& registry)
      : Suite(std::move(name), version), registry_(registry) {}
  std::string GetIndexString(host::ExtensionID plugin, int listID, int index) override;
  bool ChooseColor(const host::ADMPoint& where, const host::RGBColor16& in, host::RGBColor16* out) override;
  void SetWaitCursor(bool on) override;
  void Beep() override {}

 private:
  DialogRegistry& registry_;
};

class DialogSuite final : public Suite<host::ADMDialogSuite> {
 public:
  DialogSuite(std::string name, host::TableVersion version, DialogRegistry& registry)
      : Suite(std::move(name), version), registry_(registry) {}
  int Modal(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
            host::ADMDialogInitProc initProc, void* userData, int options) override;
  host::ADMDialog* Create(host::ExtensionID plugin, std::string_view name, int dialogID, int style,
                          host::ADMDialogInitProc initProc, void* userData, int options) override;
  void Destroy(host::ADMDialog* dialog) override;

 private:
  DialogRegistry& registry_;
};

class DrawerSuite final : public Suite<host::ADMDrawerSuite> {
 public:
  using Suite::Suite;
  // port is the front end's DrawSurface (viewer::DrawSurface*).
  host::ADMDrawer* Create(void* port, const host::ADMRect& bounds, int font) override;
  void Destroy(host::ADMDrawer* drawer) override;
  int NumDrawers() const { return static_cast<int>(drawers_.size()); }

 private:
  std::map<host::ADMDrawer*, std::unique_ptr<host::ADMDrawer>> drawers_;
};

class HostSuite final : public Suite<host::ADMHostSuite> {
 public:
  HostSuite(std::string name, host::TableVersion version, DialogRegistry& registry)
      : Suite(std::move(name), version), registry_(registry) {}
  void CommitPendingEdit(host::ADMDialog* dialog) override;

 private:
  DialogRegistry& registry_;
};

class SweetPeaTable final : public host::AcroViewSweetPeaTable {
 public:
  static constexpr host::TableVersion kVersion = 0x60000;

  explicit SweetPeaTable(DialogRegistry& registry);
  ~SweetPeaTable() override;
  std::string TableName() const override { return host::tables::kAcroViewSweetPea; }
  host::TableVersion Version() const override { return kVersion; }
  // A suite of at least the version asked for; null for unknown names and
  // versions newer than served.
  host::ADMSuite* AcquireSuite(std::string_view name, int version) override;
  void ReleaseSuite(host::ADMSuite* suite) override;

  // Acquisitions not yet released, over all suites.
  int SuitesHeld() const;
  DrawerSuite& Drawers() { return *drawers_; }

 private:
  DrawerSuite* drawers_ = nullptr;
  std::map<std::string, std::unique_ptr<host::ADMSuite>, std::less<>> suites_;
  std::map<host::ADMSuite*, int> held_;
};

}  // namespace viewer::dm
