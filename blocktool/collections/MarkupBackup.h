// Undo and redo of one page. A step records, for each block it touches, what
// swapping restores: the block's existence, its page rectangle or its whole
// property list. Restoring swaps the recorded state with the block's present
// one, so one step serves for undo and for redo and moves between the stacks.
// Entries share ownership of the blocks they refer to: a deleted block lives
// as long as some step can bring it back.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "blocktool/collections/MarkupBlocksGroup.h"

class CMarkupPageCollection;

enum BackupAction : int {
  kBackupExistence = 0,  // the block was created or deleted
  kBackupGeometry = 1,   // its rectangle
  kBackupProperties = 2, // its whole property list
};

class CMarkupBackup {
 public:
  // Null for an action that records nothing.
  static std::unique_ptr<CMarkupBackup> Record(const BlockRef& block, int action);

  // Swaps the recorded state with the block's; a block no longer on the page
  // is left alone by geometry and property entries.
  void RestoreOnPage(CMarkupPageCollection& page);
  int GetID() const { return blockID_; }
  int Action() const { return action_; }

 private:
  CMarkupBackup(int action, int blockID) : action_(action), blockID_(blockID) {}
  void RestoreExistence(CMarkupPageCollection& page);
  void RestoreGeometry(CMarkupPageCollection& page);
  void RestoreProperties(CMarkupPageCollection& page);

  int action_;
  int blockID_;
  host::ASFixedRect pageRect_{};
  BlockRef block_;
  std::unique_ptr<CMarkupBlockProperties> snapshot_;
};

// One undo step: its entries in recording order.
class CMarkupBackupGroup {
 public:
  explicit CMarkupBackupGroup(CMarkupPageCollection& page) : page_(page) {}
  void AddBlock(const BlockRef& block, int action);
  int Size() const { return static_cast<int>(entries_.size()); }
  // Restores every entry, first to last.
  void Restore();

 private:
  CMarkupPageCollection& page_;
  std::vector<std::unique_ptr<CMarkupBackup>> entries_;
};

// The undo and redo stacks of one page, newest last.
class CMarkupBackupCollection {
 public:
  // A step is dropped from the undo stack once it holds this many: at most
  // 99 steps can be undone.
  static constexpr std::size_t kLimit = 100;

  // Steps without entries are dropped.
  void AddUndoGroup(std::unique_ptr<CMarkupBackupGroup> step);
  void AddRedoGroup(std::unique_ptr<CMarkupBackupGroup> step);
  bool EnableUndo() const { return !undo_.empty(); }
  bool EnableRedo() const { return !redo_.empty(); }
  void Undo();
  void Redo();
  void FreeBackupCollection();
  std::size_t UndoSize() const { return undo_.size(); }
  std::size_t RedoSize() const { return redo_.size(); }

 private:
  std::deque<std::unique_ptr<CMarkupBackupGroup>> undo_;
  std::deque<std::unique_ptr<CMarkupBackupGroup>> redo_;
};
