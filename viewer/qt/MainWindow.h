// A document's window: its menu bar and tool bar, built from the core's
// menus and buttons and rebuilt when they change, and its page view. The
// window shown while no document is open has the menus and tools only.
#pragma once

#include <vector>

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>

namespace viewer {
class Document;
class Host;
}  // namespace viewer

namespace viewer::qt {

class PageViewWidget;
class QtFrontEnd;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // doc: null for the window without a document.
  MainWindow(QtFrontEnd& front, Host& host, Document* doc);
  ~MainWindow() override;

  Document* Doc() const { return doc_; }
  PageViewWidget* PageViewArea() const { return pageView_; }
  QToolBar* Tools() const { return toolBar_; }

  void RebuildMenus();
  void RebuildToolBar();
  // Runs the buttons' enable and marked procedures.
  void RefreshToolBarStates();
  // Title, visibility and the status line follow the document's view.
  void ShowViewState();
  // The document is closing: the window lets go of it and goes.
  void DetachDocument();
  // The core's view of the host goes away (the application quits).
  void DetachHost();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ConnectMenu(QMenu& menu);
  void ChooseItem(std::uint64_t serial);
  void PressButton(const QString& name);

  QtFrontEnd& front_;
  Host* host_;
  Document* doc_;
  PageViewWidget* pageView_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* status_ = nullptr;
  std::vector<QPointer<QMenu>> menus_;
};

}  // namespace viewer::qt
