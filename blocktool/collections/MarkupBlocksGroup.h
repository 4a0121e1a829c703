// A set of blocks keyed by block ID in ascending order. An entry may hold no
// block: a kept slot reserves the ID of a deleted block that undo may bring
// back. Walks over a group follow ascending IDs.
#pragma once

#include <map>
#include <memory>

#include "blocktool/model/MarkupBlock.h"
#include "host/HostTypes.h"

using BlockRef = std::shared_ptr<CMarkupBlock>;

class CMarkupBlocksGroup {
 public:
  CMarkupBlocksGroup() = default;
  CMarkupBlocksGroup(const CMarkupBlocksGroup&) = delete;
  CMarkupBlocksGroup& operator=(const CMarkupBlocksGroup&) = delete;
  // Drops every reference; the blocks live on with their other owners.
  ~CMarkupBlocksGroup();

  virtual void AddBlock(const BlockRef& block);
  // Fills the entry of the block's ID, when there is one (undo).
  virtual void InsertBlock(const BlockRef& block, int position);
  virtual void RemoveBlock(const CMarkupBlock* block);
  virtual void RemoveAndKeepBlock(const CMarkupBlock* block);
  virtual bool IsBlockInGroup(int blockID) const;
  virtual bool HasValidBlocks() const;
  virtual int GetSize() const;
  virtual CMarkupBlock* GetBlock(int blockID) const;
  virtual CMarkupBlock* GetNthBlock(int n) const;
  virtual int GetBlockNumber(const CMarkupBlock* block) const;
  // The next block with an entry from blockID, stepping by step with
  // wrap-around; none when the walk comes back to its start.
  virtual CMarkupBlock* GetNextValidBlock(int blockID, int step) const;
  virtual int GetMinID() const;
  virtual int GetMaxID() const;
  virtual host::AVRect GetUnionRect() const;
  // Moves the unlocked blocks so that the union's top-left corner lands on
  // the target's, as one undo step.
  virtual void MoveGroup(const host::AVRect& target);
  virtual void MoveGroupByStep(int keyCode);
  virtual void CopyGroup(const CMarkupBlocksGroup& other);
  // Drops the group's references to all its blocks and empties it; a block
  // no one else holds is destroyed.
  virtual void FreeGroup();
  virtual void Clear();
  virtual bool IsGroupMonoType() const;

  BlockRef GetBlockRef(int blockID) const;
  // The entries in ascending ID order; kept slots hold no block.
  const std::map<int, BlockRef>& Entries() const { return blocks_; }

 private:
  std::map<int, BlockRef> blocks_;
};

inline constexpr int kSortByTop = 10001;
inline constexpr int kSortByLeft = 10002;

struct SortedBlock {
  int blockID = 0;
  host::AVRect rect;
  int sortMode = 0;
};

bool CompareBlocksByTopLeftPoint(const SortedBlock& a, const SortedBlock& b);
