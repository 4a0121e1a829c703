#include "viewer/qt/QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "viewer/core/PageView.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/dialogs/DialogWidget.h"

namespace korvid::qttest {

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qWait(2);
  }
  return true;
}

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  QTest::qWait(20);
  QCoreApplication::processEvents();
}

Person::Person() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &Person::Tick);
  timer_.start();
}

void Person::Then(std::function<bool()> ready, std::function<void()> act) {
  steps_.push_back({std::move(ready), std::move(act)});
}

void Person::Tick() {
  if (steps_.empty() || !steps_.front().ready()) return;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  step.act();  // may start a nested loop of its own, in which later steps run
}

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) QTest::keyClick(widget, c.toLatin1());
    else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

QMessageBox* ActiveMessageBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
QMenu* ActivePopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

// ---- RecordingTool ------------------------------------------------------------------

RecordingTool::RecordingTool(viewer::Host& host, const std::string& type) : type_(host.Atoms().Intern(type)) {
  rec_.clientData = this;
  rec_.GetType = [](host::AVToolRec* tool) { return Of(tool).type_; };
  rec_.DoClick = [](host::AVToolRec* tool, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y,
                    int modifiers, int count) {
    Record(tool, "click", view, x, y, modifiers, count);
    RecordingTool& self = Of(tool);
    if (self.dragWhenDown && self.events.back().buttonDown) {
      const host::AVRect start{x, y, x, y};
      if (self.snapped) {
        int atRelease = 0;
        const host::AVRect r = view->SnapDragRect(x, y, start, self.dragKind, nullptr, 0, 0, &atRelease);
        self.drags.push_back({r, atRelease});
      } else {
        self.drags.push_back({view->DragRect(x, y, start, self.dragKind), 0});
      }
    }
    return true;
  };
  rec_.DoRightClick = [](host::AVToolRec* tool, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y,
                         int modifiers, int count) {
    Record(tool, "right-click", view, x, y, modifiers, count);
    return true;
  };
  rec_.DoKeyDown = [](host::AVToolRec* tool, int key, int modifiers) {
    Of(tool).events.push_back({"key", key, 0, modifiers, 0, 0, 0, false});
    return true;
  };
  host.Tools().Register(&rec_);
  host.SetActiveTool(&rec_, true);
}

RecordingTool::~RecordingTool() = default;

void RecordingTool::Record(host::AVToolRec* tool, const char* what, host::AVPageView* view, int x, int y,
                           int modifiers, int count) {
  const host::ASFixedPoint page = view->DevicePointToPage(x, y);
  Of(tool).events.push_back({what, x, y, modifiers, count, host::FixedToFloat(page.h), host::FixedToFloat(page.v),
                             view->IsMouseStillDown()});
}

// ---- QtRig ----------------------------------------------------------------------------

QtRig::QtRig(const std::string& pluginDir) {
  viewer::HostOptions options;
  options.language = "ENU";
  options.pluginDir = pluginDir.empty() ? "/nonexistent" : pluginDir;
  host_ = std::make_unique<viewer::Host>(front_, options);
  front_.Attach(*host_);
  if (!pluginDir.empty()) host_->LoadPlugins();
  front_.RebuildNow();
}

QtRig::~QtRig() {
  front_.Detach();
  host_.reset();
  Settle();
}

viewer::Document& QtRig::Open(const std::string& path) {
  viewer::Document& doc = host_->Documents().Open(path, true);
  front_.RebuildNow();
  viewer::qt::MainWindow* window = front_.WindowOf(&doc);
  window->resize(800, 900);
  window->activateWindow();
  (void)QTest::qWaitForWindowExposed(window);
  Settle();
  return doc;
}

viewer::qt::PageViewWidget& QtRig::PageView(const viewer::Document& doc) {
  return *front_.WindowOf(&doc)->PageViewArea();
}

QImage QtRig::Grab(const viewer::Document& doc) {
  QWidget* viewport = PageView(doc).viewport();
  Settle();
  return viewport->grab().toImage();
}

std::string ExamplePdf() { return KORVID_SOURCE_DIR "/examples/example.pdf"; }

viewer::qt::DialogWidget* ShownDialog(const std::string& name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<viewer::qt::DialogWidget*>(widget);
    if (dialog && dialog->isVisible() && dialog->Model() && dialog->Model()->Name() == name) return dialog;
  }
  return nullptr;
}

}  // namespace korvid::qttest
