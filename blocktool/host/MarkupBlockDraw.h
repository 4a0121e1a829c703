// Draws one block and answers which of its handles is under the pointer.
// It keeps the block's device rectangle in step with the page view.
#pragma once

class CMarkupBlock;

class CMarkupBlockDraw {
 public:
  explicit CMarkupBlockDraw(CMarkupBlock& block) : block_(block) {}

  // Converts the block's page rectangle to the device rectangle of its page
  // view for the current zoom and scroll, and stores it in the block.
  void ValidateBlockAVRect();

 private:
  CMarkupBlock& block_;
};
