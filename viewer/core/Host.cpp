#include "viewer/core/Host.h"

#include <chrono>
#include <functional>
#include <map>

#include "viewer/core/CoreServices.h"
#include "viewer/core/DocumentServices.h"
#include "viewer/core/Environment.h"
#include "viewer/core/FileSystemServices.h"
#include "viewer/core/HostCommands.h"
#include "viewer/core/PlatformServices.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/pdf/PdfDocument.h"

#include "viewer/core/dm/DialogManager.h"

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
  dialogs_ = std::make_shared<dm::DialogManager>(frontEnd_, resources_, ticks);
  tables_.AddHostTable(dialogs_->SweetPeaTable());
  loader_ = std::make_unique<PluginLoader>(served_->core, resources_, atoms_);

  commands_ = std::make_unique<HostCommands>(*this);
  commands_->Build();
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
  for (int i = 0; i < loader_->NumModules(); ++i)
    dialogs_->DestroyDialogsOf(loader_->ModuleID(i));
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
  PressOn(view, x, y, modifiers, clickCount, &host::AVToolRec::DoClick);
}

void Host::RightClick(PageView& view, int x, int y, int modifiers, int clickCount) {
  PressOn(view, x, y, modifiers, clickCount, &host::AVToolRec::DoRightClick);
}

void Host::PressOn(PageView& view, int x, int y, int modifiers, int clickCount, ClickCallback host::AVToolRec::*which) {
  documents_->BringToFront(view.Doc());
  view.SetLastMousePosition({x, y});
  host::AVToolRec* tool = ActiveTool();
  if (!tool || !(tool->*which)) return;
  try {
    (tool->*which)(tool, &view, x, y, modifiers, clickCount);
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

}  // namespace viewer
