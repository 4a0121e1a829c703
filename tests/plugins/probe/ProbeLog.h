// Test plug-ins write what the host calls, one line each, to the file named
// by KORVID_PROBE_LOG (nothing when it is not set).
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

inline void ProbeLog(const std::string& line) {
  const char* path = std::getenv("KORVID_PROBE_LOG");
  if (!path || !*path) return;
  std::ofstream(path, std::ios::app) << line << '\n';
}
