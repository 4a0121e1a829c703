// Start-up and tear-down of the block tool through the host's real loading
// protocol.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/SpotColorNames.h"
#include "dialogframework/ADMAcroSDK.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"

namespace {

using korvid::testing::HostHarness;

constexpr const char* kTableName = "Zolt:MarkUp_Content";

bool AnyMenuAdded(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.starts_with("menu-added:"); });
}

TEST(MarkupContentStartUp, RunsOnlyOnHostVersion7AndUnloadsEverywhere) {
  const std::string english =
      "The Korvid block tool cannot run in this version of the viewer.\nIt needs version 7 of the viewer.";
  const std::string german =
      "Das Korvid-Blockwerkzeug kann in dieser Version des Viewers nicht laufen.\nEs benötigt Version 7 des Viewers.";
  struct Case {
    const char* version;
    const char* language;
    std::vector<std::string> alerts;
  };
  const Case cases[] = {
      {"6.0", "ENU", {english}}, {"8.0", "ENU", {english}}, {"8.2", "DEU", {german}},
      {"7.0", "ENU", {}},        {"7.1", "DEU", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.language);
    nSecurityMode = 0;
    HostHarness harness({.hostVersion = c.version, .language = c.language});
    EXPECT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources)) << "inert is not failed";
    EXPECT_EQ(harness.FrontEnd().AlertTexts(), c.alerts);
    const bool active = c.alerts.empty();
    if (!active) {
      EXPECT_FALSE(AnyMenuAdded(harness.FrontEnd().Lines()));
    }
    EXPECT_EQ(nSecurityMode, active ? kBlockEditingPermissions : 0u);
    EXPECT_NE(harness.Host().Core().GetTable(kTableName, 1), nullptr) << "exported before the version is known";

    harness.UnloadAll();
    harness.Settle();
    EXPECT_EQ(harness.FrontEnd().AlertTexts(), c.alerts) << "unload shows nothing";
    EXPECT_EQ(harness.Host().Core().GetTable(kTableName, 1), nullptr) << "the table server is withdrawn";
  }
}

TEST(MarkupContentStartUp, LanguageChoosesTheStringListAndTheDialogOffset) {
  // One run after the other: a language without texts of its own keeps the
  // dialog offset the previous one chose.
  struct Step {
    const char* language;
    int list;
    int offset;
    char separator;
  };
  const Step steps[] = {{"DEU", 130, 1000, ','}, {"FRA", 129, 1000, '.'}, {"ENU", 129, 0, '.'},
                        {"FRA", 129, 0, '.'},    {"JPN", 129, 0, '.'},    {"CHS", 129, 0, '.'}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.language);
    HostHarness harness({.language = s.language});
    ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
    EXPECT_EQ(Service.GetLocalStrResID(), s.list);
    EXPECT_EQ(Service.GetLocalIDD(128), 128 + s.offset);
    EXPECT_EQ(cDecimalSeparator, s.separator);
  }
}

TEST(MarkupContentStartUp, AHostWithoutATableItNeedsDoesNotLoadItSilently) {
  namespace t = host::tables;
  for (const char* missing : {t::kAcroSupport, t::kCore, t::kCos, t::kPDModel, t::kPDFEditWrite, t::kPDFEditRead,
                              t::kPDSysFont, t::kPagePDEContent, t::kAcroView, t::kPDSWrite, t::kPDSRead,
                              t::kMacintosh, t::kASExtra, t::kAcroViewSweetPea, t::kPDMetadata, t::kAcroColor}) {
    SCOPED_TRACE(missing);
    HostHarness harness({.withoutTables = {missing}});
    EXPECT_FALSE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
    EXPECT_EQ(harness.Host().Plugins().NumModules(), 0);
    EXPECT_TRUE(harness.FrontEnd().Lines().empty());
    EXPECT_EQ(harness.Host().Core().GetTable(kTableName, 1), nullptr);
  }
}

TEST(MarkupContentStartUp, HoldsTheDialogManagerAndTheGlobalObjectsUntilUnload) {
  HostHarness harness;
  ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  EXPECT_EQ(ADMUtils::HeldCount(), 1);
  EXPECT_NE(pMrkupCollectionMap, nullptr);
  for (const SpotColorFamily& family : spotColorNames.Families()) {
    EXPECT_TRUE(std::is_sorted(family.colors.begin(), family.colors.end(),
                               [](const std::string& a, const std::string& b) { return compare_colors(&a, &b) < 0; }))
        << family.name;
  }
  harness.UnloadAll();
  EXPECT_EQ(pMrkupCollectionMap, nullptr);
  EXPECT_EQ(ADMUtils::HeldCount(), 0);
}

TEST(MarkupContentStartUp, ExportsASevenEntryTableVersion1) {
  HostHarness harness;
  ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  auto* table = dynamic_cast<host::SelectorTable*>(harness.Host().Core().GetTable(kTableName, 1));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->Version(), 1u);
  EXPECT_EQ(table->EntryCount(), 7);
  EXPECT_EQ(harness.Host().Core().GetTable(kTableName, 2), nullptr);
}

}  // namespace
