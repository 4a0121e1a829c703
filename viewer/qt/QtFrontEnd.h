// The desktop front end: the viewer core shown in Qt widgets. One window
// per visible document (and one without a document while none is open),
// dialogs of the dialog manager as windows, alerts, choosers and the colour
// picker as Qt's dialogs, pop-up menus and rectangle drags as nested event
// loops. Nothing modal ever runs inside a paint event: what the core asks
// for while a view paints waits until the paint is over.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "viewer/core/FrontEnd.h"
#include "viewer/qt/Cursors.h"

namespace viewer {
class Host;
}

namespace viewer::qt {

class DialogWidget;
class MainWindow;
class PageViewWidget;

class QtFrontEnd final : public QObject, public FrontEnd {
  Q_OBJECT

 public:
  QtFrontEnd();
  ~QtFrontEnd() override;

  // The host this front end shows. Detached, windows no longer follow the
  // host's menus and tools (a host that shuts down).
  void Attach(Host& host);
  void Detach();

  // ---- For the windows -----------------------------------------------------
  class PaintScope {
   public:
    explicit PaintScope(QtFrontEnd& front) : front_(front) { ++front_.painting_; }
    ~PaintScope() { --front_.painting_; }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

   private:
    QtFrontEnd& front_;
  };
  bool Painting() const { return painting_ > 0; }
  void SetButtonDown(bool down) { buttonDown_ = down; }
  bool ButtonDown() const { return buttonDown_; }
  // The widget that cursors set by tools apply to.
  void NoteMouseTarget(QWidget* widget) { mouseTarget_ = widget; }
  CursorCache& Cursors() { return *cursors_; }
  // Tool-bar buttons show their enabled and marked states again soon.
  void RefreshCommandStates();

  // ---- For the application and tests ---------------------------------------
  // The window of a document; the window without a document for null.
  MainWindow* WindowOf(const Document* doc) const;
  PageViewWidget* PageViewOf(const PageView& view) const;
  DialogWidget* DialogWidgetOf(const dm::Dialog& dialog) const;
  // Shows the window without a document when no document window is shown.
  void ShowStartWindowIfAlone();
  // Menus and tool bars changed in the core are rebuilt at the next turn of
  // the event loop; this does it now.
  void RebuildNow();
  // The rectangle drag in progress, if any.
  const DragRequest* ActiveDrag() const { return activeDrag_; }
  // Texts of the alerts shown so far.
  const std::vector<std::string>& AlertTexts() const { return alertTexts_; }
  const std::vector<std::string>& HelpFilesOpened() const { return helpFiles_; }
  bool QuitWasRequested() const { return quitRequested_; }

  // ---- FrontEnd --------------------------------------------------------------
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
  void SetCursor(host::AVCursor cursor) override;
  void SetWaitCursor(bool on) override;
  void OpenHelp(const std::string& path) override;
  void QuitRequested() override;
  std::optional<int> AskPageNumber(PageView& view) override;
  host::AVRect ScreenArea() const override;

 signals:
  // Every document has closed after the user asked to quit.
  void quitRequested();

 private:
  MainWindow& NewWindow(Document* doc);
  // The window modal dialogs belong to: the active one, else the front
  // document's, else the window without a document.
  QWidget* ModalParent() const;
  // While a view paints, a modal interaction waits until the paint is over
  // (it runs later; the caller gets the default answer now).
  bool DeferIfPainting(std::function<void()> later);
  DialogWidget& NewDialogWidget(dm::Dialog& dialog);
  void ScheduleRebuild();

  Host* host_ = nullptr;
  std::unique_ptr<CursorCache> cursors_;
  std::map<const Document*, QPointer<MainWindow>> windows_;
  QPointer<MainWindow> startWindow_;
  std::map<const dm::Dialog*, QPointer<DialogWidget>> dialogs_;
  QPointer<QWidget> mouseTarget_;
  const DragRequest* activeDrag_ = nullptr;
  int painting_ = 0;
  bool buttonDown_ = false;
  bool waitCursor_ = false;
  bool menusStale_ = false;
  bool toolBarStale_ = false;
  bool quitRequested_ = false;
  QTimer rebuildTimer_;
  QTimer statesTimer_;
  std::vector<std::string> alertTexts_;
  std::vector<std::string> helpFiles_;
};

}  // namespace viewer::qt
