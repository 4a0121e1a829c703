#include "viewer/core/Environment.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace viewer {

namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string LanguageCodeForLocale(std::string_view locale) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return "ENU";
  const auto underscore = locale.find('_');
  const std::string language = Upper(locale.substr(0, underscore));
  const std::string region = underscore == std::string_view::npos ? std::string() : Upper(locale.substr(underscore + 1));
  if (language == "ZH") return (region == "TW" || region == "HK" || region == "MO") ? "CHT" : "CHS";
  if (language == "PT") return region == "BR" ? "PTB" : "PTG";
  static const std::map<std::string, std::string> kCodes = {
      {"EN", "ENU"}, {"DE", "DEU"}, {"JA", "JPN"}, {"FR", "FRA"}, {"IT", "ITA"}, {"ES", "ESP"},
      {"NL", "NLD"}, {"SV", "SVE"}, {"DA", "DAN"}, {"NB", "NOR"}, {"NO", "NOR"}, {"FI", "FIN"},
      {"KO", "KOR"}, {"RU", "RUS"}, {"PL", "PLK"}, {"CS", "CSY"}, {"HU", "HUN"}, {"TR", "TRK"}};
  if (const auto it = kCodes.find(language); it != kCodes.end()) return it->second;
  // Any other language: its own two letters and the region's first.
  return (language + (region.empty() ? "X" : region.substr(0, 1)) + "XX").substr(0, 3);
}

std::string SystemLanguageCode() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return LanguageCodeForLocale(value);
  }
  return LanguageCodeForLocale("");
}

VersionNumber ParseVersion(std::string_view text) {
  VersionNumber version;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [next, ec] = std::from_chars(begin, end, version.major);
  if (ec != std::errc() || version.major < 0) throw std::invalid_argument("bad version: " + std::string(text));
  if (next != end) {
    if (*next != '.') throw std::invalid_argument("bad version: " + std::string(text));
    auto [last, ec2] = std::from_chars(next + 1, end, version.minor);
    if (ec2 != std::errc() || last != end || version.minor < 0)
      throw std::invalid_argument("bad version: " + std::string(text));
  }
  return version;
}

std::string ExecutableDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::string DefaultPluginDir() {
  const fs::path dir = ExecutableDir();
  std::error_code ec;
  const fs::path beside = dir / ".." / "plugins";
  if (fs::is_directory(beside, ec)) return beside.lexically_normal().string();
  return (dir / ".." / "lib" / "korvid" / "plugins").lexically_normal().string();
}

std::string DefaultHelpDir() {
  return (fs::path(ExecutableDir()) / ".." / "share" / "korvid" / "help").lexically_normal().string();
}

}  // namespace viewer
