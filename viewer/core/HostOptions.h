// How a viewer host is set up: the version and language it reports, where it
// finds plug-ins and help, its clock, and (for tests) tables it leaves out.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "host/Tables.h"

namespace viewer {

struct HostOptions {
  std::string hostVersion = "7.0";  // "major.minor"
  std::string language;             // three letters; empty: from the system locale
  std::string pluginDir;            // empty: next to the executable
  std::string helpDir;              // empty: <prefix>/share/korvid/help next to the executable
  // Ticks (1/60 s) since start; empty: a steady clock.
  std::function<std::uint32_t()> ticks;
  // Tables the host does not serve (a host without them).
  std::set<std::string> withoutTables;
  // Versions served instead of the usual ones, by table name.
  std::map<std::string, host::TableVersion> tableVersions;
};

}  // namespace viewer
