// The one interface through which the viewer core shows things and asks the
// user. Implemented twice: viewer/qt (windows) and viewer/script (answers
// queued by a script or a test, everything shown recorded).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/ADM.h"
#include "host/AV.h"
#include "host/HostTypes.h"

namespace viewer {

class Document;
class PageView;

namespace dm {
class Dialog;
}

// Where drawing procedures and the dialog manager's drawer paint: a page
// view's port during a draw pass. Coordinates are device pixels.
class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  virtual void SetColor(const host::RGBColor16& color) = 0;
  virtual void FrameRect(const host::AVRect& rect) = 0;
  virtual void FillRect(const host::AVRect& rect) = 0;
  virtual int FontHeight() = 0;
  virtual int TextWidth(const std::u16string& text) = 0;
  virtual void DrawText(const host::AVRect& box, const std::u16string& text) = 0;
};

struct DragRequest {
  PageView* view = nullptr;
  host::AVDevCoord x = 0;  // where the button went down
  host::AVDevCoord y = 0;
  host::AVRect start;
  host::AVDragType kind = host::kDragMove;
  bool snap = false;
  const host::AVRect* limit = nullptr;
  host::AVCursor moveCursor = 0;
  host::AVCursor copyCursor = 0;
};

struct DragResult {
  host::AVRect rect;
  int modifiers = 0;  // at release
};

enum class ChooserKind { Open, OpenMultiple, Save, Folder };

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Documents, views, menus: the core's state changed; show it.
  virtual void DocumentOpened(Document& doc) = 0;
  virtual void DocumentClosed(Document& doc) = 0;
  virtual void FrontDocumentChanged(Document* doc) = 0;
  virtual void ViewChanged(PageView& view) = 0;
  virtual void MenusChanged() = 0;
  virtual void ToolBarChanged() = 0;

  // Painting: an invalidated area is painted later (the core's draw pass);
  // PaintNow paints at once.
  virtual void InvalidateView(PageView& view, const host::AVRect* rect) = 0;
  virtual void PaintNow(PageView& view) = 0;

  // Mouse tracking and pop-ups (modal until answered).
  virtual bool IsMouseButtonDown() = 0;
  virtual DragResult TrackRectDrag(const DragRequest& request) = 0;
  // Answers the chosen item or null; the core runs it.
  virtual host::AVMenuItem* PopupMenu(PageView& view, host::AVMenu* menu, host::AVDevCoord x,
                                      host::AVDevCoord y) = 0;

  // Alerts and choosers.
  virtual void ShowNote(const std::string& text) = 0;
  virtual bool AskConfirm(const std::string& text) = 0;
  virtual int ShowTextAlert(const std::string& text, int iconType) = 0;
  virtual std::vector<std::string> Choose(ChooserKind kind, const host::AVFileDialogParams& params) = 0;
  virtual std::optional<host::RGBColor16> PickColor(const host::RGBColor16& initial) = 0;

  // Dialogs of the dialog manager. RunModalDialog returns when the dialog
  // has ended (answers the ending item).
  virtual int RunModalDialog(dm::Dialog& dialog) = 0;
  virtual void ShowModelessDialog(dm::Dialog& dialog) = 0;
  virtual void DialogChanged(dm::Dialog& dialog) = 0;
  virtual void DialogDestroyed(dm::Dialog& dialog) = 0;
  // Delivers the user actions waiting for this dialog, then returns.
  virtual void ProcessDialogEvents(dm::Dialog& dialog) = 0;

  // Cursors, help.
  virtual void SetCursor(host::AVCursor cursor) = 0;
  virtual void SetWaitCursor(bool on) = 0;
  virtual void OpenHelp(const std::string& path) = 0;

  // The user asked to quit and every document has closed: a front end with
  // windows ends its event loop.
  virtual void QuitRequested() {}
  // Asks for a page number (from 1) to go to; nothing when cancelled.
  virtual std::optional<int> AskPageNumber(PageView& /*view*/) { return std::nullopt; }
  // The area of the screen that centred windows are centred in; without a
  // screen a notional one of 1920 x 1080.
  virtual host::AVRect ScreenArea() const { return {0, 0, 1920, 1080}; }
};

}  // namespace viewer
