// What a person does to a dialog of the dialog manager, with the
// notifications that each action delivers. Both front ends drive dialogs
// only through this class, so a dialog behaves the same on screen and in a
// script.
#pragma once

#include <string>

namespace viewer::dm {

class Dialog;

class UserActions {
 public:
  explicit UserActions(Dialog& dialog) : dialog_(dialog) {}

  // Focuses the item, replaces its text (intermediate-changed notification),
  // and leaves it (text-selection-change and user-changed notifications).
  void SetText(int itemID, const std::string& utf8);
  // A click on a check box or radio button that leaves it in that state.
  void Check(int itemID, bool on);
  // Picks entry index of a list or pop-up (user-changed notification).
  void Select(int itemID, int index);
  // Clicks a button (user-changed notification; OK validates, Cancel ends).
  void Press(int itemID);
  // Return: presses the default item; Escape: presses the cancel item.
  void PressReturn();
  void PressEscape();
  // Moves or resizes the dialog window (moved-by-drag / bounds-changed).
  void MoveTo(int left, int top);
  void ResizeTo(int width, int height);

 private:
  Dialog& dialog_;
};

}  // namespace viewer::dm
