#include <gtest/gtest.h>

#include <stdexcept>

#include "viewer/core/Environment.h"

namespace {

TEST(Environment, LanguageCodeFromTheLocale) {
  const std::pair<const char*, const char*> cases[] = {
      {"en_US.UTF-8", "ENU"}, {"en_GB", "ENU"},      {"de_DE.UTF-8", "DEU"}, {"de_CH", "DEU"},
      {"ja_JP.UTF-8", "JPN"}, {"zh_CN.UTF-8", "CHS"}, {"zh_TW", "CHT"},      {"fr_FR.UTF-8", "FRA"},
      {"C", "ENU"},           {"POSIX", "ENU"},       {"", "ENU"},           {"xx_YY", "XXY"},
  };
  for (const auto& [locale, code] : cases) EXPECT_EQ(viewer::LanguageCodeForLocale(locale), code) << locale;
}

TEST(Environment, VersionText) {
  EXPECT_EQ(viewer::ParseVersion("7.0").major, 7);
  EXPECT_EQ(viewer::ParseVersion("8.1").minor, 1);
  EXPECT_EQ(viewer::ParseVersion("6").major, 6);
  for (const char* bad : {"", "seven", "7.", "7.0.1", "-1", "7,0"})
    EXPECT_THROW(viewer::ParseVersion(bad), std::invalid_argument) << bad;
}

}  // namespace
