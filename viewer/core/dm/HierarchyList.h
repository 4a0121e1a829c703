// The tree of a hierarchy list box: lists of entries, each entry with an
// optional child list made when first asked for (so children can be filled
// lazily when the entry is opened). One entry of the whole tree at most is
// active (and selected): the active leaf.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/ADM.h"
#include "viewer/core/dm/OwnedEntries.h"

namespace viewer::dm {

class Item;
class HierarchyList;

class ListEntry final : public host::ADMListEntry {
 public:
  explicit ListEntry(HierarchyList& list) : list_(list) {}
  ~ListEntry() override;

  host::ADMHierarchyList* List() const override;
  int Index() const override;
  void SetID(int id) override { id_ = id; }
  int ID() const override { return id_; }
  void SetText(const std::string& utf8) override;
  std::string GetText() const override { return text_; }
  void SetTextW(const std::u16string& text) override;
  std::u16string GetTextW() const override;
  void Select(bool select) override { Activate(select); }
  bool IsSelected() const override { return active_; }
  void Activate(bool active) override;
  bool IsActive() const override { return active_; }
  void Expand(bool expand) override;
  bool IsExpanded() const override { return expanded_; }
  host::ADMHierarchyList* GetChildList() override;
  host::ADMHierarchyList* CreateChildList() override;
  void DeleteChildList() override;
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }
  bool DefaultTrack(host::ADMTracker* tracker) override;
  void Invalidate() override;
  void Update() override { Invalidate(); }

  HierarchyList& OwnerList() const { return list_; }
  HierarchyList* ChildList() const { return child_.get(); }
  void SetActiveQuietly(bool active) { active_ = active; }

 private:
  HierarchyList& list_;
  int id_ = 0;
  std::string text_;
  bool active_ = false;
  bool expanded_ = false;
  std::unique_ptr<HierarchyList> child_;
  void* userData_ = nullptr;
};

class HierarchyList final : public host::ADMHierarchyList {
 public:
  HierarchyList(dm::Item& item, ListEntry* parent) : item_(item), parent_(parent) {}

  host::ADMItem* Item() const override;
  host::ADMListEntry* ParentEntry() const override { return parent_; }
  int NumberOfEntries() const override { return entries_.Count(); }
  host::ADMListEntry* GetEntry(int index) override { return EntryAt(index); }
  host::ADMListEntry* InsertEntry(int index) override;
  void RemoveEntry(int index) override;
  host::ADMListEntry* GetActiveLeafEntry() override { return ActiveEntry(); }
  void SetEntryWidth(int width) override;
  int GetEntryWidth() const override { return entryWidth_; }
  void SetEntryTextRect(const host::ADMRect& rect) override;
  host::ADMRect GetEntryTextRect() const override { return entryTextRect_; }
  void SetTrackProc(host::ADMListEntryTrackProc proc) override { trackProc_ = proc; }
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }

  dm::Item& OwnerItem() const { return item_; }
  ListEntry* Parent() const { return parent_; }
  ListEntry* EntryAt(int index) const { return entries_.At(index); }
  int IndexOf(const ListEntry& entry) const { return entries_.IndexOf(entry); }
  // The active entry of this list or of any list below it; null when none.
  ListEntry* ActiveEntry() const;
  // Clears the active mark throughout this list and the lists below it.
  void ClearActive();
  // The root list of the tree this list belongs to.
  HierarchyList& Root();
  // The track procedure of this list or its default, for a click on entry.
  bool Track(ListEntry& entry, host::ADMTracker& tracker);
  void Changed();

 private:
  dm::Item& item_;
  ListEntry* parent_;
  OwnedEntries<ListEntry> entries_;
  int entryWidth_ = 0;
  host::ADMRect entryTextRect_;
  host::ADMListEntryTrackProc trackProc_ = nullptr;
  void* userData_ = nullptr;
};

}  // namespace viewer::dm
