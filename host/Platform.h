// Platform services ("Macintosh" table): the system's font families, the
// tick clock, and the plug-ins' resources (string lists, dialog layouts,
// cursors, icons) embedded in each module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Core.h"
#include "host/Tables.h"

namespace host {

// Font formats of system font instances.
enum class SysFontFormat { Unknown = 0, TrueType, Type1, OpenType, LWFN };

struct SysFontInstance {
  int style = 0;  // 0 plain, 1 bold, 2 italic, 3 bold italic
  SysFontFormat format = SysFontFormat::Unknown;
};

struct SysFontFamily {
  std::string name;
  std::vector<SysFontInstance> instances;
};

class PlatformTable : public HostTable {
 public:
  // Scalable font families of the system, grouped by family name.
  virtual std::vector<SysFontFamily> SystemFontFamilies() = 0;
  // Ticks (1/60 s) since the host started, from a steady clock.
  virtual std::uint32_t TickCount() = 0;

  // Resources of a plug-in. Strings: entry index (1-based) of list listID;
  // nullopt when the list or entry is missing.
  virtual std::optional<std::string> GetResourceString(ExtensionID plugin, int listID, int index) = 0;
  // Raw resource data by type ("cursor", "icon", "dialog") and ID or name.
  virtual std::optional<std::string> GetResourceData(ExtensionID plugin, std::string_view type, int id,
                                                     std::string_view name = {}) = 0;
};

}  // namespace host
