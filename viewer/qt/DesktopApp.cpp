#include "viewer/qt/DesktopApp.h"

#include <cstdlib>

#include <QApplication>
#include <QMessageBox>

#include "host/HostError.h"
#include "viewer/core/ErrorTexts.h"
#include "viewer/core/Host.h"
#include "viewer/qt/Conversions.h"
#include "viewer/qt/QtFrontEnd.h"

namespace viewer::qt {

namespace {

bool EnvironmentHas(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool DisplayAvailable() {
  return EnvironmentHas("DISPLAY") || EnvironmentHas("WAYLAND_DISPLAY") || EnvironmentHas("QT_QPA_PLATFORM");
}

int RunDesktop(int argc, char** argv, const HostOptions& options, const std::vector<std::string>& files) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Korvid");
  QtFrontEnd front;
  QObject::connect(&front, &QtFrontEnd::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  int status = 0;
  {
    Host host(front, options);
    front.Attach(host);
    host.LoadPlugins();
    for (const std::string& path : files) {
      try {
        host.Documents().Open(path, true);
      } catch (const host::HostError& e) {
        QMessageBox::warning(nullptr, "Korvid",
                             FromUtf8("\"" + path + "\" could not be opened. " + HostErrorText(e.Code())));
      }
    }
    front.RebuildNow();
    front.ShowStartWindowIfAlone();
    status = QApplication::exec();
    front.Detach();  // quitting: the host closes what is still open and unloads the plug-ins
  }
  return status;
}

}  // namespace viewer::qt
