#include "viewer/qt/QtFrontEnd.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/qt/Choosers.h"
#include "viewer/qt/Conversions.h"
#include "viewer/qt/InputGate.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/MenuView.h"
#include "viewer/qt/PageViewWidget.h"
#include "viewer/qt/dialogs/DialogWidget.h"

namespace viewer::qt {

namespace {

constexpr const char* kAlertTitle = "Korvid";
constexpr int kNoteIcon = 2;
// Tool-bar states are looked at again this long after the last input.
constexpr int kStatesDelay = 50;

// A modal window has the pointer while it is up, so a release of the button
// then never reaches the page view: once the window has gone the button
// counts as up (else a drag asked for next would wait for a release already
// made).
class ModalRun {
 public:
  explicit ModalRun(QtFrontEnd& front) : front_(front) {}
  ~ModalRun() { front_.SetButtonDown(false); }
  ModalRun(const ModalRun&) = delete;
  ModalRun& operator=(const ModalRun&) = delete;

 private:
  QtFrontEnd& front_;
};

}  // namespace

QtFrontEnd::QtFrontEnd() {
  rebuildTimer_.setSingleShot(true);
  connect(&rebuildTimer_, &QTimer::timeout, this, &QtFrontEnd::RebuildNow);
  statesTimer_.setSingleShot(true);
  connect(&statesTimer_, &QTimer::timeout, this, [this] {
    if (!host_) return;
    for (const auto& [doc, window] : windows_)
      if (window) window->RefreshToolBarStates();
    if (startWindow_) startWindow_->RefreshToolBarStates();
  });
}

QtFrontEnd::~QtFrontEnd() {
  for (const auto& [doc, window] : windows_) delete window.data();
  delete startWindow_.data();
  for (const auto& [dialog, widget] : dialogs_) delete widget.data();
}

void QtFrontEnd::Attach(Host& host) {
  host_ = &host;
  cursors_ = std::make_unique<CursorCache>(host);
}

void QtFrontEnd::Detach() {
  rebuildTimer_.stop();
  statesTimer_.stop();
  for (const auto& [doc, window] : windows_)
    if (window) window->DetachHost();
  if (startWindow_) startWindow_->DetachHost();
  host_ = nullptr;
}

// ---- Windows ---------------------------------------------------------------------------

MainWindow& QtFrontEnd::NewWindow(Document* doc) {
  auto* window = new MainWindow(*this, *host_, doc);
  return *window;
}

MainWindow* QtFrontEnd::WindowOf(const Document* doc) const {
  if (!doc) return startWindow_;
  const auto it = windows_.find(doc);
  return it == windows_.end() ? nullptr : it->second.data();
}

PageViewWidget* QtFrontEnd::PageViewOf(const PageView& view) const {
  const MainWindow* window = WindowOf(&view.Doc());
  return window ? window->PageViewArea() : nullptr;
}

DialogWidget* QtFrontEnd::DialogWidgetOf(const dm::Dialog& dialog) const {
  const auto it = dialogs_.find(&dialog);
  return it == dialogs_.end() ? nullptr : it->second.data();
}

void QtFrontEnd::ShowStartWindowIfAlone() {
  if (!host_) return;
  for (const auto& [doc, window] : windows_)
    if (window && window->isVisible()) return;
  if (!startWindow_) startWindow_ = &NewWindow(nullptr);
  startWindow_->show();
}

QWidget* QtFrontEnd::ModalParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (host_) {
    if (const MainWindow* front = WindowOf(host_->Documents().Front())) return const_cast<MainWindow*>(front);
  }
  return startWindow_;
}

void QtFrontEnd::DocumentOpened(Document& doc) {
  if (!host_) return;
  MainWindow& window = NewWindow(&doc);
  windows_[&doc] = &window;
  if (doc.IsVisible()) {
    window.show();
    if (startWindow_) startWindow_->hide();
  }
}

void QtFrontEnd::DocumentClosed(Document& doc) {
  const auto it = windows_.find(&doc);
  if (it == windows_.end()) return;
  QPointer<MainWindow> window = it->second;
  windows_.erase(it);
  if (!window) return;
  window->DetachDocument();
  window->hide();
  window->deleteLater();  // its close event may be what closes the document
  if (!quitRequested_) ShowStartWindowIfAlone();
}

void QtFrontEnd::FrontDocumentChanged(Document* doc) {
  MainWindow* window = doc ? WindowOf(doc) : nullptr;
  if (window && window->isVisible() && !window->isActiveWindow()) {
    window->raise();
    window->activateWindow();
  }
  RefreshCommandStates();
}

void QtFrontEnd::ViewChanged(PageView& view) {
  MainWindow* window = WindowOf(&view.Doc());
  if (!window) return;
  window->ShowViewState();
  if (PageViewWidget* area = window->PageViewArea()) area->ViewChanged();
  if (view.Doc().IsVisible() && startWindow_) startWindow_->hide();
  if (!view.Doc().IsVisible()) ShowStartWindowIfAlone();
}

// ---- Menus and tool bars ------------------------------------------------------------------

void QtFrontEnd::MenusChanged() {
  menusStale_ = true;
  ScheduleRebuild();
}

void QtFrontEnd::ToolBarChanged() {
  toolBarStale_ = true;
  ScheduleRebuild();
}

void QtFrontEnd::ScheduleRebuild() {
  // Plug-ins change menus an item at a time: one rebuild for the lot.
  if (!rebuildTimer_.isActive()) rebuildTimer_.start(0);
}

void QtFrontEnd::RebuildNow() {
  rebuildTimer_.stop();
  if (!host_) return;
  std::vector<MainWindow*> all;
  for (const auto& [doc, window] : windows_)
    if (window) all.push_back(window);
  if (startWindow_) all.push_back(startWindow_);
  for (MainWindow* window : all) {
    if (menusStale_) window->RebuildMenus();
    if (toolBarStale_) window->RebuildToolBar();
    else window->RefreshToolBarStates();
  }
  menusStale_ = toolBarStale_ = false;
}

void QtFrontEnd::RefreshCommandStates() {
  if (!statesTimer_.isActive()) statesTimer_.start(kStatesDelay);
}

// ---- Painting and mouse ---------------------------------------------------------------------

void QtFrontEnd::InvalidateView(PageView& view, const host::AVRect*) {
  if (PageViewWidget* area = PageViewOf(view)) area->ScheduleRepaint();
}

void QtFrontEnd::PaintNow(PageView& view) {
  PageViewWidget* area = PageViewOf(view);
  if (!area) return;
  if (Painting()) area->ScheduleRepaint();
  else area->RepaintNow();
}

bool QtFrontEnd::DeferIfPainting(std::function<void()> later) {
  if (!Painting()) return false;
  QTimer::singleShot(0, this, std::move(later));
  return true;
}

DragResult QtFrontEnd::TrackRectDrag(const DragRequest& request) {
  PageViewWidget* area = request.view ? PageViewOf(*request.view) : nullptr;
  if (!area || Painting()) return {request.start, 0};
  activeDrag_ = &request;
  const DragResult result = area->TrackDrag(request);
  activeDrag_ = nullptr;
  return result;
}

host::AVMenuItem* QtFrontEnd::PopupMenu(PageView& view, host::AVMenu* avMenu, host::AVDevCoord x, host::AVDevCoord y) {
  auto* menu = dynamic_cast<Menu*>(avMenu);
  PageViewWidget* area = PageViewOf(view);
  if (!menu || !area || Painting() || !host_) return nullptr;
  const ModalRun modal(*this);
  QMenu shown(area);
  shown.setObjectName("korvidPopup");
  FillMenu(shown, *menu);
  const auto evaluate = [this, menu](QMenu& target) { EvaluateStates(target, *menu, host_->Ui()); };
  evaluate(shown);
  for (QAction* action : shown.actions())
    if (QMenu* sub = action->menu()) connect(sub, &QMenu::aboutToShow, sub, [evaluate, sub] { evaluate(*sub); });
  QAction* chosen = shown.exec(area->DeviceToGlobal(QPoint(x, y)));
  if (!chosen) return nullptr;
  return FindItemBySerial(*menu, ItemSerialOf(*chosen));
}

void QtFrontEnd::SetCursor(host::AVCursor cursor) {
  if (mouseTarget_ && cursors_) mouseTarget_->setCursor(cursors_->For(cursor));
}

void QtFrontEnd::SetWaitCursor(bool on) {
  if (on == waitCursor_) return;
  waitCursor_ = on;
  if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

// ---- Alerts and choosers -------------------------------------------------------------------------

void QtFrontEnd::ShowNote(const std::string& text) {
  if (DeferIfPainting([this, text] { ShowNote(text); })) return;
  alertTexts_.push_back(text);
  const ModalRun modal(*this);
  QMessageBox box(QMessageBox::Information, kAlertTitle, FromUtf8(text), QMessageBox::Ok, ModalParent());
  box.exec();
}

bool QtFrontEnd::AskConfirm(const std::string& text) {
  if (DeferIfPainting([this, text] { AskConfirm(text); })) return false;
  alertTexts_.push_back(text);
  const ModalRun modal(*this);
  QMessageBox box(QMessageBox::Question, kAlertTitle, FromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                  ModalParent());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtFrontEnd::ShowTextAlert(const std::string& text, int iconType) {
  if (DeferIfPainting([this, text, iconType] { ShowTextAlert(text, iconType); })) return 1;
  alertTexts_.push_back(text);
  const QMessageBox::Icon icon = iconType == kNoteIcon ? QMessageBox::Information : QMessageBox::Warning;
  const ModalRun modal(*this);
  QMessageBox box(icon, kAlertTitle, FromUtf8(text), QMessageBox::Ok, ModalParent());
  box.exec();
  return 1;
}

std::vector<std::string> QtFrontEnd::Choose(ChooserKind kind, const host::AVFileDialogParams& params) {
  if (Painting()) return {};
  const ModalRun modal(*this);
  return RunFileChooser(ModalParent(), kind, params);
}

std::optional<host::RGBColor16> QtFrontEnd::PickColor(const host::RGBColor16& initial) {
  if (Painting()) return std::nullopt;
  const ModalRun modal(*this);
  return RunColorPicker(ModalParent(), initial);
}

std::optional<int> QtFrontEnd::AskPageNumber(PageView& view) {
  if (Painting()) return std::nullopt;
  const ModalRun modal(*this);
  bool ok = false;
  const int count = view.Doc().Pdf().NumPages();
  const int page = QInputDialog::getInt(ModalParent(), "Go to Page", QString("Page (1 to %1):").arg(count),
                                        view.GetPageNum() + 1, 1, std::max(1, count), 1, &ok);
  if (!ok) return std::nullopt;
  return page;
}

host::AVRect QtFrontEnd::ScreenArea() const {
  // The screen modal windows come up on: that of the window they belong to.
  const QWidget* parent = ModalParent();
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return FrontEnd::ScreenArea();
  const QRect area = screen->availableGeometry();
  return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

void QtFrontEnd::OpenHelp(const std::string& path) {
  helpFiles_.push_back(path);
  QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(path)));
}

void QtFrontEnd::QuitRequested() {
  quitRequested_ = true;
  emit quitRequested();
}

// ---- Dialogs -------------------------------------------------------------------------------------

DialogWidget& QtFrontEnd::NewDialogWidget(dm::Dialog& dialog) {
  auto* widget = new DialogWidget(dialog, host_->Resources(), ModalParent());
  dialogs_[&dialog] = widget;
  return *widget;
}

int QtFrontEnd::RunModalDialog(dm::Dialog& dialog) {
  if (Painting() || !host_) {
    dialog.EndModal(dialog.GetCancelItemID());
    return dialog.GetCancelItemID();
  }
  const ModalRun modal(*this);
  DialogWidget& widget = NewDialogWidget(dialog);
  return widget.RunModal();
}

void QtFrontEnd::ShowModelessDialog(dm::Dialog& dialog) {
  if (!host_) return;
  NewDialogWidget(dialog).ShowModeless();
}

void QtFrontEnd::DialogChanged(dm::Dialog& dialog) {
  if (DialogWidget* widget = DialogWidgetOf(dialog)) widget->ModelChanged();
}

void QtFrontEnd::DialogDestroyed(dm::Dialog& dialog) {
  const auto it = dialogs_.find(&dialog);
  if (it == dialogs_.end()) return;
  if (it->second) it->second->Retire();
  dialogs_.erase(it);
}

void QtFrontEnd::ProcessDialogEvents(dm::Dialog& dialog) {
  DialogWidget* widget = DialogWidgetOf(dialog);
  if (!widget) return;
  const InputGate gate(widget);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace viewer::qt
