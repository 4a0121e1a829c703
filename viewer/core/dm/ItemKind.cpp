#include "viewer/core/dm/ItemKind.h"

#include "host/ADM.h"

namespace viewer::dm {

namespace {

struct KindName {
  ItemKind kind;
  const char* typeName;
};

constexpr KindName kKindNames[] = {
    {ItemKind::ProgressBar, host::adm::kProgressBarType},
    {ItemKind::TextStatic, host::adm::kTextStaticType},
    {ItemKind::TextEdit, host::adm::kTextEditType},
    {ItemKind::TextEditReadOnly, host::adm::kTextEditReadOnlyType},
    {ItemKind::TextEditPopup, host::adm::kTextEditPopupType},
    {ItemKind::PushButton, host::adm::kTextPushButtonType},
    {ItemKind::PopupList, host::adm::kPopupListType},
    {ItemKind::ListBox, host::adm::kListBoxType},
    {ItemKind::ScrollBar, host::adm::kScrollbarType},
    {ItemKind::Frame, host::adm::kFrameType},
    {ItemKind::HierarchyListBox, host::adm::kHierarchyListBoxType},
    {ItemKind::CheckBox, host::adm::kTextCheckBoxType},
    {ItemKind::RadioButton, host::adm::kTextRadioButtonType},
    {ItemKind::PictureStatic, host::adm::kPictureStaticType},
    {ItemKind::TabButton, host::adm::kTabGroupType},
    {ItemKind::Slider, host::adm::kSliderType},
    {ItemKind::User, host::adm::kUserType},
};

}  // namespace

std::optional<ItemKind> KindFromTypeName(std::string_view typeName) {
  for (const KindName& entry : kKindNames)
    if (typeName == entry.typeName) return entry.kind;
  return std::nullopt;
}

const char* TypeNameOfKind(ItemKind kind) {
  for (const KindName& entry : kKindNames)
    if (entry.kind == kind) return entry.typeName;
  return "";
}

bool IsTextField(ItemKind kind) { return kind == ItemKind::TextEdit || kind == ItemKind::TextEditPopup; }

bool HoldsEntries(ItemKind kind) {
  return kind == ItemKind::PopupList || kind == ItemKind::ListBox || kind == ItemKind::TextEditPopup;
}

bool HoldsNumber(ItemKind kind) {
  return kind == ItemKind::ProgressBar || kind == ItemKind::ScrollBar || kind == ItemKind::Slider;
}

bool HoldsBoolean(ItemKind kind) {
  return kind == ItemKind::CheckBox || kind == ItemKind::RadioButton || kind == ItemKind::TabButton;
}

}  // namespace viewer::dm
