// The list of a pop-up, list box or scrolling pop-up edit field, and its
// entries (text, ID, separators, pictures, enabled and selected state). One
// entry at most is active; it is also the selected one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/ADM.h"
#include "viewer/core/dm/OwnedEntries.h"

namespace viewer::dm {

class Item;
class List;

class Entry final : public host::ADMEntry {
 public:
  explicit Entry(dm::List& list) : list_(list) {}

  host::ADMList* List() const override;
  int Index() const override;
  void SetID(int id) override { id_ = id; }
  int ID() const override { return id_; }
  void SetText(const std::string& utf8) override;
  std::string GetText() const override { return text_; }
  void SetTextW(const std::u16string& text) override;
  std::u16string GetTextW() const override;
  void Select(bool select) override;
  bool IsSelected() const override { return active_; }
  void Activate(bool active) override;
  bool IsActive() const override { return active_; }
  void MakeSeparator(bool separator) override;
  bool IsSeparator() const override { return separator_; }
  void Enable(bool enable) override;
  bool IsEnabled() const override { return enabled_; }
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }
  void SetPictureID(int iconResource, std::string_view iconName) override;
  int GetPictureID() const override { return picture_; }

  const std::string& PictureFamily() const { return pictureFamily_; }
  void SetActiveQuietly(bool active) { active_ = active; }

 private:
  dm::List& list_;
  int id_ = 0;
  std::string text_;
  bool active_ = false;
  bool separator_ = false;
  bool enabled_ = true;
  int picture_ = 0;
  std::string pictureFamily_;
  void* userData_ = nullptr;
};

class List final : public host::ADMList {
 public:
  explicit List(dm::Item& item) : item_(item) {}

  host::ADMItem* Item() const override;
  int NumberOfEntries() const override { return entries_.Count(); }
  host::ADMEntry* GetEntry(int index) override { return EntryAt(index); }
  host::ADMEntry* InsertEntry(int index) override;
  void RemoveEntry(int index) override;
  host::ADMEntry* FindEntry(std::string_view utf8) override;
  host::ADMEntry* GetActiveEntry() override { return ActiveEntry(); }
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }

  Entry* EntryAt(int index) const { return entries_.At(index); }
  Entry* ActiveEntry() const;
  int ActiveIndex() const;  // -1 when none
  int IndexOf(const Entry& entry) const { return entries_.IndexOf(entry); }
  // Makes the entry the active one (null: none).
  void SetActive(Entry* entry);
  void EntryChanged();

 private:
  dm::Item& item_;
  OwnedEntries<Entry> entries_;
  void* userData_ = nullptr;
};

}  // namespace viewer::dm
