// One item of a dialog on screen: a widget of its kind kept in step with
// the item, and what a person does to the widget passed on as the dialog
// manager's user actions (so a dialog behaves on screen as in a script).
#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "viewer/core/dm/ItemKind.h"

namespace viewer::dm {
class Item;
class UserActions;
}  // namespace viewer::dm

namespace viewer::qt {

class DialogWidget;

class ItemView {
 public:
  ItemView(DialogWidget& owner, dm::Item& item);
  virtual ~ItemView() = default;
  ItemView(const ItemView&) = delete;
  ItemView& operator=(const ItemView&) = delete;

  const dm::Item& Item() const { return item_; }
  int ID() const { return id_; }
  dm::ItemKind Kind() const { return kind_; }
  virtual QWidget* Widget() const = 0;
  // Where the keyboard focus goes for this item (an edit field's editor).
  virtual QWidget* FocusTarget() const { return Widget(); }

  // Shows the item's bounds, visibility, enabled state and tip, then what
  // its kind shows.
  void Sync();
  // The item is gone: the widget stops acting and is deleted later.
  virtual void Retire();

 protected:
  virtual void SyncContent() = 0;
  bool Syncing() const { return syncing_; }
  // A person's action on the dialog (nothing once the dialog is gone).
  void Act(const std::function<void(dm::UserActions&)>& action);
  // Entering the editor focuses the item; leaving it leaves the item.
  void TrackFocus(QWidget& editor);

  DialogWidget& owner_;
  dm::Item& item_;

 private:
  int id_;
  dm::ItemKind kind_;
  bool syncing_ = false;
};

// The widget for an item of any kind, as a child of parent.
std::unique_ptr<ItemView> MakeItemView(DialogWidget& owner, dm::Item& item, QWidget* parent);

}  // namespace viewer::qt
