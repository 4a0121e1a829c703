#include "viewer/core/dm/Notifier.h"

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"

namespace viewer::dm {

Notifier::Notifier(dm::Dialog& dialog, dm::Item* item, std::string_view typeName)
    : dialog_(dialog), item_(item), typeName_(typeName) {}

host::ADMItem* Notifier::Item() const { return item_; }
host::ADMDialog* Notifier::Dialog() const { return &dialog_; }
void Notifier::SkipNextClipboardOperation(bool skip) { dialog_.SkipNextClipboardOperation(skip); }

}  // namespace viewer::dm
