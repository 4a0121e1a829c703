#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/UserActions.h"

namespace viewer::testing {
namespace {

namespace adm = host::adm;

constexpr int kTree = 4;
constexpr int kChosen = 3;
const char* const kFamilies[] = {"Alpha", "Beta", "Gamma"};

bool TrackEntry(host::ADMListEntry* entry, host::ADMTracker* tracker) {
  entry->DefaultTrack(tracker);
  return true;
}

// Families at the top, their colours added only when a family is opened;
// picking a colour puts "<family> <colour>" into the chosen field.
class HierarchyListTest : public DialogTest {
 protected:
  HierarchyListTest() {
    probe.onInit = [](host::ADMDialog& d) {
      host::ADMHierarchyList* tree = d.GetItem(kTree)->GetHierarchyList();
      tree->SetEntryWidth(d.GetItem(kTree)->GetBoundsRect().Width() - 20);
      tree->SetTrackProc(TrackEntry);
      for (const char* family : kFamilies) {
        host::ADMListEntry* entry = tree->InsertEntry(tree->NumberOfEntries());
        entry->SetText(family);
        entry->CreateChildList();
      }
    };
    probe.onItemNotify = [this](host::ADMItem& item, host::ADMNotifier& n) {
      if (item.ID() == kTree && n.IsNotifierType(adm::kUserChangedNotifier)) OnTreeChanged(item);
    };
  }

  void OnTreeChanged(host::ADMItem& item) {
    host::ADMHierarchyList* tree = item.GetHierarchyList();
    host::ADMListEntry* leaf = tree->GetActiveLeafEntry();
    if (leaf && leaf->List()->ParentEntry()) {
      item.Dialog()->GetItem(kChosen)->SetText(leaf->List()->ParentEntry()->GetText() + " " + leaf->GetText());
      return;
    }
    for (int i = 0; i < tree->NumberOfEntries(); ++i) {
      host::ADMListEntry* family = tree->GetEntry(i);
      host::ADMHierarchyList* colours = family->GetChildList();
      if (!family->IsExpanded() || colours->NumberOfEntries() > 0) continue;
      ++fills;
      for (const char* colour : {"c0", "c1", "c2"}) colours->InsertEntry(99)->SetText(colour);
      return;
    }
  }

  int fills = 0;
};

TEST_F(HierarchyListTest, ChildrenAreFilledWhenTheirFamilyIsOpenedAndTheActiveLeafIsFoundAtAnyLevel) {
  probe.validate = [&](host::ADMDialog& d) {
    host::ADMHierarchyList* tree = d.GetItem(kTree)->GetHierarchyList();
    EXPECT_EQ(tree->GetEntryWidth(), 260);
    EXPECT_EQ(tree->GetEntry(0)->GetChildList()->NumberOfEntries(), 0);  // never opened
    EXPECT_EQ(tree->GetEntry(2)->GetChildList()->NumberOfEntries(), 0);
    host::ADMListEntry* beta = tree->GetEntry(1);
    EXPECT_TRUE(beta->IsExpanded());
    host::ADMListEntry* leaf = tree->GetActiveLeafEntry();
    EXPECT_EQ(leaf, beta->GetChildList()->GetEntry(2));
    EXPECT_EQ(leaf->List()->ParentEntry(), beta);
    EXPECT_FALSE(beta->IsActive());  // one active entry in the whole tree
    EXPECT_EQ(leaf->Index(), 2);
    return true;
  };
  front.onRun = [&](dm::Dialog&) { probe.log.clear(); };
  front.blocks.push_back(Block("Test:Tree", {"select 4 1.2", "select 4 1.0", "select 4 1.2", "press 1"}));
  EXPECT_EQ(RunModal("Test:Tree", 201), 1);
  EXPECT_TRUE(front.playErrors.empty()) << front.playErrors.front();
  EXPECT_EQ(fills, 1);  // opening Beta once; later picks find it open
  EXPECT_EQ(probe.saved[kChosen], "Beta c2");
  // Beta clicked, Beta opened, colour picked; then two more picks.
  EXPECT_EQ(probe.log, (std::vector<std::string>{"4 UC", "4 UC", "4 UC", "4 UC", "4 UC", "1 UC"}));
}

TEST_F(HierarchyListTest, ClosingAndRemovingEntries) {
  front.onRun = [&](dm::Dialog& d) {
    dm::UserActions person(d);
    person.SelectTreeEntry(kTree, {2, 0});
    host::ADMHierarchyList* tree = d.GetItem(kTree)->GetHierarchyList();
    EXPECT_EQ(tree->GetActiveLeafEntry()->GetText(), "c0");
    person.ExpandTreeEntry(kTree, {2}, false);
    EXPECT_FALSE(tree->GetEntry(2)->IsExpanded());
    EXPECT_THROW(person.ExpandTreeEntry(kTree, {2, 0}, true), dm::UserActionError);  // hidden in a closed family
    tree->RemoveEntry(2);
    EXPECT_EQ(tree->GetActiveLeafEntry(), nullptr);
    EXPECT_THROW(person.SelectTreeEntry(kTree, {0, 7}), dm::UserActionError);
    person.PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Tree", 201), 2);
}

}  // namespace
}  // namespace viewer::testing
