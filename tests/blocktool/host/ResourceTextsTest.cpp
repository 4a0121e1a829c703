// Every message the block tool shows has an English and a German text, and
// both fill the same placeholders in the same order.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"

namespace {

using korvid::testing::HostHarness;

std::vector<std::string> Placeholders(const std::string& text) {
  static const std::regex placeholder("%[sdiu%]|%[12]");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it) {
    if (it->str() != "%%") found.push_back(it->str());
  }
  return found;
}

struct Message {
  int id;
  std::vector<std::string> placeholders;
};

// The messages the block tool's code uses and the arguments it passes.
const std::vector<Message>& UsedMessages() {
  static const std::vector<Message> messages = [] {
    std::vector<Message> all = {
        {1003, {"%i"}}, {1021, {"%i"}}, {1022, {"%i", "%s"}}, {1044, {"%s"}}, {1102, {"%s"}}, {1170, {"%s"}},
        {1083, {"%s"}}, {1122, {"%i"}}, {1142, {"%s"}},
    };
    // The property model's texts without arguments (property descriptions
    // are checked with the schema).
    for (int id : {1002, 1015, 1018, 1034, 1037, 1055, 1074, 1099, 1110, 1121, 1126, 1127, 1128, 1129, 1143, 1162,
                   1173, 1179, 1196}) {
      all.push_back({id, {}});
    }
    for (int id : {1001, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1014, 1024, 1025, 1028, 1029, 1030, 1031,
                   1032, 1033, 1035, 1039, 1040, 1041, 1042, 1043, 1046, 1047, 1048, 1049, 1050, 1051, 1052,
                   1053, 1054, 1056, 1057, 1060, 1063, 1064, 1065, 1066, 1068, 1071, 1078, 1079, 1080, 1081,
                   1082, 1086, 1089, 1090, 1092, 1093, 1094, 1095, 1096, 1101, 1103, 1109, 1113, 1117, 1118,
                   1119, 1120, 1123, 1124, 1125, 1130, 1131, 1132, 1133, 1138, 1139, 1140, 1141, 1200, 1201,
                   1202}) {
      all.push_back({id, {}});
    }
    return all;
  }();
  return messages;
}

class ResourceTexts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(harness.AttachLinkedPlugin(&PIMain, &PIResources)); }
  // German is the localized list of this host; English is asked for directly.
  static const std::string& English(int id) { return Service.GetStringByID(id, false); }
  static const std::string& German(int id) { return Service.GetStringByID(id, true); }

  HostHarness harness{{.language = "DEU"}};
};

TEST_F(ResourceTexts, EveryUsedMessageHasBothTextsWithItsPlaceholders) {
  for (const Message& m : UsedMessages()) {
    SCOPED_TRACE(m.id);
    EXPECT_FALSE(English(m.id).empty());
    EXPECT_FALSE(German(m.id).empty());
    EXPECT_EQ(Placeholders(English(m.id)), m.placeholders);
    EXPECT_EQ(Placeholders(German(m.id)), m.placeholders);
  }
}

TEST_F(ResourceTexts, EnglishAndGermanListsHoldTheSameMessages) {
  for (int id = 1000; id < 1300; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(English(id).empty(), German(id).empty());
    EXPECT_EQ(Placeholders(English(id)), Placeholders(German(id)));
  }
}

}  // namespace
