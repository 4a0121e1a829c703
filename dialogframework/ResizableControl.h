// How one item follows its dialog's size: a set of resize rules applied to
// the item's rectangle from the moment the rule was registered.
#pragma once

#include <cstdint>

#include "host/ADM.h"

using ControlResizeType = std::uint32_t;
inline constexpr ControlResizeType ResizeFollowLeft = 0x1;      // left edge keeps its distance to the dialog's left
inline constexpr ControlResizeType ResizeFollowTop = 0x2;       // top edge keeps its distance to the dialog's top
inline constexpr ControlResizeType ResizeStretchRight = 0x4;    // right edge moves with the dialog's right edge
inline constexpr ControlResizeType ResizeStretchBottom = 0x8;   // bottom edge moves with the dialog's bottom edge
inline constexpr ControlResizeType ResizeShiftRight = 0x10000;  // moves right by the widening
inline constexpr ControlResizeType ResizeShiftHalfRight = 0x20000;  // moves right by half the widening
inline constexpr ControlResizeType ResizeShiftDown = 0x40000;   // moves down by the growth in height

class CResizableDlg;

class CResizableControl {
 public:
  // Takes the item's current bounds as its initial rectangle. A control
  // that is not free never gets smaller than, or moves up or left of, that
  // rectangle.
  CResizableControl(CResizableDlg& owner, host::ADMItem* item, ControlResizeType type, bool free,
                    const host::ADMRect& dialogInitialRect);
  CResizableControl(const CResizableControl&) = delete;
  CResizableControl& operator=(const CResizableControl&) = delete;

  // Applies the rules for the dialog's rectangle; sets the item's bounds
  // only when a rule changed them.
  void ResizeControl(const host::ADMRect& dialogRect);
  void SetDialogInitialRect(const host::ADMRect& rect) { dialogInitialRect_ = rect; }
  void SetInitialRect(const host::ADMRect& rect) { initialRect_ = rect; }
  const host::ADMRect& InitialRect() const { return initialRect_; }
  host::ADMItem* Item() const { return item_; }
  ControlResizeType Type() const { return type_; }
  CResizableDlg& Owner() const { return owner_; }

 private:
  bool free_;
  host::ADMItem* item_;
  host::ADMRect initialRect_;
  host::ADMRect dialogInitialRect_;
  ControlResizeType type_;
  CResizableDlg& owner_;
};
