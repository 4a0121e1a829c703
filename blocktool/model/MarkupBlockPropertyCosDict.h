// A block's dictionary in the page's stored block tree: finding it, writing
// the block into it and reading it back into a property list. It holds only
// its block.
#pragma once

#include <string_view>

#include "host/Cos.h"

class CMarkupBlock;
class CMarkupBlockProperties;

class CMarkupBlockPropertyCosDict {
 public:
  explicit CMarkupBlockPropertyCosDict(CMarkupBlock& block) : block_(block) {}
  CMarkupBlock& Block() const { return block_; }

  // The block dictionary stored under key on the block's page; with create
  // the missing levels are made. Null when a level is missing or the host
  // failed (reported). Labels the tree on the way, also when only reading.
  host::CosObj AcquireBlockCosDict(std::string_view key, bool create);
  // Writes the block into blocks, the Blocks dictionary of a tree being
  // built apart from the page (whose own tree stays untouched until every
  // block is written). 0, also when the block has nothing to write; -1 when
  // it or one of its properties could not be written, or when blocks
  // already holds a block under its name.
  int UpdateBlockCosDict(const host::CosObj& blocks);
  // Reads the block dictionary stored under key into list: 0, or -1 when
  // there is no such dictionary or the host failed (reported).
  int ReadBlockPropertiesCosDict(std::string_view key, CMarkupBlockProperties& list);
  // Reads a block dictionary of the page (found by the caller) into list.
  int ReadBlockPropertiesCosDict(const host::CosObj& blockDict, CMarkupBlockProperties& list);

 private:
  host::CosObj PageDictionary() const;

  CMarkupBlock& block_;
};

// One entry of a block dictionary (or of its Custom or Internal dictionary)
// read into list; false only after a host error (reported), which ends the
// enumeration.
bool MrkupPropCosObjEnum(std::string_view key, const host::CosObj& value, CMarkupBlockProperties& list);
