// What the dialog manager's tests share: a front end that answers modal runs
// by playing script blocks (as the scripted front end does) and records what
// it is told, a drawing surface that records calls, a plug-in-like probe
// whose procedures log every notification, and the test module's layouts.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "viewer/core/FrontEnd.h"
#include "viewer/core/dm/DialogManager.h"
#include "viewer/core/resources/ResourceStore.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace viewer::testing {

class TestFrontEnd final : public FrontEnd {
 public:
  // Answers to the next modal runs, in order. A run with no block left is
  // cancelled with Escape, as a person closing it would.
  std::deque<script::ScriptDialogBlock> blocks;
  std::vector<std::string> playErrors;
  // "run NAME", "show NAME", "destroyed NAME", "pick", "wait on"...
  std::vector<std::string> events;
  int changeReports = 0;
  std::vector<const dm::Dialog*> shown;  // a change of any other dialog is logged "changed unshown"
  // Actions a person takes on a shown dialog, delivered when it processes
  // its events.
  std::map<std::string, std::deque<std::function<void(dm::Dialog&)>>> waiting;
  std::optional<host::RGBColor16> pickAnswer;
  // Called when a modal run starts, before any block is played.
  std::function<void(dm::Dialog&)> onRun;

  int RunModalDialog(dm::Dialog& dialog) override;
  void ShowModelessDialog(dm::Dialog& dialog) override;
  void DialogChanged(dm::Dialog& dialog) override;
  void DialogDestroyed(dm::Dialog& dialog) override;
  void ProcessDialogEvents(dm::Dialog& dialog) override;
  std::optional<host::RGBColor16> PickColor(const host::RGBColor16& initial) override;
  void SetWaitCursor(bool on) override;

  // The rest of the front end is not used by the dialog manager.
  void DocumentOpened(Document&) override {}
  void DocumentClosed(Document&) override {}
  void FrontDocumentChanged(Document*) override {}
  void ViewChanged(PageView&) override {}
  void MenusChanged() override {}
  void ToolBarChanged() override {}
  void InvalidateView(PageView&, const host::AVRect*) override {}
  void PaintNow(PageView&) override {}
  bool IsMouseButtonDown() override { return false; }
  DragResult TrackRectDrag(const DragRequest&) override { return {}; }
  host::AVMenuItem* PopupMenu(PageView&, host::AVMenu*, host::AVDevCoord, host::AVDevCoord) override { return nullptr; }
  void ShowNote(const std::string&) override {}
  bool AskConfirm(const std::string&) override { return false; }
  int ShowTextAlert(const std::string&, int) override { return 1; }
  std::vector<std::string> Choose(ChooserKind, const host::AVFileDialogParams&) override { return {}; }
  void SetCursor(host::AVCursor) override {}
  void OpenHelp(const std::string&) override {}
};

// A block as the script reader makes it: "verb item argument" per line; the
// block's line is firstLine, its lines follow.
script::ScriptDialogBlock Block(const std::string& dialogName, const std::vector<std::string>& lines,
                                int firstLine = 10);

// A caller with procedures in the style of a plug-in: its init procedure
// installs a notify procedure on the dialog and on every item (item 1 gets
// an OK handler that commits the pending edit and validates first) and
// destroy procedures that log.
struct PluginProbe {
  int initAnswer = 0;
  std::function<void(host::ADMDialog&)> onInit;  // after the procedures are installed
  std::function<bool(host::ADMDialog&)> validate = [](host::ADMDialog&) { return true; };
  std::function<void(host::ADMItem&, host::ADMNotifier&)> onItemNotify;  // after logging
  std::vector<std::string> log;  // "4 TSC", "1 UC", "dialog moved", "refused"...
  std::map<int, std::string> saved;  // item texts at an accepted OK
  std::vector<std::string> destroyed;  // "dialog", "item 4"...
  int forwarded = 0;  // item notifications that reached the dialog's notify procedure
  host::ADMHostSuite* hostSuite = nullptr;

  static int Init(host::ADMDialog* dialog);
  static std::string Short(const std::string& notifierType);
};

extern const host::ExtensionID kTestModule;

// Resources of the test module: layouts "Test:Every" 200 (an item of every
// kind), "Test:Tree" 201, "Test:Progress" 202 (style 7), "Test:Floating" 203
// and string list 129.
std::string TestModuleBlob();

class DialogTest : public ::testing::Test {
 protected:
  DialogTest();
  ~DialogTest() override;

  // Runs a modal dialog of the test module with the probe's procedures.
  int RunModal(const std::string& name, int id, int style = -1);
  template <typename Suite>
  Suite* Acquire(const char* name, int version) {
    return static_cast<Suite*>(manager.SweetPeaTable().AcquireSuite(name, version));
  }

  TestFrontEnd front;
  ResourceStore resources;
  std::uint32_t ticks = 0;
  dm::DialogManager manager;
  host::ADMDialogSuite* dialogs = nullptr;
  PluginProbe probe;
};

}  // namespace viewer::testing
