// The viewer host: owns every table it serves to plug-ins, the atoms, the
// documents with their page views, the menus, tool bar, tools,
// notifications, drawing procedures, resources, the dialog manager and the
// loaded plug-ins. Front ends (Qt, script) drive it; it shows and asks
// through the FrontEnd.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"
#include "host/PluginEntry.h"
#include "viewer/core/AtomTable.h"
#include "viewer/core/DeferredUi.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/FrontEnd.h"
#include "viewer/core/HostOptions.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/NotificationCenter.h"
#include "viewer/core/PluginLoader.h"
#include "viewer/core/TableRegistry.h"
#include "viewer/core/ToolBar.h"
#include "viewer/core/ToolManager.h"
#include "viewer/core/resources/ResourceStore.h"

namespace viewer {

namespace dm {
class DialogManager;
}

class HostCommands;
class ViewerServices;
struct ServedTables;

class Host {
 public:
  Host(FrontEnd& frontEnd, HostOptions options = {});
  // Closes the documents (plug-ins still hear of it), then unloads the plug-ins.
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // ---- What the host reports ------------------------------------------------
  int MajorVersion() const { return majorVersion_; }
  int MinorVersion() const { return minorVersion_; }
  const std::string& LanguageCode() const { return language_; }
  const HostOptions& Options() const { return options_; }

  // ---- Tables and services --------------------------------------------------
  TableRegistry& Tables() { return tables_; }
  host::CoreTable& Core();
  host::AcroViewTable& AcroView();
  ViewerServices& Viewer() { return *viewer_; }
  AtomTable& Atoms() { return atoms_; }
  ResourceStore& Resources() { return resources_; }
  FrontEnd& Front() { return frontEnd_; }
  DeferredUi& Ui() { return ui_; }
  // Null when the host runs without its dialog layer.
  dm::DialogManager* Dialogs() { return dialogs_.get(); }

  // ---- Plug-ins -------------------------------------------------------------
  // Loads every module of the plug-ins folder (Options().pluginDir, else the
  // one next to the executable); answers how many started.
  int LoadPlugins();
  int LoadPlugins(const std::string& folder);
  // Plug-in code linked into this executable, through the same protocol.
  bool AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources);
  // Unloads every plug-in (once; the destructor does it too).
  void UnloadPlugins();
  PluginLoader& Plugins() { return *loader_; }

  // ---- Documents, menus, tools, notifications -------------------------------
  DocumentManager& Documents() { return *documents_; }
  MenuModel& Menus() { return menus_; }
  ToolBar& GetToolBar() { return toolBar_; }
  ToolManager& Tools() { return tools_; }
  NotificationCenter& Notifications() { return notifications_; }
  DrawProcRegistry& DrawProcs() { return drawProcs_; }
  void Notify(host::AVNotification which, const host::AVNotificationArgs& args) { notifications_.Send(which, args); }

  // Switches tools; while menus update or a view paints, after that.
  void SetActiveTool(host::AVToolRec* tool, bool persistent);
  // A menu command chosen by the user: false (and nothing run) when the
  // item is disabled.
  bool ChooseMenuItem(host::AVMenuItem& item);

  // ---- User input on a page view (device coordinates) -----------------------
  // Clicks make the view's document the front document first.
  void Click(PageView& view, int x, int y, int modifiers, int clickCount);
  void RightClick(PageView& view, int x, int y, int modifiers, int clickCount);
  // Keys go to the active tool; answers whether it handled the key.
  bool Key(int key, int modifiers);
  void MouseLeft(PageView& view);
  void AdjustCursor(PageView& view, int x, int y);

 private:
  using ClickCallback = bool (*)(host::AVToolRec*, host::AVPageView*, host::AVDevCoord, host::AVDevCoord, int, int);
  void PressOn(PageView& view, int x, int y, int modifiers, int clickCount, ClickCallback host::AVToolRec::*which);
  void ForgetPluginRegistrations();
  host::AVToolRec* ActiveTool() { return tools_.Active(); }

  FrontEnd& frontEnd_;
  HostOptions options_;
  int majorVersion_ = 7;
  int minorVersion_ = 0;
  std::string language_;

  DeferredUi ui_;
  AtomTable atoms_;
  TableRegistry tables_;
  ResourceStore resources_;
  MenuModel menus_;
  ToolBar toolBar_;
  ToolManager tools_;
  NotificationCenter notifications_;
  DrawProcRegistry drawProcs_;
  std::shared_ptr<dm::DialogManager> dialogs_;  // its deleter comes with it
  std::unique_ptr<DocumentManager> documents_;
  std::unique_ptr<ViewerServices> viewer_;
  std::unique_ptr<ServedTables> served_;
  std::unique_ptr<HostCommands> commands_;
  std::unique_ptr<PluginLoader> loader_;
  bool pluginsUnloaded_ = false;
};

}  // namespace viewer
