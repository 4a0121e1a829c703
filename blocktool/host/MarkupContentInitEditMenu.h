// The Edit menu while the block tool is active: nine host items (undo,
// redo, cut, copy, paste, delete, select all, deselect all, properties) give
// their places to items that act on blocks, and get them back when the tool
// is put down.
#pragma once

#include <utility>
#include <vector>

#include "host/AV.h"

// A menu item the plug-in holds (acquired), or none.
class MarkupHeldItem {
 public:
  MarkupHeldItem() = default;
  explicit MarkupHeldItem(host::AVMenuItem* acquired) : item_(acquired) {}
  ~MarkupHeldItem() { Reset(); }
  MarkupHeldItem(MarkupHeldItem&& other) noexcept : item_(std::exchange(other.item_, nullptr)) {}
  MarkupHeldItem& operator=(MarkupHeldItem&& other) noexcept;
  MarkupHeldItem(const MarkupHeldItem&) = delete;
  MarkupHeldItem& operator=(const MarkupHeldItem&) = delete;

  host::AVMenuItem* get() const { return item_; }
  explicit operator bool() const { return item_ != nullptr; }
  void Reset();

 private:
  host::AVMenuItem* item_ = nullptr;
};

// The host's item and the block tool's replacement, both held; a pair of
// two empty entries stands for a host item the host does not have.
struct EditMenuPair {
  MarkupHeldItem hostItem;
  MarkupHeldItem replacement;
};

extern std::vector<EditMenuPair> editMenuArray;
extern host::AVMenu* avEditMenu;

// Finds the host's Edit menu and its nine items and makes their
// replacements (not put into any menu yet).
void InitEditMenu(host::AVMenubar* menubar);
// on: the replacements take the host items' places; off: the host items
// come back. Swapping an item that is already in place does nothing.
void SetMarkupEditMenu(bool on);
// Puts the host items back and lets every item and the Edit menu go.
void ReleaseEditMenu();
