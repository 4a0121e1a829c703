// The kinds of dialog items, one per item type name of host/ADM.h, and what
// a person can do with each.
#pragma once

#include <optional>
#include <string_view>

namespace viewer::dm {

enum class ItemKind {
  ProgressBar,
  TextStatic,
  TextEdit,
  TextEditReadOnly,
  TextEditPopup,  // an edit field with a list of choices
  PushButton,
  PopupList,
  ListBox,
  ScrollBar,
  Frame,
  HierarchyListBox,
  CheckBox,
  RadioButton,
  PictureStatic,
  TabButton,
  Slider,
  User,
};

std::optional<ItemKind> KindFromTypeName(std::string_view typeName);
const char* TypeNameOfKind(ItemKind kind);

// A person types into these.
bool IsTextField(ItemKind kind);
// These own a list of entries (host::ADMList).
bool HoldsEntries(ItemKind kind);
// These hold a number between a minimum and a maximum.
bool HoldsNumber(ItemKind kind);
// These hold an on/off state.
bool HoldsBoolean(ItemKind kind);

}  // namespace viewer::dm
