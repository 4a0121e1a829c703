// The entries of a list or of a tree level, owned in display order.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace viewer::dm {

template <typename Entry>
class OwnedEntries {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }

  Entry* At(int index) const { return index < 0 || index >= Count() ? nullptr : entries_[index].get(); }

  int IndexOf(const Entry& entry) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.get() == &entry; });
    return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
  }

  // An index past the end (or negative) appends.
  Entry* Insert(int index, std::unique_ptr<Entry> entry) {
    const int at = index < 0 || index > Count() ? Count() : index;
    Entry* raw = entry.get();
    entries_.insert(entries_.begin() + at, std::move(entry));
    return raw;
  }

  // False when the index is out of range.
  bool Remove(int index) {
    if (index < 0 || index >= Count()) return false;
    entries_.erase(entries_.begin() + index);
    return true;
  }

  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace viewer::dm
