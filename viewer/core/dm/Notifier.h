// One notification of the dialog manager: what happened (its type name), to
// which dialog and item.
#pragma once

#include <string>
#include <string_view>

#include "host/ADM.h"

namespace viewer::dm {

class Dialog;
class Item;

class Notifier final : public host::ADMNotifier {
 public:
  Notifier(dm::Dialog& dialog, dm::Item* item, std::string_view typeName);

  host::ADMItem* Item() const override;
  host::ADMDialog* Dialog() const override;
  bool IsNotifierType(std::string_view typeName) const override { return typeName == typeName_; }
  std::string TypeName() const override { return typeName_; }
  // Around a paste: the dialog skips its next clipboard operation.
  void SkipNextClipboardOperation(bool skip) override;

 private:
  dm::Dialog& dialog_;
  dm::Item* item_;
  std::string typeName_;
};

}  // namespace viewer::dm
