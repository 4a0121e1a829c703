// Feeds arbitrary bytes to the resource reader: as a whole module blob, and
// as the body of a dialog layout, a string list and an image. Malformed input
// must end in a HostError, never in a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/HostError.h"
#include "viewer/core/resources/ResourceStore.h"

namespace {

std::string Record(std::string_view path, std::string_view body) {
  return std::string(path) + "\n" + std::to_string(body.size()) + "\n" + std::string(body);
}

void Load(std::string_view blob) {
  viewer::ResourceStore store;
  const auto module = reinterpret_cast<host::ExtensionID>(std::uintptr_t{1});
  try {
    store.AddModule(module, blob);
    (void)store.Layout(module, "", 128);
    (void)store.String(module, 129, 3);
  } catch (const host::HostError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Load(bytes);
  Load(Record("dialogs/128.dlg", bytes));
  Load(Record("strings/129-a.txt", bytes));
  Load(Record("icons/Zolt:Logo/130.xpm", bytes));
  return 0;
}
