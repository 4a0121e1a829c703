// Fills a block's text properties from the page text it covers. It holds
// its block and writes into that block's property list.
#pragma once

class CMarkupBlock;

class CMarkupBlockPropertyDependence {
 public:
  explicit CMarkupBlockPropertyDependence(CMarkupBlock& block) : block_(block) {}
  CMarkupBlock& Block() const { return block_; }

 private:
  CMarkupBlock& block_;
};
