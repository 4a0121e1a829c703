// The core's menus as Qt menus. Every action carries the serial number of
// the menu item it shows, never a pointer: plug-ins remove and free items
// at any time, and an action that outlives its item then finds nothing.
// Enable and marked procedures run when a menu opens, inside a menu update.
#pragma once

#include <cstdint>

#include <QKeySequence>
#include <QMenu>

namespace viewer {
class DeferredUi;
class Menu;
class MenuItem;
class MenuModel;
}  // namespace viewer

namespace viewer::qt {

// Shortcut modifiers 2 (the command key) and 3 (with Shift) as Ctrl and
// Ctrl+Shift; no shortcut without a key.
QKeySequence ShortcutOf(char key, int modifiers);

// Adds the menu's items (submenus included) to target.
void FillMenu(QMenu& target, const Menu& menu);

// The serial of the item an action shows; 0 for other actions.
std::uint64_t ItemSerialOf(const QAction& action);
MenuItem* FindItemBySerial(const Menu& menu, std::uint64_t serial);
MenuItem* FindItemBySerial(const MenuModel& model, std::uint64_t serial);

// Runs the enable and marked procedures of the items target shows (looked
// up in within) and sets the actions' states, inside one menu update.
void EvaluateStates(QMenu& target, const MenuModel& within, DeferredUi& ui);
void EvaluateStates(QMenu& target, const Menu& within, DeferredUi& ui);
// Shortcuts of disabled actions would be lost: while a menu is closed every
// action is enabled and the command's own check decides when it runs.
void EnableAll(QMenu& target);

}  // namespace viewer::qt
