// What the host takes from its surroundings: the language of the system
// locale, the version text of the command line, and the folders next to the
// executable.
#pragma once

#include <string>
#include <string_view>

namespace viewer {

// Three-letter language code of a POSIX locale name ("de_DE.UTF-8" -> "DEU",
// "en_US" -> "ENU", "zh_CN" -> "CHS"); "C", "POSIX" and "" -> "ENU".
std::string LanguageCodeForLocale(std::string_view locale);
// Of the user-interface locale (LC_ALL, else LC_MESSAGES, else LANG).
std::string SystemLanguageCode();

struct VersionNumber {
  int major = 0;
  int minor = 0;
};
// "7.0", "6", "8.1"; throws std::invalid_argument for anything else.
VersionNumber ParseVersion(std::string_view text);

// The folder of the running executable ("" when unknown).
std::string ExecutableDir();
// <exe>/../plugins, else <exe>/../lib/korvid/plugins.
std::string DefaultPluginDir();
// <exe>/../share/korvid/help.
std::string DefaultHelpDir();

}  // namespace viewer
