// What a person does to a dialog of the dialog manager, with the
// notifications that each action delivers. Both front ends drive dialogs
// only through this class, so a dialog behaves the same on screen and in a
// script.
//
// Every action raises UserActionError (and changes nothing) when a person
// could not do it: the dialog is not shown or has ended, the item is
// missing, hidden or disabled, or it is not of a kind the action applies to.
// Notifications go to the item's notify procedure (whose default passes
// them on to the dialog's); a click first goes through the item's track
// procedure, whose default applies the click's effect.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ADM.h"

namespace viewer::dm {

class Dialog;
class Item;

class UserActionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class UserActions {
 public:
  explicit UserActions(Dialog& dialog) : dialog_(dialog) {}

  // Focuses the item, replaces its text and leaves it: Focus, Type, Leave.
  // On a slider or scroll bar: SetValue with the text as a number.
  void SetText(int itemID, const std::string& utf8);
  // Clicks or tabs into a text field: leaves the field that had the focus,
  // then a text-selection-change notification to the new one (so a field
  // gets one when it takes the focus and one when it is left). Refused when
  // the dialog puts the focus back into another field meanwhile (it refused
  // that field's text).
  void Focus(int itemID);
  // Replaces the text of a field (focusing it first), cut to the field's
  // limit in UTF-8 bytes: intermediate-changed notification.
  void Type(int itemID, const std::string& utf8);
  // Pastes over the whole text of a field: pre-paste notification, the text
  // (unless a notification asked to skip this clipboard operation) with an
  // intermediate-changed notification, post-paste notification.
  void Paste(int itemID, const std::string& utf8);
  // Leaves the focused field: text-selection-change notification, then
  // user-changed when its text was changed since it got the focus. Nothing
  // happens when no field has the focus.
  void Leave();
  // A click on a check box or radio button that leaves it in that state
  // (user-changed notification); nothing when it is in that state already.
  void Check(int itemID, bool on);
  // Picks entry index of a list or pop-up (user-changed notification).
  void Select(int itemID, int index);
  // Picks an entry of a hierarchy list by its path of indexes from the top.
  // Each closed entry on the way is first clicked and opened, as a person
  // does (user-changed notification for each), so that lazily filled
  // children exist when they are needed.
  void SelectTreeEntry(int itemID, const std::vector<int>& path);
  // Opens or closes an entry of a hierarchy list (user-changed notification).
  void ExpandTreeEntry(int itemID, const std::vector<int>& path, bool expand);
  // Drags a slider or scroll bar to a value (clamped to its range):
  // intermediate-changed, then user-changed at release.
  void SetValue(int itemID, int value);
  // Clicks a button, tab, check box, radio button, picture or user item
  // (user-changed notification; OK validates, Cancel ends). The point is in
  // item coordinates; Press without one clicks the item's centre.
  void Press(int itemID);
  void Press(int itemID, host::ADMPoint where, int modifiers, bool doubleClick);
  // Clicks the dialog itself, outside its items (its track procedure sees it;
  // nothing else happens by default). The point is in dialog coordinates.
  void ClickDialog(host::ADMPoint where, int modifiers);
  // Return: presses the default item; Escape: presses the cancel item.
  // Nothing when that item is missing, hidden or disabled.
  void PressReturn();
  void PressEscape();
  // Moves or resizes the dialog window (moved-by-drag / bounds-changed).
  // Only resizable dialogs can be resized.
  void MoveTo(int left, int top);
  void ResizeTo(int width, int height);
  // Closes the window: a modal dialog is cancelled as by Escape (or ended
  // with its cancel item when it has none); a modeless one is destroyed. The
  // dialog must not be used afterwards. Dialogs without a close box (style
  // 7) cannot be closed by a person.
  void Close();

 private:
  void CheckDialogShown() const;
  Item& Usable(int itemID) const;
  Item& UsableTextField(int itemID, const char* action) const;
  void Click(Item& item, host::ADMPoint where, int modifiers, bool doubleClick, std::function<void()> effect);
  void FocusItem(Item& item);

  Dialog& dialog_;
};

}  // namespace viewer::dm
