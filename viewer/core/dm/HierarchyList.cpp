#include "viewer/core/dm/HierarchyList.h"

#include <algorithm>

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
  const int count = NumberOfEntries();
  const int at = index < 0 || index > count ? count : index;
  auto entry = std::make_unique<ListEntry>(*this);
  ListEntry* raw = entry.get();
  entries_.insert(entries_.begin() + at, std::move(entry));
  Changed();
  return raw;
}

void HierarchyList::RemoveEntry(int index) {
  if (index < 0 || index >= NumberOfEntries()) return;
  entries_.erase(entries_.begin() + index);
  Changed();
}

void HierarchyList::SetEntryWidth(int width) {
  entryWidth_ = width;
  Changed();
}

void HierarchyList::SetEntryTextRect(const host::ADMRect& rect) {
  entryTextRect_ = rect;
  Changed();
}

ListEntry* HierarchyList::EntryAt(int index) const {
  if (index < 0 || index >= NumberOfEntries()) return nullptr;
  return entries_[index].get();
}

int HierarchyList::IndexOf(const ListEntry& entry) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.get() == &entry; });
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
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
