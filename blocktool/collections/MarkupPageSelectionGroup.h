// The selection of one page: the blocks the user picked, one of which (the
// one with the Selected mark) is the reference for commands. Every member
// carries the SelectedGroup mark. Besides membership it toggles, locks and
// arranges its members; each arrangement is one undo step of the page.
#pragma once

#include "blocktool/collections/MarkupBlocksGroup.h"

// The arrangement commands.
enum AlignMode : int {
  kAlignLeft = 0,
  kAlignTop = 1,
  kAlignRight = 2,
  kAlignBottom = 3,
  kAlignVerticalCenters = 4,
  kAlignHorizontalCenters = 5,
  kCenterVertically = 6,
  kCenterHorizontally = 7,
  kCenterBoth = 8,
  kDistributeVertically = 9,
  kDistributeHorizontally = 10,
  kSameHeight = 11,
  kSameWidth = 12,
  kSameSize = 13,
};

// Lock state of a selection.
inline constexpr int kLockStateEmpty = -1;
inline constexpr int kLockStateLocked = 1;
inline constexpr int kLockStateUnlocked = 2;
inline constexpr int kLockStateMixed = 3;

class CMarkupSelectionGroup : public CMarkupBlocksGroup {
 public:
  // page: the page the members belong to; it records the undo steps of
  // arrangements and hears of lock changes (may be null).
  explicit CMarkupSelectionGroup(CMarkupBlockOwner* page = nullptr);
  // Drops the references; no block is unmarked.
  ~CMarkupSelectionGroup();

  void AddBlock(const BlockRef& block) override;
  void RemoveBlock(const CMarkupBlock* block) override;
  void Clear() override;
  // First member (ascending ID) with the Selected mark.
  virtual CMarkupBlock* GetSelectedBlock() const;

  // Clears both marks of every member, then empties the group.
  void ClearAll();
  // Shift-click: adds a block that is not a member (alone, it becomes the
  // selected block) or removes a member (passing the Selected mark on to the
  // next member). Answers the block's SelectedGroup mark afterwards.
  bool BlinkBlock(const BlockRef& block);
  // The first handle code other than -1 that a member reports.
  int GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) const;

  // Lock changes are no undo steps.
  void Lock(bool flag);
  void ReverseLock();
  int GetLockState() const;

  // Modes 0 to 5: edges or centres of the unlocked members onto the
  // selected block's.
  void Align(int mode);
  // Modes 6 to 8: the members' union centred in pageRect (device space).
  void Center(const host::AVRect& pageRect, int mode);
  // Mode 9 vertically, anything else horizontally: the inner members'
  // centres spread evenly between the outer ones'.
  void Distribute(int mode);
  // Modes 11 to 13: the selected block's height, width or both.
  void Resize(int mode);

 private:
  // One undo step around moves; an empty step is dropped.
  class ArrangeStep;
  void LockChanged();

  CMarkupBlockOwner* page_;
};
