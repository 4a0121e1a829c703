// The about box and the help command, in English and German.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "blocktool/dialogs/BlockAboutDlg.h"
#include "dialogframework/support/DialogDriver.h"
#include "host/PluginEntry.h"
#include "support/TempDir.h"
#include "viewer/core/Host.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace fs = std::filesystem;
const std::string kBuiltHelp = KORVID_BINARY_DIR "/share/korvid/help/Korvid Block Plugin/";

TEST(AboutAndHelpTest, TheAboutBoxShowsTheVersionAndTheRequiredHost) {
  for (const auto& [language, version, required] :
       {std::tuple{"ENU", "Korvid block tool, version 3.4", "7"}, std::tuple{"DEU", "3.4", "7"}}) {
    DialogHost host({.language = language});
    ASSERT_TRUE(host.AttachLinkedPlugin(&PIMain, &PIResources));
    host::AVMenuItem* item = host.Host().Menus().AcquireMenuItemByName("Zolt:Marked_Content_Tool_about");
    ASSERT_NE(item, nullptr);
    host.Driver().OnModal(about_dialog::kName, [&](viewer::dm::Dialog& dialog) {
      EXPECT_EQ(dialog.ResourceID(), std::string(language) == "DEU" ? 1139 : 139);
      const std::string line = dialog.FindItem(about_dialog::kVersionLine)->GetText();
      EXPECT_NE(line.find(version), std::string::npos) << line;
      EXPECT_EQ(line.substr(line.size() - 4), " 3.4");
      EXPECT_NE(dialog.FindItem(about_dialog::kHostVersionLine)->GetText().find(required), std::string::npos);
      EXPECT_EQ(dialog.FindItem(about_dialog::kPicture)->GetPictureID(), 128);
      viewer::dm::UserActions(dialog).Press(1);
    });
    item->Execute();
    item->Release();
    EXPECT_TRUE(host.Driver().Failures().empty());
    EXPECT_TRUE(host.Driver().UnusedActions().empty()) << "the about item ran the about box";
  }
}

TEST(AboutAndHelpTest, HelpOpensTheFileOfTheLanguageElseTheEnglishOne) {
  TempDir folder;
  fs::create_directories(folder.Path() / "Korvid Block Plugin");
  std::ofstream(folder.Path() / "Korvid Block Plugin" / "blocktool-help-en.html") << "<p>help</p>";
  struct Case {
    std::string language;
    std::string helpDir;
    std::string opened;
  };
  const std::vector<Case> cases = {
      {"ENU", "", kBuiltHelp + "blocktool-help-en.html"},
      {"DEU", "", kBuiltHelp + "blocktool-hilfe-de.html"},
      {"DEU", folder.Path().string(), (folder.Path() / "Korvid Block Plugin" / "blocktool-help-en.html").string()},
  };
  for (const Case& c : cases) {
    DialogHost host({.language = c.language, .helpDir = c.helpDir});
    ASSERT_TRUE(host.AttachLinkedPlugin(&PIMain, &PIResources));
    host::AVMenuItem* item = host.Host().Menus().AcquireMenuItemByName("Zolt:Marked_Content_Tool_help");
    ASSERT_NE(item, nullptr);
    item->Execute();
    item->Release();
    EXPECT_EQ(host.Script().HelpFilesOpened(), std::vector<std::string>{c.opened}) << c.language;
    EXPECT_TRUE(fs::is_regular_file(c.opened)) << c.opened;
  }
}

TEST(AboutAndHelpTest, WithoutAHelpFolderHelpDoesNothing) {
  TempDir folder;
  DialogHost host({.language = "ENU", .helpDir = (folder.Path() / "missing").string()});
  ASSERT_TRUE(host.AttachLinkedPlugin(&PIMain, &PIResources));
  execHelpMarkupContentTool(nullptr);
  EXPECT_TRUE(host.Script().HelpFilesOpened().empty());
  EXPECT_TRUE(host.Script().AlertTexts().empty());
}

}  // namespace
}  // namespace korvid::testing
