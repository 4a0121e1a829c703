// Tools: the host's own (hand, select, link) and those plug-ins register;
// the active tool and the one active before it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"
#include "viewer/core/AtomTable.h"

namespace viewer {

class ToolManager {
 public:
  // Type names of the host's tools; the hand tool is the default.
  static constexpr const char* kHandTool = "Hand";
  static constexpr const char* kSelectTool = "Select";
  static constexpr const char* kLinkTool = "Link";

  explicit ToolManager(AtomTable& atoms);
  ~ToolManager();

  void Register(host::AVToolRec* tool);
  // Forgets every tool but the host's (their code is going away).
  void UnregisterPluginTools();
  host::AVToolRec* ByType(host::ASAtom type) const;
  host::AVToolRec* ByTypeName(std::string_view type) const;
  std::string TypeName(host::AVToolRec* tool) const;

  host::AVToolRec* Active() const { return active_; }
  host::AVToolRec* LastActive() const { return lastActive_; }
  host::AVToolRec* Default() const;
  // Deactivates the active tool, then activates this one.
  void SetActive(host::AVToolRec* tool, bool persistent);

 private:
  struct HostTool;
  AtomTable& atoms_;
  std::vector<std::unique_ptr<HostTool>> hostTools_;
  std::vector<host::AVToolRec*> tools_;
  host::AVToolRec* active_ = nullptr;
  host::AVToolRec* lastActive_ = nullptr;
};

}  // namespace viewer
