#include "viewer/core/dm/List.h"

#include "host/ASText.h"
#include "viewer/core/dm/Item.h"

namespace viewer::dm {

host::ADMList* Entry::List() const { return &list_; }
int Entry::Index() const { return list_.IndexOf(*this); }

void Entry::SetText(const std::string& utf8) {
  text_ = utf8;
  list_.EntryChanged();
}

void Entry::SetTextW(const std::u16string& text) { SetText(host::text::UTF16ToUTF8(text)); }
std::u16string Entry::GetTextW() const { return host::text::UTF8ToUTF16(text_); }

void Entry::Select(bool select) { Activate(select); }

void Entry::Activate(bool active) {
  if (active) list_.SetActive(this);
  else if (active_) list_.SetActive(nullptr);
}

void Entry::MakeSeparator(bool separator) {
  separator_ = separator;
  list_.EntryChanged();
}

void Entry::Enable(bool enable) {
  enabled_ = enable;
  list_.EntryChanged();
}

void Entry::SetPictureID(int iconResource, std::string_view iconName) {
  picture_ = iconResource;
  pictureFamily_ = std::string(iconName);
  list_.EntryChanged();
}

host::ADMItem* List::Item() const { return &item_; }

host::ADMEntry* List::InsertEntry(int index) {
  Entry* entry = entries_.Insert(index, std::make_unique<Entry>(*this));
  EntryChanged();
  return entry;
}

void List::RemoveEntry(int index) {
  const Entry* entry = entries_.At(index);
  const bool wasActive = entry && entry->IsActive();
  if (!entries_.Remove(index)) return;
  if (wasActive) item_.ActiveEntryChanged();
  EntryChanged();
}

host::ADMEntry* List::FindEntry(std::string_view utf8) {
  for (const auto& entry : entries_)
    if (entry->GetText() == utf8) return entry.get();
  return nullptr;
}

Entry* List::ActiveEntry() const {
  for (const auto& entry : entries_)
    if (entry->IsActive()) return entry.get();
  return nullptr;
}

int List::ActiveIndex() const {
  const Entry* active = ActiveEntry();
  return active ? IndexOf(*active) : -1;
}

void List::SetActive(Entry* active) {
  for (const auto& entry : entries_) entry->SetActiveQuietly(entry.get() == active);
  item_.ActiveEntryChanged();
  EntryChanged();
}

void List::EntryChanged() { item_.Invalidate(); }

}  // namespace viewer::dm
