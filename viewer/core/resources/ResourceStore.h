// The plug-ins' resources as the viewer reads them from each module's
// embedded blob: string lists, dialog layouts, cursors and icons. The file
// formats are described in docs/resources.md.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/Core.h"

namespace viewer {

struct DialogLayout;  // viewer/core/resources/DialogLayout.h
struct XpmImage;      // viewer/core/resources/XpmImage.h

class ResourceStore {
 public:
  ResourceStore();
  ~ResourceStore();
  ResourceStore(const ResourceStore&) = delete;
  ResourceStore& operator=(const ResourceStore&) = delete;

  // Registers a module's blob (records "<path>\n<size>\n<bytes>"), replacing
  // what the module had. Raises HostError kErrBadFile, whose text names the
  // file and line, when the blob or one of its files is malformed; the store
  // is then unchanged.
  void AddModule(host::ExtensionID module, std::string_view blob);
  void RemoveModule(host::ExtensionID module);

  // Entry index of string list listID; nullopt when missing.
  std::optional<std::string> String(host::ExtensionID module, int listID, int index) const;
  // Raw data of a resource by type ("cursor", "icon", "dialog") and ID; icons
  // of a named family ("Zolt:Logo") by family name and ID.
  std::optional<std::string> Data(host::ExtensionID module, std::string_view type, int id,
                                  std::string_view name = {}) const;
  // A cursor or icon image ("cursor" or "icon", as for Data); null when missing.
  const XpmImage* Image(host::ExtensionID module, std::string_view type, int id, std::string_view name = {}) const;
  // The dialog layout by name and resource ID; null when missing (or when the
  // layout of that ID has another name).
  const DialogLayout* Layout(host::ExtensionID module, std::string_view name, int id) const;

 public:
  struct Module;  // what one module's blob holds

 private:
  const Module* Find(host::ExtensionID module) const;
  std::map<host::ExtensionID, std::unique_ptr<Module>> modules_;
};

}  // namespace viewer
