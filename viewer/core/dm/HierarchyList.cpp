#include "viewer/core/dm/HierarchyList.h"

#include "host/ASText.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/Tracker.h"

namespace viewer::dm {

ListEntry::~ListEntry() = default;

host::ADMHierarchyList* ListEntry::List() const { return &list_; }
int ListEntry::Index() const { return list_.IndexOf(*this); }

void ListEntry::SetText(const std::string& utf8) {
  text_ = utf8;
  Invalidate();
}

void ListEntry::SetTextW(const std::u16string& text) { SetText(host::text::UTF16ToUTF8(text)); }
std::u16string ListEntry::GetTextW() const { return host::text::UTF8ToUTF16(text_); }

void ListEntry::Activate(bool active) {
  if (active == active_) return;
  if (active) list_.Root().ClearActive();
  active_ = active;
  Invalidate();
}

void ListEntry::Expand(bool expand) {
  expanded_ = expand;
  Invalidate();
}

host::ADMHierarchyList* ListEntry::GetChildList() { return child_.get(); }

host::ADMHierarchyList* ListEntry::CreateChildList() {
  if (!child_) child_ = std::make_unique<HierarchyList>(list_.OwnerItem(), this);
  Invalidate();
  return child_.get();
}

void ListEntry::DeleteChildList() {
  child_.reset();
  Invalidate();
}

bool ListEntry::DefaultTrack(host::ADMTracker* tracker) { return RunDefaultTracking(tracker); }

void ListEntry::Invalidate() { list_.Changed(); }

host::ADMItem* HierarchyList::Item() const { return &item_; }

host::ADMListEntry* HierarchyList::InsertEntry(int index) {
  ListEntry* entry = entries_.Insert(index, std::make_unique<ListEntry>(*this));
  Changed();
  return entry;
}

void HierarchyList::RemoveEntry(int index) {
  if (entries_.Remove(index)) Changed();
}

void HierarchyList::SetEntryWidth(int width) {
  entryWidth_ = width;
  Changed();
}

void HierarchyList::SetEntryTextRect(const host::ADMRect& rect) {
  entryTextRect_ = rect;
  Changed();
}

ListEntry* HierarchyList::ActiveEntry() const {
  for (const auto& entry : entries_) {
    if (entry->IsActive()) return entry.get();
    if (HierarchyList* child = entry->ChildList())
      if (ListEntry* found = child->ActiveEntry()) return found;
  }
  return nullptr;
}

void HierarchyList::ClearActive() {
  for (const auto& entry : entries_) {
    entry->SetActiveQuietly(false);
    if (HierarchyList* child = entry->ChildList()) child->ClearActive();
  }
}

HierarchyList& HierarchyList::Root() { return parent_ ? parent_->OwnerList().Root() : *this; }

bool HierarchyList::Track(ListEntry& entry, host::ADMTracker& tracker) {
  return trackProc_ ? trackProc_(&entry, &tracker) : entry.DefaultTrack(&tracker);
}

void HierarchyList::Changed() { item_.Invalidate(); }

}  // namespace viewer::dm
