// A dialog layout resource as the dialog manager builds a dialog from it:
// the dialog's name, ID, style, size and title, and its items.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/ADM.h"

namespace viewer {

struct EntryLayout {
  std::string text;  // UTF-8
  int id = 0;
  bool separator = false;
  bool disabled = false;
  int picture = 0;  // icon ID; 0 for none
  std::string pictureFamily;
};

struct ItemLayout {
  int id = 0;
  std::string typeName;  // one of the item types of host/ADM.h
  host::ADMRect bounds;  // in the dialog
  std::string text;      // UTF-8
  int maxTextLength = -1;  // UTF-8 bytes; -1 for no limit
  std::optional<int> value;  // number, or the active entry of a list
  std::optional<int> minValue;
  std::optional<int> maxValue;
  std::optional<int> smallIncrement;
  std::optional<int> largeIncrement;
  bool checked = false;
  bool hidden = false;
  bool disabled = false;
  int radioGroup = 0;  // radio buttons of one group share it; 0 for none
  int picture = 0;
  std::string pictureFamily;
  std::string tip;
  std::vector<EntryLayout> entries;
  int line = 0;  // where the item is defined
};

struct DialogLayout {
  std::string file;
  std::string name;
  int id = 0;
  int style = host::adm::kModalStyle;
  int width = 0;
  int height = 0;
  std::optional<host::ADMPoint> position;  // top left on screen
  std::string title;
  int defaultItem = 1;
  int cancelItem = 2;
  std::vector<ItemLayout> items;

  const ItemLayout* Item(int itemID) const {
    for (const ItemLayout& item : items)
      if (item.id == itemID) return &item;
    return nullptr;
  }
};

}  // namespace viewer
