// A dialog whose items follow its size by rules registered per item.
//
// Item bounds are in dialog coordinates, so the rectangles here are too: the
// dialog's rectangle is (0, 0, height, width) whichever edge a person drags,
// and moving the window changes nothing for the items.
#pragma once

#include <map>
#include <memory>

#include "dialogframework/CAcroADMDialog.h"
#include "dialogframework/ResizableControl.h"

class CResizableDlg : public CAcroADMDialog {
 public:
  CResizableDlg();
  ~CResizableDlg() override;

  // The dialog's current rectangle becomes the size the controls were laid
  // out for.
  void ObtainInitialRect();
  void GetInitialRect(host::ADMRect& rect) const { rect = initialRect_; }
  // Registers (or replaces) the rule of the item.
  void AddResizableControl(host::ADMItem* item, ControlResizeType type, bool free = false);
  void RemoveResizableControl(host::ADMItem* item);
  // New initial top and bottom for the item's rule.
  void ResetResizableControlVertical(host::ADMItem* item, const host::ADMRect& rect);
  // New initial rectangle for the item's rule, applied at once.
  void SetInitialResizableControlRect(host::ADMItem* item, const host::ADMRect& rect);
  // Lays the controls out for the dialog's current size; rect gets the
  // rectangle used. False when the dialog is smaller than its initial size
  // in either direction (the controls are then laid out as for the initial
  // size in that direction).
  bool ResizeControls(host::ADMRect& rect);
  // The window moved: the controls keep their layout.
  void MoveDialog(host::ADMRect& rect);
  // Moves the window's top left corner to the point.
  void ForceMoveDialog(const host::ADMPoint& topLeft);
  int NumResizableControls() const { return static_cast<int>(controls_.size()); }

 private:
  host::ADMRect CurrentRect() const;
  void Reanchor(const host::ADMRect& rect);

  host::ADMRect initialRect_;
  std::map<int, std::unique_ptr<CResizableControl>> controls_;
};
