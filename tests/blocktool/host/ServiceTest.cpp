// The service object's texts and alerts, read from the block tool's real
// resources through the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"

namespace {

using korvid::testing::HostHarness;

TEST(ServiceStrings, ReadsTheUsersLanguageAndEnglishOnRequest) {
  HostHarness harness({.language = "DEU"});
  ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  // The help file name is looked up in the user's language first, then in
  // English: the second lookup must not answer the cached German text.
  EXPECT_EQ(Service.GetStringByID(1094), "blocktool-hilfe-de.html");
  EXPECT_EQ(Service.GetStringByID(1094, false), "blocktool-help-en.html");
  EXPECT_EQ(Service.GetStringByID(1094), "blocktool-hilfe-de.html");
  for (int missing : {1999, 5000, -3}) EXPECT_EQ(Service.GetStringByID(missing), "") << missing;
}

TEST(ServiceAlerts, ExceptionAlertShowsTheHostErrorAndTheOperationInOneNote) {
  HostHarness harness;
  ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources));
  try {
    host::RaiseHostError(host::kErrBadFile, "damaged");
  } catch (const host::HostError&) {
    Service.ExceptionAlert("ReadBlocks");
  }
  harness.Settle();
  const std::string expected =
      harness.Host().Core().ErrorText(host::kErrBadFile) + "\nThe error occurred in:\nReadBlocks";
  EXPECT_EQ(harness.FrontEnd().AlertTexts(), std::vector<std::string>{expected});
}

}  // namespace
