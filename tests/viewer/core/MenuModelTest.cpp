#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HostHarness.h"
#include "viewer/core/MenuModel.h"

namespace {

using korvid::testing::HostHarness;
using viewer::DeferredUi;
using viewer::Menu;
using viewer::MenuItem;
using viewer::MenuModel;

class MenuModelTest : public ::testing::Test {
 protected:
  MenuItem* NewItem(const std::string& name, Menu* submenu = nullptr) {
    return model.NewItem({name, name, submenu, 0, 0, nullptr});
  }
  // Adds and releases the creator's reference: the menu keeps the item.
  MenuItem* Add(Menu& menu, const std::string& name, int index = host::kMenuAppend) {
    MenuItem* item = NewItem(name);
    menu.AddItem(item, index);
    item->Release();
    return item;
  }
  std::vector<std::string> Names(const Menu& menu) {
    std::vector<std::string> names;
    for (const MenuItem* item : menu.Items()) names.push_back(item->Name());
    return names;
  }

  DeferredUi ui;
  MenuModel model{ui};
};

TEST_F(MenuModelTest, InsertAtIndexRemoveAndReinsert) {
  Menu* edit = model.NewMenu("Edit", "Edit");
  model.AddMenu(edit, host::kMenuAppend);
  edit->Release();
  for (const char* name : {"Undo", "Redo", "Cut"}) Add(*edit, name);
  Add(*edit, "First", 0);
  Add(*edit, "Middle", 2);
  Add(*edit, "Last", 99);
  EXPECT_EQ(Names(*edit), (std::vector<std::string>{"First", "Undo", "Middle", "Redo", "Cut", "Last"}));

  // Swap a host item out and a replacement in at its place, then back.
  host::AVMenuItem* undo = model.AcquireMenuItemByName("Undo");
  const int at = undo->GetIndex();
  undo->Remove();
  EXPECT_EQ(undo->GetParentMenu(), nullptr);
  EXPECT_EQ(undo->GetIndex(), -1);
  MenuItem* replacement = Add(*edit, "Zolt:Undo", at);
  EXPECT_EQ(replacement->GetIndex(), 1);
  replacement->Acquire();
  replacement->Remove();
  edit->AddItem(undo, at);
  undo->Release();
  replacement->Release();
  EXPECT_EQ(Names(*edit), (std::vector<std::string>{"First", "Undo", "Middle", "Redo", "Cut", "Last"}));
}

TEST_F(MenuModelTest, DuplicateNamesAreAllowedAndLookupAnswersTheFirst) {
  Menu* tools = model.NewMenu("Tools", "Tools");
  model.AddMenu(tools, host::kMenuAppend);
  tools->Release();
  Menu* align = model.NewMenu("Align", "Align");
  MenuItem* submenuItem = NewItem("Align_Submenu", align);
  align->Release();
  tools->AddItem(submenuItem, host::kMenuAppend);
  submenuItem->Release();
  MenuItem* first = Add(*align, "ALign_Vertical");
  MenuItem* second = Add(*align, "ALign_Vertical");
  EXPECT_NE(first, second);
  EXPECT_EQ(model.FindItem("ALign_Vertical"), first);
  EXPECT_EQ(model.FindMenu("Align"), align);
  EXPECT_EQ(align->GetParentItem(), submenuItem);
  EXPECT_EQ(first->GetParentMenu(), align);
  EXPECT_EQ(model.FindItem("nothing"), nullptr);
}

struct Procs {
  bool enabled = true;
  bool marked = false;
  int runs = 0;
  int enableCalls = 0;
};

void CountRun(void* data) { ++static_cast<Procs*>(data)->runs; }
bool Enabled(void* data) {
  auto* p = static_cast<Procs*>(data);
  ++p->enableCalls;
  return p->enabled;
}
bool Marked(void* data) { return static_cast<Procs*>(data)->marked; }

TEST_F(MenuModelTest, ExecuteRunsOnlyWhenEnabled) {
  Procs procs;
  MenuItem* item = NewItem("Zolt:Duplicate");
  item->SetExecuteProc(&CountRun, &procs);
  item->SetComputeEnabledProc(&Enabled, &procs);
  item->SetComputeMarkedProc(&Marked, &procs);
  item->Execute();
  EXPECT_EQ(procs.runs, 1);
  procs.enabled = false;
  item->Execute();
  EXPECT_EQ(procs.runs, 1);
  EXPECT_FALSE(item->IsMarked());
  procs.marked = true;
  EXPECT_TRUE(item->IsMarked());
  EXPECT_EQ(item->ExecuteClientData(), &procs);
  item->Release();
}

// An enable procedure that runs another command, as a tool's enable rule
// that switches the tool off does.
struct Chained {
  MenuItem* other = nullptr;
  Procs* otherProcs = nullptr;
  int runsSeenDuringUpdate = -1;
};

bool EnableThatExecutes(void* data) {
  auto* chained = static_cast<Chained*>(data);
  chained->other->Execute();
  chained->runsSeenDuringUpdate = chained->otherProcs->runs;
  return true;
}

TEST_F(MenuModelTest, ACommandRunFromAnEnableProcedureWaitsForTheUpdate) {
  Procs otherProcs;
  MenuItem* other = NewItem("Other");
  other->SetExecuteProc(&CountRun, &otherProcs);
  Chained chained{other, &otherProcs};
  MenuItem* item = NewItem("Tool");
  item->SetComputeEnabledProc(&EnableThatExecutes, &chained);
  EXPECT_TRUE(item->IsEnabled());
  EXPECT_EQ(chained.runsSeenDuringUpdate, 0) << "not inside the update";
  EXPECT_EQ(otherProcs.runs, 1) << "right after it";
  item->Release();
  other->Release();
}

TEST(HostMenus, TheHostHasTheMenusAndItemsPlugInsLookUp) {
  HostHarness harness;
  viewer::MenuModel& menus = harness.Host().Menus();
  for (const char* name : {"File", "Edit", "View", "AboutExtensions", "UsingExtensions"})
    EXPECT_NE(menus.FindMenu(name), nullptr) << name;
  const std::vector<std::string> editItems = {"Undo",  "Redo",      "Cut",         "Copy",      "Paste",
                                              "Clear", "SelectAll", "DeselectAll", "Properties"};
  for (const std::string& name : editItems) {
    MenuItem* item = menus.FindItem(name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->Parent(), menus.FindMenu("Edit"));
  }
  EXPECT_NE(harness.Host().GetToolBar().GetButtonByName("Link"), nullptr);
}

}  // namespace
