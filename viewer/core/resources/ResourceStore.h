// The plug-ins' resources as the viewer reads them from each module's
// embedded blob: string lists, dialog layouts, cursors and icons.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/Core.h"

namespace viewer {

struct DialogLayout;  // defined with the dialog manager's layout parser

class ResourceStore {
 public:
  ResourceStore();
  ~ResourceStore();
  ResourceStore(const ResourceStore&) = delete;
  ResourceStore& operator=(const ResourceStore&) = delete;

  // Registers a module's blob (records "<path>\n<size>\n<bytes>"). Raises
  // HostError kErrBadFile when the blob or one of its files is malformed.
  void AddModule(host::ExtensionID module, std::string_view blob);
  void RemoveModule(host::ExtensionID module);

  // Entry index of string list listID; nullopt when missing.
  std::optional<std::string> String(host::ExtensionID module, int listID, int index) const;
  // Raw data of a resource by type ("cursor", "icon", ...) and ID or name.
  std::optional<std::string> Data(host::ExtensionID module, std::string_view type, int id,
                                  std::string_view name = {}) const;
  // The dialog layout by name and resource ID; null when missing.
  const DialogLayout* Layout(host::ExtensionID module, std::string_view name, int id) const;

 private:
  struct Module;
  std::map<host::ExtensionID, std::unique_ptr<Module>> modules_;
};

}  // namespace viewer
