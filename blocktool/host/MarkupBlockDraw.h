// Draws one block and answers which of its handles is under the pointer.
// It keeps the block's device rectangle and its eight handles in step with
// the page view.
#pragma once

#include <array>

#include "host/HostTypes.h"

class CMarkupBlock;

class CMarkupBlockDraw {
 public:
  static constexpr int kHandleCount = 8;
  static constexpr int kHandleSize = 6;
  // What GetSelectedCursorPos answers inside the block but on no handle.
  static constexpr int kInsideBlock = 8;

  explicit CMarkupBlockDraw(CMarkupBlock& block) : block_(block) {}

  // Converts the block's page rectangle to the device rectangle of its page
  // view for the current zoom and scroll, stores it in the block and places
  // the handles: clockwise from the top-left corner, each 6 x 6 pixels
  // inside the block.
  void ValidateBlockAVRect();
  // -1 outside the block (edges count as inside), the first handle (0 to 7)
  // that holds the point, else 8.
  int GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y);
  const std::array<host::AVRect, kHandleCount>& Handles() const { return handles_; }

 private:
  void PlaceHandles(const host::AVRect& rect);

  CMarkupBlock& block_;
  std::array<host::AVRect, kHandleCount> handles_{};
};
