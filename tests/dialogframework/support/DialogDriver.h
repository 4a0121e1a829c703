// An in-process viewer for dialog tests: the real host with the scripted
// front end, where a test may also act on a running modal dialog itself
// (resize it, drag a scroll bar, move the focus) as a person would, through
// the dialog manager's UserActions.
//
//   DialogHost host;
//   host.AttachLinkedPlugin(&PIMain, &PIResources);
//   host.Driver().OnModal("Zolt:Properties", [](viewer::dm::Dialog& d) {
//     viewer::dm::UserActions person(d);
//     person.ResizeTo(600, 500);
//     person.Press(2);
//   });
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/PluginEntry.h"
#include "viewer/core/FrontEnd.h"
#include "viewer/core/Host.h"
#include "viewer/script/ScriptFrontEnd.h"

namespace korvid::testing {

// Answers modal dialogs from actions a test queued (by dialog name, in
// order); everything else goes to the scripted front end, which also answers
// `dialog NAME ... end` blocks queued with QueueDialog.
class DialogDriver final : public viewer::FrontEnd {
 public:
  using Action = std::function<void(viewer::dm::Dialog&)>;

  DialogDriver() = default;
  viewer::script::ScriptFrontEnd& Script() { return script_; }

  // The next modal run of the dialog of that name runs the action; a dialog
  // the action leaves open is cancelled and the failure recorded.
  void OnModal(const std::string& dialogName, Action action);
  // Called whenever a dialog handles its waiting events.
  void OnProcessEvents(Action action) { onProcessEvents_ = std::move(action); }
  int ProcessEventsCount() const { return processEventsCount_; }
  // "the actions for NAME left it open", "... threw: ...".
  const std::vector<std::string>& Failures() const { return failures_; }
  // Actions still waiting, by dialog name.
  std::vector<std::string> UnusedActions() const;

  void DocumentOpened(viewer::Document& doc) override { script_.DocumentOpened(doc); }
  void DocumentClosed(viewer::Document& doc) override { script_.DocumentClosed(doc); }
  void FrontDocumentChanged(viewer::Document* doc) override { script_.FrontDocumentChanged(doc); }
  void ViewChanged(viewer::PageView& view) override { script_.ViewChanged(view); }
  void MenusChanged() override { script_.MenusChanged(); }
  void ToolBarChanged() override { script_.ToolBarChanged(); }
  void InvalidateView(viewer::PageView& view, const host::AVRect* rect) override { script_.InvalidateView(view, rect); }
  void PaintNow(viewer::PageView& view) override { script_.PaintNow(view); }
  bool IsMouseButtonDown() override { return script_.IsMouseButtonDown(); }
  viewer::DragResult TrackRectDrag(const viewer::DragRequest& request) override { return script_.TrackRectDrag(request); }
  host::AVMenuItem* PopupMenu(viewer::PageView& view, host::AVMenu* menu, host::AVDevCoord x,
                              host::AVDevCoord y) override {
    return script_.PopupMenu(view, menu, x, y);
  }
  void ShowNote(const std::string& text) override { script_.ShowNote(text); }
  bool AskConfirm(const std::string& text) override { return script_.AskConfirm(text); }
  int ShowTextAlert(const std::string& text, int iconType) override { return script_.ShowTextAlert(text, iconType); }
  std::vector<std::string> Choose(viewer::ChooserKind kind, const host::AVFileDialogParams& params) override {
    return script_.Choose(kind, params);
  }
  std::optional<host::RGBColor16> PickColor(const host::RGBColor16& initial) override {
    return script_.PickColor(initial);
  }
  int RunModalDialog(viewer::dm::Dialog& dialog) override;
  void ShowModelessDialog(viewer::dm::Dialog& dialog) override { script_.ShowModelessDialog(dialog); }
  void DialogChanged(viewer::dm::Dialog& dialog) override { script_.DialogChanged(dialog); }
  void DialogDestroyed(viewer::dm::Dialog& dialog) override { script_.DialogDestroyed(dialog); }
  void ProcessDialogEvents(viewer::dm::Dialog& dialog) override;
  void SetCursor(host::AVCursor cursor) override { script_.SetCursor(cursor); }
  void SetWaitCursor(bool on) override { script_.SetWaitCursor(on); }
  void OpenHelp(const std::string& path) override { script_.OpenHelp(path); }

 private:
  struct Queued {
    std::string dialogName;
    Action action;
  };

  viewer::script::ScriptFrontEnd script_;
  std::deque<Queued> actions_;
  Action onProcessEvents_;
  int processEventsCount_ = 0;
  std::vector<std::string> failures_;
};

struct DialogHostOptions {
  std::string language = "ENU";
  std::string helpDir{};  // empty: the build's share/korvid/help
};

class DialogHost {
 public:
  explicit DialogHost(DialogHostOptions options = {});
  ~DialogHost();
  DialogHost(const DialogHost&) = delete;
  DialogHost& operator=(const DialogHost&) = delete;

  viewer::Host& Host() { return *host_; }
  DialogDriver& Driver() { return driver_; }
  viewer::script::ScriptFrontEnd& Script() { return driver_.Script(); }
  // Runs PIMain through Init; answers whether Init succeeded.
  bool AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources);
  void AdvanceTicks(std::uint32_t ticks) { ticks_ += ticks; }
  std::uint32_t Ticks() const { return ticks_; }

 private:
  std::uint32_t ticks_ = 1000;
  DialogDriver driver_;
  std::unique_ptr<viewer::Host> host_;
};

}  // namespace korvid::testing
