// The block tool's menus: what start-up builds and in which order, the Edit
// items taken over while the tool is active, the enable and marked rules of
// every command over the states a page can be in, and the context menu's
// two submenus rebuilt before each pop-up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <functional>

#include "BlockToolFixture.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/host/MarkupContentInitEditMenu.h"
#include "blocktool/host/MarkupContentInitRClickMenu.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"

namespace korvid::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> ItemNames(const host::AVMenu& menu) {
  std::vector<std::string> names;
  for (const viewer::MenuItem* item : dynamic_cast<const viewer::Menu&>(menu).Items()) names.push_back(item->Name());
  return names;
}

std::vector<std::string> SubmenuNames(const host::AVMenu& menu, const std::string& itemName) {
  const viewer::MenuItem* item = dynamic_cast<const viewer::Menu&>(menu).FindItem(itemName);
  return item && item->Submenu() ? ItemNames(*item->Submenu()) : std::vector<std::string>{};
}

using MenusAtStartUp = BlockToolTest;

TEST_F(MenusAtStartUp, TheToolsMenuItsSubmenusTheButtonAndTheContextMenuComeInTheirOrder) {
  const viewer::Menu* tools = Host().Menus().FindMenu("Zolt:Korvid_Tools");
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(Host().Menus().Menus().back(), tools) << "a menu the block tool made goes at the end";
  EXPECT_THAT(ItemNames(*tools),
              ElementsAre("Zolt:MarkUp_Content", "Zolt:Separator", "Zolt:MarkUp_CONTROLCLICK",
                          "Zolt:MarkUp_DETECTFONT", "Zolt:Separator", "Zolt:Import_and_Export_Submenu",
                          "Zolt:Separator", "Zolt:Align_Submenu",
                          "Zolt:Center_Submenu", "Zolt:Distribute_Submenu", "Zolt:Size_Submenu"));
  EXPECT_THAT(SubmenuNames(*tools, "Zolt:Import_and_Export_Submenu"),
              ElementsAre("Zolt:Duplicate", "Zolt:Export", "Zolt:Import"));
  EXPECT_THAT(SubmenuNames(*tools, "Zolt:Align_Submenu"),
              ElementsAre("Zolt:ALign_Left", "Zolt:ALign_Right", "Zolt:ALign_Top", "Zolt:ALign_Bottom",
                          "Zolt:ALign_Vertical", "Zolt:ALign_Vertical"));
  EXPECT_THAT(SubmenuNames(*tools, "Zolt:Center_Submenu"),
              ElementsAre("Zolt:Center_Vertically", "Zolt:Center_Horizontally", "Zolt:Center_Both"));
  EXPECT_THAT(SubmenuNames(*tools, "Zolt:Distribute_Submenu"),
              ElementsAre("Zolt:Distribute_Vertically", "Zolt:Distribute_Horizontally"));
  EXPECT_THAT(SubmenuNames(*tools, "Zolt:Size_Submenu"),
              ElementsAre("Zolt:Size_Height", "Zolt:Size_Width", "Zolt:Size_Both"));
  // Lookup by the shared name answers the first of the two centre-line items.
  EXPECT_EQ(Host().Menus().FindItem("Zolt:ALign_Vertical")->Title(), "Vertical Centers");

  std::vector<std::string> buttons;
  for (const viewer::ToolButton* button : Host().GetToolBar().Buttons()) buttons.push_back(button->Name());
  EXPECT_THAT(buttons, ElementsAre("Hand", "Select", "Link", "Zolt:MarkUp_Content"));
  host::AVToolButton* button = Host().GetToolBar().GetButtonByName("Zolt:MarkUp_Content");
  EXPECT_EQ(button->HelpText(), "Block tool: draw, select and edit blocks");
  EXPECT_TRUE(button->IsMarked());
  button->Execute();
  EXPECT_EQ(Host().Tools().TypeName(Host().Tools().Active()), "Hand") << "the button puts the tool down";
  EXPECT_FALSE(button->IsMarked());
  button->Execute();
  EXPECT_EQ(Host().Tools().TypeName(Host().Tools().Active()), "MarkupContent");

  ASSERT_NE(avRClickMenu, nullptr);
  EXPECT_EQ(avRClickMenu->Name(), "Zolt:RightClick");
  EXPECT_THAT(ItemNames(*avRClickMenu),
              ElementsAre("Zolt:Right_Click_Edit_Submenu", "Zolt:Import_and_Export_Submenu", "Zolt:Separator",
                          "Zolt:Align_Submenu",
                          "Zolt:Center_Submenu", "Zolt:Distribute_Submenu", "Zolt:Size_Submenu", "Zolt:Separator",
                          "Zolt:Right_Click_Blocks_Submenu", "Zolt:Separator", "Zolt:Right_Click_Lock_Submenu",
                          "Zolt:Right_Click_Properties"));
  EXPECT_THAT(SubmenuNames(*avRClickMenu, "Zolt:Right_Click_Edit_Submenu"),
              ElementsAre("Zolt:Right_Click_Cut", "Zolt:Right_Click_Copy", "Zolt:Right_Click_Paste",
                          "Zolt:Right_Click_Delete", "Zolt:Separator", "Zolt:Right_Click_SelectAll",
                          "Zolt:Right_Click_DeselectAll"));
  EXPECT_THAT(SubmenuNames(*avRClickMenu, "Zolt:Right_Click_Lock_Submenu"),
              ElementsAre("Zolt:Right_Click_Lock", "Zolt:Right_Click_Unlock"));
}

TEST_F(MenusAtStartUp, TheEditItemsAreTheToolsWhileItIsActiveAndTheHostsAfterwards) {
  const host::AVMenu* edit = Host().Menus().FindMenu("Edit");
  const std::vector<std::string> replacements = {
      "Zolt:Undo_Markup_Block",      "Zolt:Redo_Markup_Block",        "Zolt:Cut_Markup_Block",
      "Zolt:Copy_Markup_Block",      "Zolt:Paste_Markup_Block",       "Zolt:Delete_Markup_Block",
      "Zolt:SelectAll_Markup_Block", "Zolt:DeselectAll_Markup_Block", "Zolt:Properties_Markup_Block"};
  EXPECT_THAT(ItemNames(*edit), ElementsAreArray(replacements));

  struct Shortcut {
    const char* name;
    char key;
    int modifiers;
  };
  for (const Shortcut& s : {Shortcut{"Zolt:Undo_Markup_Block", 'z', 2}, Shortcut{"Zolt:Redo_Markup_Block", 'z', 3},
                            Shortcut{"Zolt:Delete_Markup_Block", 0, 0},
                            Shortcut{"Zolt:DeselectAll_Markup_Block", 'a', 3},
                            Shortcut{"Zolt:Properties_Markup_Block", 'i', 2}}) {
    const viewer::MenuItem* item = Host().Menus().FindItem(s.name);
    EXPECT_EQ(item->Shortcut(), s.key) << s.name;
    EXPECT_EQ(item->ShortcutModifiers(), s.modifiers) << s.name;
  }

  Host().SetActiveTool(Host().Tools().ByTypeName("Hand"), true);
  EXPECT_THAT(ItemNames(*edit), ElementsAre("Undo", "Redo", "Cut", "Copy", "Paste", "Clear", "SelectAll",
                                            "DeselectAll", "Properties"));
  Host().SetActiveTool(Host().Tools().ByTypeName(kMarkupToolType), true);
  Host().SetActiveTool(Host().Tools().ByTypeName(kMarkupToolType), true);
  EXPECT_THAT(ItemNames(*edit), ElementsAreArray(replacements)) << "activating twice swaps once";
  harness_->UnloadAll();
  EXPECT_THAT(ItemNames(*edit), ElementsAre("Undo", "Redo", "Cut", "Copy", "Paste", "Clear", "SelectAll",
                                            "DeselectAll", "Properties"))
      << "unloading with the tool active gives the host its items back";
}

// --- Enable and marked rules ------------------------------------------------------------

// The items of the table's columns, in order.
const char* const kColumns[] = {
    "Zolt:MarkUp_Content",          "Zolt:MarkUp_CONTROLCLICK",   "Zolt:Undo_Markup_Block",
    "Zolt:Redo_Markup_Block",       "Zolt:Cut_Markup_Block",      "Zolt:Copy_Markup_Block",
    "Zolt:Paste_Markup_Block",      "Zolt:Delete_Markup_Block",   "Zolt:SelectAll_Markup_Block",
    "Zolt:DeselectAll_Markup_Block", "Zolt:Properties_Markup_Block", "Zolt:ALign_Left",
    "Zolt:Center_Both",             "Zolt:Distribute_Vertically", "Zolt:Size_Both",
    "Zolt:Right_Click_Lock",        "Zolt:Right_Click_Unlock",
};

class MenuTest : public BlockToolTest {
 public:
  // Three blocks A, B, C; the ones named in `selected` are selected (the
  // first carries the mark), those in `locked` are locked.
  void Blocks(const std::string& selected, const std::string& locked = "") {
    std::vector<CMarkupBlock*> chosen;
    for (char name : std::string("ABC")) {
      CMarkupBlock& block = AddBlock(std::string(1, name), {100 * (name - 'A' + 1), 100, 100 * (name - 'A' + 1) + 50, 150},
                                     PropText, locked.find(name) != std::string::npos);
      if (selected.find(name) != std::string::npos) chosen.push_back(&block);
    }
    Select(chosen);
  }
  void Choose(const char* name) { Host().ChooseMenuItem(*Find(name)); }
  host::AVMenuItem* Find(const std::string& name) {
    if (host::AVMenuItem* item = Host().Menus().FindItem(name)) return item;
    if (viewer::MenuItem* item = dynamic_cast<viewer::Menu*>(avRClickMenu)->FindItem(name)) return item;
    for (const EditMenuPair& pair : editMenuArray) {
      if (pair.replacement && pair.replacement.get()->Name() == name) return pair.replacement.get();
    }
    throw std::runtime_error("no item " + name);
  }
};

class MenuRules;

struct RuleCase {
  const char* state;
  std::function<void(MenuRules&)> setup;
  // One character per column: '+' enabled, '-' disabled, '*' enabled and
  // marked, '#' disabled and marked (blanks are for reading).
  const char* expected;
};

void PrintTo(const RuleCase& c, std::ostream* out) { *out << c.state; }

class MenuRules : public MenuTest, public ::testing::WithParamInterface<RuleCase> {
 public:
  std::string Seen() {
    std::string seen;
    for (const char* name : kColumns) {
      host::AVMenuItem* item = Find(name);
      const bool enabled = item->IsEnabled();
      const bool marked = item->IsMarked();
      seen += marked ? (enabled ? '*' : '#') : (enabled ? '+' : '-');
    }
    return seen;
  }
};

std::string WithoutBlanks(std::string text) {
  std::erase(text, ' ');
  return text;
}

TEST_P(MenuRules, EnableAndMarkedRulesFollowTheState) {
  GetParam().setup(*this);
  Front().Settle();
  EXPECT_EQ(Seen(), WithoutBlanks(GetParam().expected)) << GetParam().state;
}

//                    tool modes | undo redo | cut copy paste | delete all none properties |
//                    align centre distribute size | lock unlock
const RuleCase kRuleCases[] = {
    {"no document", [](MenuRules& t) { t.Host().Documents().Close(*t.doc_, true); }, "-+ -- --- ---- ---- --"},
    {"an empty page", [](MenuRules&) {}, "*+ -- --- ---- ---- --"},
    {"blocks, none selected", [](MenuRules& t) { t.Blocks(""); }, "*+ -- --- -+-- ---- --"},
    {"one block selected", [](MenuRules& t) { t.Blocks("A"); }, "*+ -- ++- ++++ -+-- +*"},
    {"one locked block selected", [](MenuRules& t) { t.Blocks("A", "A"); }, "*+ -- ++- +++- -+-- *+"},
    {"two selected", [](MenuRules& t) { t.Blocks("AB"); }, "*+ -- ++- ++++ ++-+ +*"},
    {"three selected, partly locked", [](MenuRules& t) { t.Blocks("ABC", "B"); }, "*+ -- ++- ++++ ++++ ++"},
    {"three selected, all locked", [](MenuRules& t) { t.Blocks("ABC", "ABC"); }, "*+ -- ++- +++- ++++ *+"},
    {"after a delete",
     [](MenuRules& t) {
       t.Blocks("A");
       t.Choose("Zolt:Delete_Markup_Block");
     },
     "*+ +- --- -+-- ---- --"},
    {"after a delete and its undo",
     [](MenuRules& t) {
       t.Blocks("A");
       t.Choose("Zolt:Delete_Markup_Block");
       t.Choose("Zolt:Undo_Markup_Block");
     },
     "*+ -+ --- -+-- ---- --"},
    {"a block on the clipboard",
     [](MenuRules& t) {
       t.Blocks("A");
       t.Choose("Zolt:Copy_Markup_Block");
       t.Selection().ClearAll();
     },
     "*+ -- --+ -+-- ---- --"},
    {"a document that forbids changes",
     [](MenuRules& t) {
       const std::string locked = t.folder_.File("forbidden.pdf");
       const std::string command =
           "qpdf --encrypt '' owner 256 --modify=none -- '" + t.path_ + "' '" + locked + "'";
       ASSERT_EQ(std::system(command.c_str()), 0);
       t.harness_->Open(locked);
     },
     "-+ -- --- ---- ---- --"},
    {"zoomed beyond the limit",
     [](MenuRules& t) {
       t.Blocks("A");
       t.View().SetZoomFactor(1.0e7);
     },
     "-+ -- ++- ++++ -+-- +*"},
    {"the tool put down",
     [](MenuRules& t) {
       t.Blocks("A");
       t.Host().SetActiveTool(t.Host().Tools().ByTypeName("Hand"), true);
     },
     "++ -- ++- ++++ -+-- +*"},
    {"block by click on", [](MenuRules& t) { t.Choose("Zolt:MarkUp_CONTROLCLICK"); }, "** -- --- ---- ---- --"},
};

std::string CaseName(const ::testing::TestParamInfo<RuleCase>& info) {
  std::string name;
  bool upper = true;
  for (const char* c = info.param.state; *c; ++c) {
    if (!std::isalnum(static_cast<unsigned char>(*c))) {
      upper = true;
      continue;
    }
    name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
    upper = false;
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(States, MenuRules, ::testing::ValuesIn(kRuleCases), CaseName);

TEST_F(MenuTest, CentringUsesThePagesCropBoxAndAligningTheSelectedBlock) {
  Blocks("A");
  Choose("Zolt:Center_Both");
  // The page is 612 x 792 at 100 %; A is 50 x 50.
  EXPECT_EQ(RectOf("A"), (host::AVRect{281, 371, 331, 421}));
  Select({Named("B"), Named("A")});
  Choose("Zolt:ALign_Vertical");  // the first of the two items of that name: vertical centres
  EXPECT_EQ(RectOf("A"), (host::AVRect{281, 100, 331, 150})) << "on B's centre line";
  Choose("Zolt:Undo_Markup_Block");
  EXPECT_EQ(RectOf("A"), (host::AVRect{281, 371, 331, 421}));
  EXPECT_EQ(SaveAndReopen().at("A").rect, (host::AVRect{281, 371, 331, 421}));
}

// --- The context menu's dynamic submenus -------------------------------------------------

using ContextMenu = MenuTest;

TEST_F(ContextMenu, TheLockItemsFollowTheSelectionAndReverseLockComesWithAMixedOne) {
  Blocks("ABC", "A");
  const auto titles = [] {
    std::vector<std::string> shown;
    for (const viewer::MenuItem* item : dynamic_cast<const viewer::Menu*>(avLockStateSubMenu)->Items())
      shown.push_back(item->Title());
    return shown;
  };
  RightClick(125, 125);
  EXPECT_THAT(titles(), ElementsAre("Lock All", "Unlock All", "Reverse Lock"));
  Front().QueuePopupChoice("Zolt:Right_Click_Reverse_Lock");
  RightClick(125, 125);
  EXPECT_FALSE(Named("A")->Lock());
  EXPECT_TRUE(Named("B")->Lock());
  Front().QueuePopupChoice("Zolt:Right_Click_Lock");
  RightClick(125, 125);
  RightClick(125, 125);
  EXPECT_THAT(titles(), ElementsAre("Lock All", "Unlock All")) << "everything locked: no reverse lock";
  EXPECT_TRUE(Find("Zolt:Right_Click_Lock")->IsMarked());

  Select({Named("B")});
  RightClick(225, 125);
  EXPECT_THAT(titles(), ElementsAre("Lock", "Unlock"));
  const std::map<std::string, SavedBlock> saved = SaveAndReopen();
  EXPECT_TRUE(saved.at("A").locked && saved.at("B").locked && saved.at("C").locked);
}

TEST_F(ContextMenu, TheBlocksListIsRebuiltForEachPopUp) {
  Blocks("");
  RightClick(125, 125);
  EXPECT_THAT(ItemNames(*avBlocksSubMenu), ElementsAre("Zolt:Right_Click_BLOCK_0"));
  EXPECT_TRUE(Find("Zolt:Right_Click_BLOCK_0")->IsMarked()) << "A alone there became the selected block";
  RightClick(325, 125);
  EXPECT_THAT(ItemNames(*avBlocksSubMenu), ElementsAre("Zolt:Right_Click_BLOCK_0"));
  EXPECT_EQ(Find("Zolt:Right_Click_BLOCK_0")->Title(), "C");
  // An entry whose block was deleted meanwhile does nothing.
  Page().DeleteBlock(Named("C"));
  Find("Zolt:Right_Click_BLOCK_0")->Execute();
  EXPECT_FALSE(Find("Zolt:Right_Click_BLOCK_0")->IsMarked());
  EXPECT_THAT(SaveAndReopen(), ::testing::SizeIs(2));
}

}  // namespace
}  // namespace korvid::testing
