#include "viewer/core/Host.h"

#include <chrono>
#include <functional>
#include <map>

#include "viewer/core/CoreServices.h"
#include "viewer/core/DocumentServices.h"
#include "viewer/core/Environment.h"
#include "viewer/core/ErrorTexts.h"
#include "viewer/core/FileSystemServices.h"
#include "viewer/core/PlatformServices.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/pdf/PdfDocument.h"

#if KORVID_HAVE_DIALOG_MANAGER
#include "viewer/core/dm/DialogManager.h"
#endif

namespace viewer {

namespace {

// The versions the host serves its tables at.
const std::map<std::string, host::TableVersion>& DefaultTableVersions() {
  static const std::map<std::string, host::TableVersion> versions = {
      {host::tables::kAcroSupport, 0x60000}, {host::tables::kCore, 0x60000},
      {host::tables::kCos, 0x60000},         {host::tables::kPDModel, 0x60000},
      {host::tables::kPDFEditWrite, 0x60000}, {host::tables::kPDFEditRead, 0x60000},
      {host::tables::kPDSysFont, 0x40000},   {host::tables::kPagePDEContent, 0x60000},
      {host::tables::kAcroView, 0x60000},    {host::tables::kPDSWrite, 0x60000},
      {host::tables::kPDSRead, 0x60000},     {host::tables::kMacintosh, 0x20002},
      {host::tables::kASExtra, 0x60000},     {host::tables::kAcroViewSweetPea, 0x50000},
      {host::tables::kPDMetadata, 0x60000},  {host::tables::kAcroColor, 0x60000}};
  return versions;
}

std::function<std::uint32_t()> SteadyTicks() {
  const auto start = std::chrono::steady_clock::now();
  return [start] {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() * 60 /
                                      1000);
  };
}

#if !KORVID_HAVE_DIALOG_MANAGER
// A host built without its dialog layer: the table exists, its suites do
// not, and the viewer says the layer is unavailable.
class NoDialogLayer final : public ServedTable<host::AcroViewSweetPeaTable> {
 public:
  explicit NoDialogLayer(host::TableVersion version) : ServedTable(host::tables::kAcroViewSweetPea, version) {}
  host::ADMSuite* AcquireSuite(std::string_view, int) override { return nullptr; }
  void ReleaseSuite(host::ADMSuite*) override {}
};
#endif

// A host command behind a menu item or tool-bar button.
struct HostCommand {
  std::function<void()> run;
  std::function<bool()> enabled;
  std::function<bool()> marked;

  static void Execute(void* data) { static_cast<HostCommand*>(data)->run(); }
  static bool Enabled(void* data) {
    const auto* command = static_cast<HostCommand*>(data);
    return !command->enabled || command->enabled();
  }
  static bool Marked(void* data) {
    const auto* command = static_cast<HostCommand*>(data);
    return command->marked && command->marked();
  }
};

}  // namespace

struct ServedTables {
  ServedTables(Host& host, const std::function<host::TableVersion(const char*)>& version,
               std::function<std::uint32_t()> ticks)
      : core(version(host::tables::kCore), host.Atoms(), host.Tables()),
        support(version(host::tables::kAcroSupport),
                host.Options().helpDir.empty() ? DefaultHelpDir() : host.Options().helpDir),
        platform(version(host::tables::kMacintosh), fonts, std::move(ticks), host.Resources()),
        sysFonts(version(host::tables::kPDSysFont), fonts, host.Atoms()),
        pdModel(version(host::tables::kPDModel), host.Documents()),
        cos(host::tables::kCos, version(host::tables::kCos)),
        pdfEditWrite(host::tables::kPDFEditWrite, version(host::tables::kPDFEditWrite)),
        pdfEditRead(host::tables::kPDFEditRead, version(host::tables::kPDFEditRead)),
        pdsWrite(host::tables::kPDSWrite, version(host::tables::kPDSWrite)),
        pdsRead(host::tables::kPDSRead, version(host::tables::kPDSRead)),
        asExtra(host::tables::kASExtra, version(host::tables::kASExtra)),
        pdMetadata(host::tables::kPDMetadata, version(host::tables::kPDMetadata)),
        acroColor(host::tables::kAcroColor, version(host::tables::kAcroColor)),
        pageContent(pdf::MakePageContentTable(host.Documents().Atoms())) {}

  void RegisterAll(TableRegistry& tables) {
    for (host::HostTable* table : std::initializer_list<host::HostTable*>{
             &core, &support, &platform, &sysFonts, &pdModel, &cos, &pdfEditWrite, &pdfEditRead, &pdsWrite, &pdsRead,
             &asExtra, &pdMetadata, &acroColor, pageContent.get()}) {
      tables.AddHostTable(*table);
    }
  }

  LazySystemFonts fonts;
  CoreServices core;
  FileSystemServices support;
  PlatformServices platform;
  SysFontServices sysFonts;
  DocumentServices pdModel;
  ServedTable<host::CosTable> cos;
  ServedTable<host::PDFEditWriteTable> pdfEditWrite;
  ServedTable<host::PDFEditReadTable> pdfEditRead;
  ServedTable<host::HostTable> pdsWrite;
  ServedTable<host::HostTable> pdsRead;
  ServedTable<host::HostTable> asExtra;
  ServedTable<host::HostTable> pdMetadata;
  ServedTable<host::HostTable> acroColor;
  std::unique_ptr<host::PagePDEContentTable> pageContent;
  std::unique_ptr<host::AcroViewSweetPeaTable> dialogLayer;  // when the host has no dialog manager
  std::vector<std::unique_ptr<HostCommand>> commands;
};

Host::Host(FrontEnd& frontEnd, HostOptions options)
    : frontEnd_(frontEnd),
      options_(std::move(options)),
      tables_(options_.withoutTables),
      menus_(ui_),
      toolBar_(ui_),
      tools_(atoms_) {
  const VersionNumber version = ParseVersion(options_.hostVersion);
  majorVersion_ = version.major;
  minorVersion_ = version.minor;
  language_ = options_.language.empty() ? SystemLanguageCode() : options_.language;
  std::function<std::uint32_t()> ticks = options_.ticks ? options_.ticks : SteadyTicks();
  const auto tableVersion = [this](const char* name) {
    const auto it = options_.tableVersions.find(name);
    return it != options_.tableVersions.end() ? it->second : DefaultTableVersions().at(name);
  };

  documents_ = std::make_unique<DocumentManager>(*this);
  viewer_ = std::make_unique<ViewerServices>(*this, tableVersion(host::tables::kAcroView));
  served_ = std::make_unique<ServedTables>(*this, tableVersion, ticks);
  served_->RegisterAll(tables_);
  tables_.AddHostTable(*viewer_);
#if KORVID_HAVE_DIALOG_MANAGER
  dialogs_ = std::make_shared<dm::DialogManager>(frontEnd_, resources_, ticks);
  tables_.AddHostTable(dialogs_->SweetPeaTable());
#else
  served_->dialogLayer = std::make_unique<NoDialogLayer>(tableVersion(host::tables::kAcroViewSweetPea));
  tables_.AddHostTable(*served_->dialogLayer);
#endif
  loader_ = std::make_unique<PluginLoader>(served_->core, resources_, atoms_);

  BuildHostMenus();
  BuildHostToolBar();
  menus_.SetChangeListener([this] { frontEnd_.MenusChanged(); });
  toolBar_.SetChangeListener([this] { frontEnd_.ToolBarChanged(); });
}

Host::~Host() {
  documents_->CloseAll();
  UnloadPlugins();
}

host::CoreTable& Host::Core() { return served_->core; }
host::AcroViewTable& Host::AcroView() { return *viewer_; }

// ---- Plug-ins -------------------------------------------------------------------

int Host::LoadPlugins() { return LoadPlugins(options_.pluginDir.empty() ? DefaultPluginDir() : options_.pluginDir); }

int Host::LoadPlugins(const std::string& folder) { return loader_->LoadFolder(folder); }

bool Host::AttachLinkedPlugin(host::PIMainProc main, host::PIResourcesProc resources) {
  return loader_->AttachLinked(main, resources);
}

void Host::UnloadPlugins() {
  if (loader_->NumModules() == 0) return;
  loader_->UnloadAll();
#if KORVID_HAVE_DIALOG_MANAGER
  for (int i = 0; i < loader_->NumModules(); ++i)
    dialogs_->DestroyDialogsOf(loader_->ModuleID(i));
#endif
  ForgetPluginRegistrations();
  loader_->CloseAll();
}

void Host::ForgetPluginRegistrations() {
  // Nothing may call into a plug-in's code once its library is closed.
  notifications_.Clear();
  drawProcs_.Clear();
  tools_.UnregisterPluginTools();
  for (int i = 0; i < loader_->NumModules(); ++i) {
    const host::ExtensionID module = loader_->ModuleID(i);
    menus_.RemoveItemsOf(module);
    toolBar_.DestroyButtonsOf(module);
    tables_.UnregisterServersOf(module);
  }
}

// ---- Commands and tools -------------------------------------------------------------

void Host::SetActiveTool(host::AVToolRec* tool, bool persistent) {
  ui_.RunOrDefer([this, tool, persistent] {
    tools_.SetActive(tool, persistent);
    frontEnd_.ToolBarChanged();
  });
}

bool Host::ChooseMenuItem(host::AVMenuItem& item) {
  if (!item.IsEnabled()) return false;
  item.Execute();
  return true;
}

// ---- User input -------------------------------------------------------------------

void Host::Click(PageView& view, int x, int y, int modifiers, int clickCount) {
  documents_->BringToFront(view.Doc());
  view.SetLastMousePosition({x, y});
  host::AVToolRec* tool = ActiveTool();
  if (!tool || !tool->DoClick) return;
  try {
    tool->DoClick(tool, &view, x, y, modifiers, clickCount);
  } catch (...) {
  }
}

void Host::RightClick(PageView& view, int x, int y, int modifiers, int clickCount) {
  documents_->BringToFront(view.Doc());
  view.SetLastMousePosition({x, y});
  host::AVToolRec* tool = ActiveTool();
  if (!tool || !tool->DoRightClick) return;
  try {
    tool->DoRightClick(tool, &view, x, y, modifiers, clickCount);
  } catch (...) {
  }
}

bool Host::Key(int key, int modifiers) {
  host::AVToolRec* tool = ActiveTool();
  if (!tool || !tool->DoKeyDown) return false;
  try {
    return tool->DoKeyDown(tool, key, modifiers);
  } catch (...) {
    return false;
  }
}

void Host::MouseLeft(PageView& view) {
  host::AVToolRec* tool = ActiveTool();
  if (!tool || !tool->DoLeave) return;
  try {
    tool->DoLeave(tool, &view);
  } catch (...) {
  }
}

void Host::AdjustCursor(PageView& view, int x, int y) {
  view.SetLastMousePosition({x, y});
  host::AVToolRec* tool = ActiveTool();
  bool handled = false;
  if (tool && tool->AdjustCursor) {
    try {
      handled = tool->AdjustCursor(tool, &view, x, y);
    } catch (...) {
    }
  }
  if (!handled) viewer_->SetCursor(viewer_->GetStdCursor(host::kCursorArrow));
}

void Host::SaveWithAlert(Document& doc, const host::ASPathName& path) {
  try {
    doc.Pdf().Save(path, host::kPDSaveFull);
  } catch (const host::HostError& e) {
    viewer_->AlertNote("\"" + doc.Title() + "\" could not be saved. " + HostErrorText(e.Code()));
  }
}

// ---- The host's own menus and tool bar ---------------------------------------------------

void Host::BuildHostMenus() {
  auto command = [this](std::function<void()> run, std::function<bool()> enabled = {}) {
    served_->commands.push_back(std::make_unique<HostCommand>(HostCommand{std::move(run), std::move(enabled), {}}));
    return served_->commands.back().get();
  };
  auto addMenu = [this](const std::string& title, const std::string& name) {
    Menu* menu = menus_.NewMenu(title, name);
    menus_.AddMenu(menu, host::kMenuAppend);
    menu->Release();
    return menu;
  };
  auto addItem = [this](Menu& menu, const std::string& title, const std::string& name, HostCommand* run,
                        Menu* submenu = nullptr, char shortcut = 0, int modifiers = 0) {
    MenuItem* item = menus_.NewItem({title, name, submenu, shortcut, modifiers, nullptr});
    if (run) {
      item->SetExecuteProc(&HostCommand::Execute, run);
      item->SetComputeEnabledProc(&HostCommand::Enabled, run);
    }
    menu.AddItem(item, host::kMenuAppend);
    item->Release();
  };
  auto front = [this] { return documents_->Front(); };
  auto hasFront = [front] { return front() != nullptr; };

  Menu* file = addMenu("File", "File");
  addItem(*file, "Open...", "Open", command([this] {
            host::AVFileDialogParams params;
            params.title = "Open";
            params.filters = {{"PDF files", {"pdf"}}};
            for (const host::ASPathName& path : viewer_->ChooseFilesToOpen(params)) {
              try {
                documents_->Open(path.Str(), true);
              } catch (const host::HostError& e) {
                viewer_->AlertNote("\"" + path.Str() + "\" could not be opened. " + HostErrorText(e.Code()));
              }
            }
          }),
          nullptr, 'o', 2);
  addItem(*file, "Save", "Save", command([this, front] {
            Document* doc = front();
            if (doc && !doc->Pdf().Path().IsNull()) SaveWithAlert(*doc, doc->Pdf().Path());
          }, hasFront),
          nullptr, 's', 2);
  addItem(*file, "Save As...", "SaveAs", command([this, front] {
            Document* doc = front();
            if (!doc) return;
            host::AVFileDialogParams params;
            params.title = "Save As";
            params.filters = {{"PDF files", {"pdf"}}};
            params.defaultName = doc->Title();
            if (const auto path = viewer_->ChooseFileToSave(params)) SaveWithAlert(*doc, *path);
          }, hasFront),
          nullptr, 's', 3);
  addItem(*file, "Close", "Close", command([this, front] {
            if (Document* doc = front()) documents_->Close(*doc, false);
          }, hasFront),
          nullptr, 'w', 2);

  // The host has no selection of its own to edit; plug-ins put their items
  // in place of these while their tools are active.
  Menu* edit = addMenu("Edit", "Edit");
  const auto nothingToEdit = command([] {}, [] { return false; });
  const struct {
    const char* title;
    const char* name;
    char shortcut;
    int modifiers;
  } editItems[] = {{"Undo", "Undo", 'z', 2},         {"Redo", "Redo", 'z', 3},
                   {"Cut", "Cut", 'x', 2},           {"Copy", "Copy", 'c', 2},
                   {"Paste", "Paste", 'v', 2},       {"Delete", "Clear", 0, 0},
                   {"Select All", "SelectAll", 'a', 2}, {"Deselect All", "DeselectAll", 'a', 3},
                   {"Properties...", "Properties", 'i', 2}};
  for (const auto& e : editItems) addItem(*edit, e.title, e.name, nothingToEdit, nullptr, e.shortcut, e.modifiers);

  Menu* view = addMenu("View", "View");
  const auto zoomBy = [front](double factor) {
    return [front, factor] {
      if (Document* doc = front()) doc->View().SetZoomFactor(doc->View().ZoomFactor() * factor);
    };
  };
  const auto goTo = [front](std::function<int(const PageView&)> target) {
    return [front, target] {
      Document* doc = front();
      if (!doc) return;
      const int page = target(doc->View());
      if (page >= 0 && page < doc->Pdf().NumPages()) doc->View().GoToPage(page);
    };
  };
  addItem(*view, "Zoom In", "ZoomIn", command(zoomBy(2.0), hasFront), nullptr, '=', 2);
  addItem(*view, "Zoom Out", "ZoomOut", command(zoomBy(0.5), hasFront), nullptr, '-', 2);
  addItem(*view, "Actual Size", "ActualSize", command([front] {
            if (Document* doc = front()) doc->View().SetZoomFactor(1.0);
          }, hasFront),
          nullptr, '1', 2);
  addItem(*view, "First Page", "FirstPage", command(goTo([](const PageView&) { return 0; }), hasFront));
  addItem(*view, "Previous Page", "PrevPage", command(goTo([](const PageView& v) { return v.GetPageNum() - 1; }), hasFront));
  addItem(*view, "Next Page", "NextPage", command(goTo([](const PageView& v) { return v.GetPageNum() + 1; }), hasFront));
  addItem(*view, "Last Page", "LastPage",
          command(goTo([](const PageView& v) { return v.Doc().Pdf().NumPages() - 1; }), hasFront));
  addItem(*view, "Rotate Clockwise", "RotateClockwise", command([front] {
            if (Document* doc = front()) doc->View().SetRotation(doc->View().Rotation() + 90);
          }, hasFront));

  Menu* help = addMenu("Help", "Help");
  for (const auto& [title, name] : {std::pair{"About Plug-ins", "AboutExtensions"},
                                    std::pair{"Plug-in Help", "UsingExtensions"}}) {
    Menu* submenu = menus_.NewMenu(title, name);
    addItem(*help, title, name, nullptr, submenu);
    submenu->Release();
  }
}

void Host::BuildHostToolBar() {
  for (const char* type : {ToolManager::kHandTool, ToolManager::kSelectTool, ToolManager::kLinkTool}) {
    host::AVToolRec* tool = tools_.ByTypeName(type);
    served_->commands.push_back(std::make_unique<HostCommand>(HostCommand{
        [this, tool] { SetActiveTool(tool, true); }, {}, [this, tool] { return tools_.Active() == tool; }}));
    HostCommand* command = served_->commands.back().get();
    host::AVToolButton* button = toolBar_.NewButton(type, nullptr, 0, false, false);
    button->SetExecuteProc(&HostCommand::Execute, command);
    button->SetComputeEnabledProc(&HostCommand::Enabled, command);
    button->SetComputeMarkedProc(&HostCommand::Marked, command);
    button->SetHelpText(std::string(type) + " tool");
    toolBar_.AddButton(button, nullptr, false);
  }
}

}  // namespace viewer
