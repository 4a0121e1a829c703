#include "viewer/qt/MenuView.h"

#include <functional>

#include "viewer/core/DeferredUi.h"
#include "viewer/core/MenuModel.h"
#include "viewer/qt/Conversions.h"

namespace viewer::qt {

namespace {

constexpr const char* kSerialProperty = "korvidItemSerial";

// A menu title's '&' is a character, not a mnemonic mark.
QString ActionText(const std::string& title) { return FromUtf8(title).replace('&', "&&"); }

void Evaluate(QMenu& target, const std::function<MenuItem*(std::uint64_t)>& find, DeferredUi& ui) {
  auto update = ui.Enter();
  for (QAction* action : target.actions()) {
    MenuItem* item = find(ItemSerialOf(*action));
    if (!item) continue;
    item->Acquire();  // a procedure may take the item out of its menu
    const bool enabled = item->IsEnabled();
    const bool marked = item->IsMarked();
    item->Release();
    action->setEnabled(enabled);
    action->setCheckable(marked);
    action->setChecked(marked);
  }
}

}  // namespace

QKeySequence ShortcutOf(char key, int modifiers) {
  if (key == 0) return {};
  QString text = modifiers == 3 ? "Ctrl+Shift+" : "Ctrl+";
  text += QChar(key).toUpper();
  return QKeySequence(text);
}

void FillMenu(QMenu& target, const Menu& menu) {
  for (MenuItem* item : menu.Items()) {
    if (item->IsSeparator()) {
      target.addSeparator();
      continue;
    }
    QAction* action = nullptr;
    if (Menu* sub = item->Submenu()) {
      QMenu* submenu = target.addMenu(ActionText(item->Title()));
      FillMenu(*submenu, *sub);
      action = submenu->menuAction();
    } else {
      action = target.addAction(ActionText(item->Title()));
      action->setShortcut(ShortcutOf(item->Shortcut(), item->ShortcutModifiers()));
    }
    action->setProperty(kSerialProperty, QVariant::fromValue<qulonglong>(item->Serial()));
  }
}

std::uint64_t ItemSerialOf(const QAction& action) { return action.property(kSerialProperty).toULongLong(); }

MenuItem* FindItemBySerial(const Menu& menu, std::uint64_t serial) {
  if (serial == 0) return nullptr;
  for (MenuItem* item : menu.Items()) {
    if (item->Serial() == serial) return item;
    if (item->Submenu())
      if (MenuItem* found = FindItemBySerial(*item->Submenu(), serial)) return found;
  }
  return nullptr;
}

MenuItem* FindItemBySerial(const MenuModel& model, std::uint64_t serial) {
  for (const Menu* menu : model.Menus())
    if (MenuItem* found = FindItemBySerial(*menu, serial)) return found;
  return nullptr;
}

void EvaluateStates(QMenu& target, const MenuModel& within, DeferredUi& ui) {
  Evaluate(target, [&](std::uint64_t serial) { return FindItemBySerial(within, serial); }, ui);
}

void EvaluateStates(QMenu& target, const Menu& within, DeferredUi& ui) {
  Evaluate(target, [&](std::uint64_t serial) { return FindItemBySerial(within, serial); }, ui);
}

void EnableAll(QMenu& target) {
  for (QAction* action : target.actions()) action->setEnabled(true);
}

}  // namespace viewer::qt
