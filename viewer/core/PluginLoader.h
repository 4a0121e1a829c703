// Loads plug-ins with the host's loading protocol: for each module PIMain,
// the set-up procedure (which acquires the host tables) and the handshake;
// then, module by module in turn, ExportHFTs for all, ImportReplaceAndRegister
// for all and Init for all. A module whose set-up or handshake fails is left
// out without a message. Unload is called for every module that was
// initialised; the modules are closed afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/PluginEntry.h"

namespace viewer {
class AtomTable;
class ResourceStore;
}  // namespace viewer

// The host's record of one loaded plug-in.
struct host::ExtensionRecord {
  std::string path;  // the module's file ("" for code linked into the executable)
  std::string name;  // the extension name it answered in the handshake
  void* library = nullptr;
  host::PIHandshakeData_V0200 handshake;
  bool started = false;      // ExportHFTs and ImportReplaceAndRegister succeeded
  bool initialised = false;  // Init was called
  bool initSucceeded = false;
};

namespace viewer {

class PluginLoader {
 public:
  PluginLoader(host::CoreTable& core, ResourceStore& resources, AtomTable& atoms);
  ~PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;

  // Every "*.so" of the folder, in byte order of the names. Answers how many
  // modules were initialised.
  int LoadFolder(const std::string& folder);
  // Plug-in code linked into this executable, through the same steps.
  bool AttachLinked(host::PIMainProc main, host::PIResourcesProc resources);
  // Calls Unload of every initialised module, last loaded first.
  void UnloadAll();
  // Closes the modules' libraries and forgets them (after UnloadAll and after
  // the host has dropped whatever of theirs it held).
  void CloseAll();

  int NumModules() const { return static_cast<int>(modules_.size()); }
  const host::ExtensionRecord& Module(int index) const { return *modules_.at(index); }
  host::ExtensionID ModuleID(int index) const { return modules_.at(index).get(); }

 private:
  // Set-up and handshake; null when the module is left out.
  std::unique_ptr<host::ExtensionRecord> Prepare(std::unique_ptr<host::ExtensionRecord> module,
                                                 host::PIMainProc main, host::PIResourcesProc resources);
  int Start(std::size_t firstNew);
  void Discard(host::ExtensionRecord& module);

  host::CoreTable& core_;
  ResourceStore& resources_;
  AtomTable& atoms_;
  std::vector<std::unique_ptr<host::ExtensionRecord>> modules_;
};

}  // namespace viewer
