// The front end without windows: everything a person would see is recorded
// (and printed, one line each, when given a stream), and every modal
// interaction is answered from a queue filled by a script or a test. An
// interaction with nothing queued takes its default or cancels, and says so.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "viewer/core/FrontEnd.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace viewer {
class Host;
}

namespace viewer::script {

// One drawing call of a draw pass.
struct DrawOp {
  enum class Kind { Color, Frame, Fill, Text };
  Kind kind = Kind::Frame;
  host::AVRect rect;
  host::RGBColor16 color;
  std::u16string text;
};

// A line of the script that a modal interaction found wrong; line 0 means
// the command that started the interaction.
struct ScriptFailure {
  int line = 0;
  std::string reason;
};

struct RecordedAlert {
  enum class Kind { Note, Confirm, Text };
  Kind kind = Kind::Note;
  std::string text;
  int answer = 1;  // 1 OK / yes, 2 no
};

class ScriptFrontEnd final : public FrontEnd {
 public:
  // Lines go to out as they happen (when given) and are always kept.
  explicit ScriptFrontEnd(std::ostream* out = nullptr);
  ~ScriptFrontEnd() override;

  // The host this front end shows (menus and tools are read from it);
  // detached, menu and tool-bar changes are no longer shown (a host that
  // shuts down).
  void Attach(Host& host);
  void Detach() { host_ = nullptr; }

  // ---- Answers for the next interactions ---------------------------------
  // Alerts: 1 = OK / yes, 2 = no.
  void QueueAlertAnswer(int button) { alertAnswers_.push_back(button); }
  void QueueDrag(const host::AVRect& rect, int modifiers = 0) { drags_.push_back({rect, modifiers}); }
  void QueuePopupChoice(const std::string& itemName) { popups_.push_back(itemName); }
  void QueueFiles(std::vector<std::string> paths) { files_.push_back(std::move(paths)); }
  void QueueFolder(const std::string& path) { folders_.push_back(path); }
  void QueueColor(const host::RGBColor16& color) { colors_.push_back(color); }
  void QueueDialog(ScriptDialogBlock block) { dialogs_.push_back(std::move(block)); }
  // What is still queued, one line each ("drag-to", "dialog NAME", ...).
  std::vector<std::string> UnusedAnswers() const;

  // ---- User input ----------------------------------------------------------
  // A click on the front document's page view: the button is still down
  // when the tool asks exactly when a drag answer is queued.
  void Click(Host& host, int x, int y, int modifiers, int count);
  // Paints every view that waits for it until none does (or a pass limit is
  // reached: a view that invalidates itself on every pass).
  void Settle();

  // ---- What was shown ------------------------------------------------------
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::vector<RecordedAlert>& Alerts() const { return alerts_; }
  std::vector<std::string> AlertTexts() const;
  const std::vector<std::string>& HelpFilesOpened() const { return helpFiles_; }
  // Drawing calls of the last pass of each view.
  const std::vector<DrawOp>& LastPass(const PageView& view) const;
  int NumPasses() const { return passes_; }
  host::AVCursor Cursor() const { return cursor_; }
  bool WaitCursorShown() const { return waitCursor_; }
  // An error a modal interaction found in the script (a dialog block that
  // left its dialog open, a pop-up item that is not in the menu).
  const std::optional<ScriptFailure>& ScriptError() const { return scriptError_; }
  void ClearScriptError() { scriptError_.reset(); }
  void Print(const std::string& line);

  // ---- FrontEnd ------------------------------------------------------------
  void DocumentOpened(Document& doc) override;
  void DocumentClosed(Document& doc) override;
  void FrontDocumentChanged(Document* doc) override;
  void ViewChanged(PageView& view) override;
  void MenusChanged() override;
  void ToolBarChanged() override;
  void InvalidateView(PageView& view, const host::AVRect* rect) override;
  void PaintNow(PageView& view) override;
  bool IsMouseButtonDown() override { return buttonDown_; }
  DragResult TrackRectDrag(const DragRequest& request) override;
  host::AVMenuItem* PopupMenu(PageView& view, host::AVMenu* menu, host::AVDevCoord x, host::AVDevCoord y) override;
  void ShowNote(const std::string& text) override;
  bool AskConfirm(const std::string& text) override;
  int ShowTextAlert(const std::string& text, int iconType) override;
  std::vector<std::string> Choose(ChooserKind kind, const host::AVFileDialogParams& params) override;
  std::optional<host::RGBColor16> PickColor(const host::RGBColor16& initial) override;
  int RunModalDialog(dm::Dialog& dialog) override;
  void ShowModelessDialog(dm::Dialog& dialog) override;
  void DialogChanged(dm::Dialog& dialog) override;
  void DialogDestroyed(dm::Dialog& dialog) override;
  void ProcessDialogEvents(dm::Dialog& dialog) override;
  void SetCursor(host::AVCursor cursor) override { cursor_ = cursor; }
  void SetWaitCursor(bool on) override { waitCursor_ = on; }
  void OpenHelp(const std::string& path) override;

 private:
  struct ViewState {
    int page = -1;
    double zoom = 0;
    int rotation = 0;
  };
  class RecordingSurface;

  void Paint(PageView& view);
  void DiffMenus();
  void DiffToolBar();
  int TakeAlertAnswer(int fallback, bool* answered);
  void FailScript(int line, const std::string& reason);

  std::ostream* out_;
  Host* host_ = nullptr;
  std::vector<std::string> lines_;
  std::vector<RecordedAlert> alerts_;
  std::vector<std::string> helpFiles_;

  std::deque<int> alertAnswers_;
  std::deque<DragResult> drags_;
  std::deque<std::string> popups_;
  std::deque<std::vector<std::string>> files_;
  std::deque<std::string> folders_;
  std::deque<host::RGBColor16> colors_;
  std::deque<ScriptDialogBlock> dialogs_;

  bool buttonDown_ = false;
  host::AVCursor cursor_ = 0;
  bool waitCursor_ = false;
  std::optional<ScriptFailure> scriptError_;

  std::vector<PageView*> dirtyViews_;
  std::map<const PageView*, std::vector<DrawOp>> lastPass_;
  int passes_ = 0;
  std::map<const PageView*, ViewState> viewStates_;
  std::map<std::uint64_t, std::string> shownItems_;  // menu item serial -> name
  std::set<std::string> shownButtons_;
  std::string activeTool_;
};

}  // namespace viewer::script
