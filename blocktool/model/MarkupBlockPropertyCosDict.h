// A block's dictionary in the page's stored block tree. It holds only its
// block; the tree is read and written through it.
#pragma once

class CMarkupBlock;

class CMarkupBlockPropertyCosDict {
 public:
  explicit CMarkupBlockPropertyCosDict(CMarkupBlock& block) : block_(block) {}
  CMarkupBlock& Block() const { return block_; }

 private:
  CMarkupBlock& block_;
};
