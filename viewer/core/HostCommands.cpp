#include "viewer/core/HostCommands.h"

#include "host/HostError.h"
#include "viewer/core/ErrorTexts.h"
#include "viewer/core/Host.h"
#include "viewer/core/ViewerServices.h"

namespace viewer {

struct HostCommands::Command {
  std::function<void()> run;
  std::function<bool()> enabled;
  std::function<bool()> marked;

  static void Execute(void* data) { static_cast<Command*>(data)->run(); }
  static bool Enabled(void* data) {
    const auto* command = static_cast<Command*>(data);
    return !command->enabled || command->enabled();
  }
  static bool Marked(void* data) {
    const auto* command = static_cast<Command*>(data);
    return command->marked && command->marked();
  }
};

HostCommands::HostCommands(Host& host) : host_(host) {}
HostCommands::~HostCommands() = default;

void HostCommands::Build() {
  BuildFileMenu();
  BuildEditMenu();
  BuildViewMenu();
  BuildHelpMenu();
  BuildToolBar();
}

HostCommands::Command* HostCommands::NewCommand(std::function<void()> run, std::function<bool()> enabled,
                                                std::function<bool()> marked) {
  commands_.push_back(std::make_unique<Command>(Command{std::move(run), std::move(enabled), std::move(marked)}));
  return commands_.back().get();
}

Menu& HostCommands::AddMenu(const std::string& title, const std::string& name) {
  Menu* menu = host_.Menus().NewMenu(title, name);
  host_.Menus().AddMenu(menu, host::kMenuAppend);
  menu->Release();
  return *menu;
}

void HostCommands::AddItem(Menu& menu, const std::string& title, const std::string& name, Command* command,
                           char shortcut, int modifiers) {
  MenuItem* item = host_.Menus().NewItem({title, name, nullptr, shortcut, modifiers, nullptr});
  item->SetExecuteProc(&Command::Execute, command);
  item->SetComputeEnabledProc(&Command::Enabled, command);
  item->SetComputeMarkedProc(&Command::Marked, command);
  menu.AddItem(item, host::kMenuAppend);
  item->Release();
}

HostCommands::Command* HostCommands::OnFrontView(std::function<void(PageView&)> run) {
  return NewCommand(
      [this, run] {
        if (Document* doc = host_.Documents().Front()) run(doc->View());
      },
      [this] { return host_.Documents().Front() != nullptr; });
}

void HostCommands::Save(Document& doc, const host::ASPathName& path) {
  try {
    doc.Pdf().Save(path, host::kPDSaveFull);
  } catch (const host::HostError& e) {
    host_.Viewer().AlertNote("\"" + doc.Title() + "\" could not be saved. " + HostErrorText(e.Code()));
  }
}

void HostCommands::BuildFileMenu() {
  Menu& file = AddMenu("File", "File");
  AddItem(file, "Open...", "Open", NewCommand([this] {
            host::AVFileDialogParams params;
            params.title = "Open";
            params.filters = {{"PDF files", {"pdf"}}};
            for (const host::ASPathName& path : host_.Viewer().ChooseFilesToOpen(params)) {
              try {
                host_.Documents().Open(path.Str(), true);
              } catch (const host::HostError& e) {
                host_.Viewer().AlertNote("\"" + path.Str() + "\" could not be opened. " + HostErrorText(e.Code()));
              }
            }
          }),
          'o', 2);
  AddItem(file, "Save", "Save", OnFrontView([this](PageView& view) {
            if (!view.Doc().Pdf().Path().IsNull()) Save(view.Doc(), view.Doc().Pdf().Path());
          }),
          's', 2);
  AddItem(file, "Save As...", "SaveAs", OnFrontView([this](PageView& view) {
            host::AVFileDialogParams params;
            params.title = "Save As";
            params.filters = {{"PDF files", {"pdf"}}};
            params.defaultName = view.Doc().Title();
            if (const auto path = host_.Viewer().ChooseFileToSave(params)) Save(view.Doc(), *path);
          }),
          's', 3);
  AddItem(file, "Close", "Close", OnFrontView([this](PageView& view) { host_.Documents().Close(view.Doc(), false); }),
          'w', 2);
  AddItem(file, "-", "QuitSeparator", NewCommand([] {}));
  AddItem(file, "Quit", "Quit", NewCommand([this] {
            // Each document asks to be saved first; one whose save fails stays open.
            while (host_.Documents().Count() > 0) {
              if (!host_.Documents().Close(host_.Documents().At(host_.Documents().Count() - 1), false)) return;
            }
            host_.Front().QuitRequested();
          }),
          'q', 2);
}

void HostCommands::BuildEditMenu() {
  // The viewer has no selection of its own to edit: the items are there for
  // plug-ins to put theirs in their place while their tools are active.
  Menu& edit = AddMenu("Edit", "Edit");
  Command* nothingToEdit = NewCommand([] {}, [] { return false; });
  const struct {
    const char* title;
    const char* name;
    char shortcut;
    int modifiers;
  } items[] = {{"Undo", "Undo", 'z', 2},         {"Redo", "Redo", 'z', 3},
               {"Cut", "Cut", 'x', 2},           {"Copy", "Copy", 'c', 2},
               {"Paste", "Paste", 'v', 2},       {"Delete", "Clear", 0, 0},
               {"Select All", "SelectAll", 'a', 2}, {"Deselect All", "DeselectAll", 'a', 3},
               {"Properties...", "Properties", 'i', 2}};
  for (const auto& item : items) AddItem(edit, item.title, item.name, nothingToEdit, item.shortcut, item.modifiers);
}

void HostCommands::BuildViewMenu() {
  Menu& view = AddMenu("View", "View");
  const auto goTo = [](int (*target)(const PageView&)) {
    return [target](PageView& v) {
      const int page = target(v);
      if (page >= 0 && page < v.Doc().Pdf().NumPages()) v.GoToPage(page);
    };
  };
  AddItem(view, "Zoom In", "ZoomIn", OnFrontView([](PageView& v) { v.SetZoomFactor(v.ZoomFactor() * 2); }), '=', 2);
  AddItem(view, "Zoom Out", "ZoomOut", OnFrontView([](PageView& v) { v.SetZoomFactor(v.ZoomFactor() / 2); }), '-', 2);
  AddItem(view, "Actual Size", "ActualSize", OnFrontView([](PageView& v) { v.SetZoomFactor(1.0); }), '1', 2);
  AddItem(view, "Fit Page", "FitPage", OnFrontView([](PageView& v) { v.FitPage(); }), '0', 2);
  AddItem(view, "Fit Width", "FitWidth", OnFrontView([](PageView& v) { v.FitWidth(); }), '2', 2);
  AddItem(view, "-", "ZoomSeparator", NewCommand([] {}));
  AddItem(view, "First Page", "FirstPage", OnFrontView(goTo([](const PageView&) { return 0; })));
  AddItem(view, "Previous Page", "PrevPage", OnFrontView(goTo([](const PageView& v) { return v.GetPageNum() - 1; })));
  AddItem(view, "Next Page", "NextPage", OnFrontView(goTo([](const PageView& v) { return v.GetPageNum() + 1; })));
  AddItem(view, "Last Page", "LastPage",
          OnFrontView(goTo([](const PageView& v) { return v.Doc().Pdf().NumPages() - 1; })));
  AddItem(view, "Go to Page...", "GoToPage", OnFrontView([this](PageView& v) {
            if (const std::optional<int> page = host_.Front().AskPageNumber(v)) {
              if (*page >= 1 && *page <= v.Doc().Pdf().NumPages()) v.GoToPage(*page - 1);
            }
          }),
          'g', 2);
  AddItem(view, "-", "PageSeparator", NewCommand([] {}));
  const auto layout = [this](bool continuous) {
    return NewCommand(
        [this, continuous] {
          if (Document* doc = host_.Documents().Front()) doc->View().SetContinuous(continuous);
        },
        [this] { return host_.Documents().Front() != nullptr; },
        [this, continuous] {
          const Document* doc = host_.Documents().Front();
          return doc && doc->View().Continuous() == continuous;
        });
  };
  AddItem(view, "Single Page", "SinglePage", layout(false));
  AddItem(view, "Continuous", "Continuous", layout(true));
  AddItem(view, "-", "RotateSeparator", NewCommand([] {}));
  AddItem(view, "Rotate Clockwise", "RotateClockwise",
          OnFrontView([](PageView& v) { v.SetRotation(v.Rotation() + 90); }));
}

void HostCommands::BuildHelpMenu() {
  // Plug-ins add their about and help items to these two submenus.
  Menu& help = AddMenu("Help", "Help");
  for (const auto& [title, name] :
       {std::pair{"About Plug-ins", "AboutExtensions"}, std::pair{"Plug-in Help", "UsingExtensions"}}) {
    Menu* submenu = host_.Menus().NewMenu(title, name);
    MenuItem* item = host_.Menus().NewItem({title, name, submenu, 0, 0, nullptr});
    submenu->Release();
    help.AddItem(item, host::kMenuAppend);
    item->Release();
  }
}

void HostCommands::BuildToolBar() {
  ToolBar& bar = host_.GetToolBar();
  for (const char* type : {ToolManager::kHandTool, ToolManager::kSelectTool, ToolManager::kLinkTool}) {
    host::AVToolRec* tool = host_.Tools().ByTypeName(type);
    Command* command = NewCommand([this, tool] { host_.SetActiveTool(tool, true); }, {},
                                  [this, tool] { return host_.Tools().Active() == tool; });
    host::AVToolButton* button = bar.NewButton(type, nullptr, 0, false, false);
    button->SetExecuteProc(&Command::Execute, command);
    button->SetComputeEnabledProc(&Command::Enabled, command);
    button->SetComputeMarkedProc(&Command::Marked, command);
    button->SetHelpText(std::string(type) + " tool");
    bar.AddButton(button, nullptr, false);
  }
}

}  // namespace viewer
