// What the desktop front end's tests share: waiting for the event loop, a
// person who acts on what appears on screen (also inside the nested event
// loops of modal interactions), a tool that records what it is handed, and
// a host with the Qt front end.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QObject>
#include <QTimer>

#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/qt/PageViewWidget.h"
#include "viewer/qt/QtFrontEnd.h"

class QMenu;
class QMessageBox;

namespace viewer::qt {
class DialogWidget;
}

namespace korvid::qttest {

// Processes events until done() holds or the time is up; answers done().
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000);
// Processes the events waiting now (and those they post).
void Settle();

// Steps that wait for something to appear and then act on it as a person
// would. They run one after the other from a timer, so they run inside the
// nested event loops that modal interactions start too.
class Person final : public QObject {
 public:
  Person();
  void Then(std::function<bool()> ready, std::function<void()> act);
  bool Done() const { return steps_.empty(); }

 private:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  void Tick();
  std::deque<Step> steps_;
  QTimer timer_;
};

// Types text into a widget key by key (any characters, not only ASCII).
void TypeText(QWidget* widget, const QString& text);

QMessageBox* ActiveMessageBox();
QMenu* ActivePopup();

// A tool whose callbacks record what the host hands them. A click while the
// button is down asks for a rectangle drag of dragKind from the click.
class RecordingTool {
 public:
  struct Event {
    std::string what;  // "click", "right-click", "key"
    int x = 0, y = 0;   // device space (keys: the key code in x)
    int modifiers = 0;
    int count = 0;
    double pageX = 0, pageY = 0;  // the point in page space
    bool buttonDown = false;
  };

  RecordingTool(viewer::Host& host, const std::string& type);
  ~RecordingTool();
  RecordingTool(const RecordingTool&) = delete;
  RecordingTool& operator=(const RecordingTool&) = delete;

  std::vector<Event> events;
  bool dragWhenDown = false;  // a click with the button down asks for a drag
  host::AVDragType dragKind = host::kDragBottomRight;
  bool snapped = false;  // ask for the snapped drag (with its modifiers)
  std::vector<viewer::DragResult> drags;

 private:
  static RecordingTool& Of(host::AVToolRec* tool) { return *static_cast<RecordingTool*>(tool->clientData); }
  static void Record(host::AVToolRec* tool, const char* what, host::AVPageView* view, int x, int y, int modifiers,
                     int count);
  host::AVToolRec rec_;
  host::ASAtom type_;
};

// The host with the Qt front end and the plug-ins of pluginDir (none when
// it is empty), loaded by the host's own loader.
class QtRig {
 public:
  explicit QtRig(const std::string& pluginDir = {});
  ~QtRig();
  viewer::Host& Host() { return *host_; }
  viewer::qt::QtFrontEnd& Front() { return front_; }
  // Opens a document in its window, shown and laid out.
  viewer::Document& Open(const std::string& path);
  viewer::qt::PageViewWidget& PageView(const viewer::Document& doc);
  // The page view's viewport as it is painted now.
  QImage Grab(const viewer::Document& doc);

 private:
  viewer::qt::QtFrontEnd front_;
  std::unique_ptr<viewer::Host> host_;
};

std::string ExamplePdf();

// The dialog of the dialog manager shown on screen under that name, if any.
viewer::qt::DialogWidget* ShownDialog(const std::string& name);

}  // namespace korvid::qttest
