#include "blocktool/host/MarkupContentInitEditMenu.h"

#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInitAlignMenu.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

std::vector<EditMenuPair> editMenuArray;
host::AVMenu* avEditMenu = nullptr;

namespace {

constexpr int kCommand = 2;
constexpr int kCommandShift = 3;

struct EditItem {
  const char* hostName;
  MarkupMenuItemSpec replacement;
};

// In the order the pairs are kept and swapped.
const EditItem kEditItems[] = {
    {"Undo", {"Zolt:Undo_Markup_Block", 1054, execMarkupUndo, nullptr, enableMarkupUndo, nullptr, markedMarkupNone,
              'z', kCommand}},
    {"Redo", {"Zolt:Redo_Markup_Block", 1052, execMarkupRedo, nullptr, enableMarkupRedo, nullptr, markedMarkupNone,
              'z', kCommandShift}},
    {"Cut", {"Zolt:Cut_Markup_Block", 1048, execMarkupCut, nullptr, enableMarkupCopy, nullptr, markedMarkupNone, 'x',
             kCommand}},
    {"Copy", {"Zolt:Copy_Markup_Block", 1047, execMarkupCopy, nullptr, enableMarkupCopy, nullptr, markedMarkupNone,
              'c', kCommand}},
    {"Paste", {"Zolt:Paste_Markup_Block", 1050, execMarkupPaste, nullptr, enableMarkupPaste, nullptr,
               markedMarkupNone, 'v', kCommand}},
    {"Clear", {"Zolt:Delete_Markup_Block", 1046, execMarkupDelete, nullptr, enableMarkupDelete, nullptr,
               markedMarkupNone, 0, 0}},
    {"SelectAll", {"Zolt:SelectAll_Markup_Block", 1053, execMarkupSelectAll, nullptr, enableMarkupSelectAll, nullptr,
                   markedMarkupNone, 'a', kCommand}},
    {"DeselectAll", {"Zolt:DeselectAll_Markup_Block", 1049, execMarkupDeselectAll, nullptr, enableMarkupDeselectAll,
                     nullptr, markedMarkupNone, 'a', kCommandShift}},
    {"Properties", {"Zolt:Properties_Markup_Block", 1051, execMarkupProperties, nullptr, enableMarkupProperties,
                    nullptr, markedMarkupNone, 'i', kCommand}},
};

// Takes `out` out of the Edit menu and puts `in` at its place, when `out`
// is there.
void Swap(host::AVMenuItem& out, host::AVMenuItem& in) {
  if (out.GetParentMenu() != avEditMenu) return;
  const int index = out.GetIndex();
  out.Remove();
  avEditMenu->AddItem(&in, index);
}

}  // namespace

MarkupHeldItem& MarkupHeldItem::operator=(MarkupHeldItem&& other) noexcept {
  if (this != &other) {
    Reset();
    item_ = std::exchange(other.item_, nullptr);
  }
  return *this;
}

void MarkupHeldItem::Reset() {
  if (item_) item_->Release();
  item_ = nullptr;
}

void InitEditMenu(host::AVMenubar* menubar) {
  editMenuArray.clear();
  if (!menubar) return;
  avEditMenu = menubar->AcquireMenuByName("Edit");
  if (!avEditMenu) return;
  for (const EditItem& item : kEditItems) {
    EditMenuPair pair;
    if (host::AVMenuItem* hostItem = menubar->AcquireMenuItemByName(item.hostName)) {
      pair.hostItem = MarkupHeldItem(hostItem);
      pair.replacement = MarkupHeldItem(NewMarkupMenuItem(item.replacement));
    }
    editMenuArray.push_back(std::move(pair));
  }
}

void SetMarkupEditMenu(bool on) {
  if (!avEditMenu) return;
  try {
    for (EditMenuPair& pair : editMenuArray) {
      if (!pair.hostItem || !pair.replacement) continue;
      if (on) {
        Swap(*pair.hostItem.get(), *pair.replacement.get());
      } else {
        Swap(*pair.replacement.get(), *pair.hostItem.get());
      }
    }
  } catch (...) {
    Service.ExceptionAlert("SetMarkupEditMenu");
  }
}

void ReleaseEditMenu() {
  // Unloading with the tool still active must not leave the host without
  // its own items.
  SetMarkupEditMenu(false);
  editMenuArray.clear();
  if (avEditMenu) avEditMenu->Release();
  avEditMenu = nullptr;
}
