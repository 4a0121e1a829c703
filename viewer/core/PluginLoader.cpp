#include "viewer/core/PluginLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "host/HostError.h"
#include "viewer/core/AtomTable.h"
#include "viewer/core/resources/ResourceStore.h"

namespace fs = std::filesystem;

namespace viewer {

namespace {

// Calls into a plug-in never let an exception through.
template <typename Fn>
bool CallPlugin(Fn fn) {
  try {
    return fn();
  } catch (...) {
    return false;
  }
}

std::string ExecutablePath() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

}  // namespace

PluginLoader::PluginLoader(host::CoreTable& core, ResourceStore& resources, AtomTable& atoms)
    : core_(core), resources_(resources), atoms_(atoms) {}

PluginLoader::~PluginLoader() {
  UnloadAll();
  CloseAll();
}

int PluginLoader::LoadFolder(const std::string& folder) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.path().extension() == ".so" && entry.is_regular_file(ec)) paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());

  const std::size_t firstNew = modules_.size();
  for (const std::string& path : paths) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) continue;
    auto main = reinterpret_cast<host::PIMainProc>(dlsym(library, "PIMain"));
    auto resources = reinterpret_cast<host::PIResourcesProc>(dlsym(library, "PIResources"));
    if (!main) {
      dlclose(library);
      continue;
    }
    auto module = std::make_unique<host::ExtensionRecord>();
    module->path = path;
    module->library = library;
    if (auto ready = Prepare(std::move(module), main, resources)) modules_.push_back(std::move(ready));
  }
  return Start(firstNew);
}

bool PluginLoader::AttachLinked(host::PIMainProc main, host::PIResourcesProc resources) {
  if (!main) return false;
  const std::size_t firstNew = modules_.size();
  auto ready = Prepare(std::make_unique<host::ExtensionRecord>(), main, resources);
  if (!ready) return false;
  modules_.push_back(std::move(ready));
  Start(firstNew);
  return modules_.back()->initSucceeded;
}

std::unique_ptr<host::ExtensionRecord> PluginLoader::Prepare(std::unique_ptr<host::ExtensionRecord> module,
                                                             host::PIMainProc main,
                                                             host::PIResourcesProc resources) {
  host::ExtensionRecord* id = module.get();
  const host::PIResourceBlob* blob = nullptr;
  if (resources) {
    try {
      blob = resources();
    } catch (...) {
    }
  }
  try {
    resources_.AddModule(id, blob && blob->data ? std::string_view(blob->data, blob->size) : std::string_view());
  } catch (const host::HostError&) {
    Discard(*module);
    return nullptr;
  }

  const std::string appPath = ExecutablePath();
  host::PIBundleParams params;
  params.pluginPath = module->path.c_str();
  params.appPath = appPath.c_str();
  params.resourceFile = blob;
  std::uint32_t handshakeVersion = 0;
  host::PISetupSDKProc setup = nullptr;
  const bool mainOk =
      CallPlugin([&] { return main(host::kHandshakeV0200, &handshakeVersion, &setup, &params); });
  if (!mainOk || handshakeVersion != host::kHandshakeV0200 || !setup) {
    Discard(*module);
    return nullptr;
  }

  host::PISDKData_V0200 sdk;
  sdk.extensionID = id;
  sdk.coreHFT = &core_;
  if (!CallPlugin([&] { return setup(host::kHandshakeV0200, &sdk); }) || !sdk.handshakeCallback) {
    Discard(*module);
    return nullptr;
  }
  if (!CallPlugin([&] { return sdk.handshakeCallback(host::kHandshakeV0200, &module->handshake); })) {
    Discard(*module);
    return nullptr;
  }
  if (module->handshake.extensionName != host::ASAtomNull) {
    try {
      module->name = atoms_.Text(module->handshake.extensionName);
    } catch (const host::HostError&) {
    }
  }
  return module;
}

int PluginLoader::Start(std::size_t firstNew) {
  const auto run = [](bool (*callback)()) { return !callback || CallPlugin(callback); };
  for (std::size_t i = firstNew; i < modules_.size(); ++i) {
    modules_[i]->started = run(modules_[i]->handshake.exportHFTsCallback);
  }
  for (std::size_t i = firstNew; i < modules_.size(); ++i) {
    if (modules_[i]->started) modules_[i]->started = run(modules_[i]->handshake.importReplaceAndRegisterCallback);
  }
  int initialised = 0;
  for (std::size_t i = firstNew; i < modules_.size(); ++i) {
    host::ExtensionRecord& module = *modules_[i];
    if (!module.started) continue;
    module.initialised = true;
    module.initSucceeded = run(module.handshake.initCallback);
    if (module.initSucceeded) ++initialised;
  }
  return initialised;
}

void PluginLoader::UnloadAll() {
  for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) {
    host::ExtensionRecord& module = **it;
    if (!module.initialised) continue;
    module.initialised = false;
    if (module.handshake.unloadCallback) CallPlugin(module.handshake.unloadCallback);
  }
}

void PluginLoader::CloseAll() {
  for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) Discard(**it);
  modules_.clear();
}

void PluginLoader::Discard(host::ExtensionRecord& module) {
  resources_.RemoveModule(&module);
  if (module.library) {
    dlclose(module.library);
    module.library = nullptr;
  }
}

}  // namespace viewer
