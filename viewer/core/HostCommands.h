// The host's own menus and tool-bar buttons and what they do: File (open,
// save, save as, close), Edit (the items plug-ins put theirs in place of),
// View (zoom, pages, rotation), Help with the plug-ins' about and help
// submenus, and the buttons of the host's tools.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"

namespace viewer {

class Document;
class Host;
class Menu;
class PageView;

class HostCommands {
 public:
  explicit HostCommands(Host& host);
  ~HostCommands();
  HostCommands(const HostCommands&) = delete;
  HostCommands& operator=(const HostCommands&) = delete;

  // Puts the menus into the host's menu bar and the buttons on its tool bar.
  void Build();

 private:
  struct Command;
  Command* NewCommand(std::function<void()> run, std::function<bool()> enabled = {},
                      std::function<bool()> marked = {});
  Menu& AddMenu(const std::string& title, const std::string& name);
  void AddItem(Menu& menu, const std::string& title, const std::string& name, Command* command,
               char shortcut = 0, int modifiers = 0);
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildViewMenu();
  void BuildHelpMenu();
  void BuildToolBar();
  // A command on the front document's view; disabled without one.
  Command* OnFrontView(std::function<void(PageView&)> run);
  void Save(Document& doc, const host::ASPathName& path);

  Host& host_;
  std::vector<std::unique_ptr<Command>> commands_;
};

}  // namespace viewer
