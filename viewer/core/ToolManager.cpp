#include "viewer/core/ToolManager.h"

#include <algorithm>

namespace viewer {

// A host tool answers its type; its clicks, keys and drags are the page
// view's own business (scrolling, text selection, links), which the core
// leaves to the front end.
struct ToolManager::HostTool {
  host::AVToolRec rec;
  host::ASAtom type = host::ASAtomNull;
};

namespace {

// A host tool's client data is its type atom.
host::ASAtom HostToolType(host::AVToolRec* tool) { return *static_cast<const host::ASAtom*>(tool->clientData); }

}  // namespace

ToolManager::ToolManager(AtomTable& atoms) : atoms_(atoms) {
  for (const char* name : {kHandTool, kSelectTool, kLinkTool}) {
    auto tool = std::make_unique<HostTool>();
    tool->type = atoms_.Intern(name);
    tool->rec.GetType = &HostToolType;
    tool->rec.clientData = &tool->type;
    tools_.push_back(&tool->rec);
    hostTools_.push_back(std::move(tool));
  }
  active_ = Default();
  lastActive_ = active_;
}

ToolManager::~ToolManager() = default;

void ToolManager::Register(host::AVToolRec* tool) {
  if (!tool || std::find(tools_.begin(), tools_.end(), tool) != tools_.end()) return;
  tools_.push_back(tool);
}

void ToolManager::UnregisterPluginTools() {
  std::erase_if(tools_, [&](host::AVToolRec* tool) {
    return std::none_of(hostTools_.begin(), hostTools_.end(), [&](const auto& h) { return &h->rec == tool; });
  });
  if (std::find(tools_.begin(), tools_.end(), active_) == tools_.end()) active_ = Default();
  if (std::find(tools_.begin(), tools_.end(), lastActive_) == tools_.end()) lastActive_ = Default();
}

host::AVToolRec* ToolManager::ByType(host::ASAtom type) const {
  for (host::AVToolRec* tool : tools_) {
    if (tool->GetType && tool->GetType(tool) == type) return tool;
  }
  return nullptr;
}

host::AVToolRec* ToolManager::ByTypeName(std::string_view type) const {
  const host::ASAtom atom = atoms_.Find(type);
  return atom == host::ASAtomNull ? nullptr : ByType(atom);
}

std::string ToolManager::TypeName(host::AVToolRec* tool) const {
  if (!tool || !tool->GetType) return {};
  const host::ASAtom type = tool->GetType(tool);
  return type == host::ASAtomNull ? std::string() : atoms_.Text(type);
}

host::AVToolRec* ToolManager::Default() const { return &hostTools_.front()->rec; }

void ToolManager::SetActive(host::AVToolRec* tool, bool persistent) {
  if (!tool || tool == active_) return;
  host::AVToolRec* previous = active_;
  // Tool callbacks catch their own errors; the switch stands either way.
  try {
    if (previous && previous->Deactivate) previous->Deactivate(previous);
  } catch (...) {
  }
  lastActive_ = previous;
  active_ = tool;
  try {
    if (tool->Activate) tool->Activate(tool, persistent);
  } catch (...) {
  }
}

}  // namespace viewer
