// One block on one page: its rectangle in page space (the truth, mirrored in
// the Rect property) and in device space of its page view, its ID, its
// property list, the editor's marks, and its three companion objects.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "blocktool/model/MarkupBlockProperties.h"
#include "host/AV.h"
#include "host/HostTypes.h"
#include "host/PDE.h"

class CMarkupBlock;
class CMarkupBlockDraw;
class CMarkupBlockPropertyCosDict;
class CMarkupBlockPropertyDependence;

// What blocks (and groups of blocks) need of the page collection that owns
// them: the page view, the validated state, the page's naming rule and the
// undo step being recorded.
class CMarkupBlockOwner {
 public:
  virtual host::AVPageView* GetPageView() const = 0;
  // The dictionary of the page the blocks belong to; by default the page
  // its view shows.
  virtual host::CosObj GetPageCosObj() const;
  virtual void Validate(bool flag) = 0;
  // The name made unique among the blocks of the page.
  virtual std::string MakeUniqueBlockName(const CMarkupBlock& block, std::string_view name,
                                          std::string_view separator) = 0;
  // Undo recording: open a step, record a block before it changes (action 0
  // existence, 1 geometry, 2 properties), close the step.
  virtual void ActivateBackupGroup() = 0;
  virtual void AddBlockForBackup(CMarkupBlock& block, int action) = 0;
  virtual void SetUndoBackupGroup() = 0;

 protected:
  ~CMarkupBlockOwner() = default;
};

using ImportMode = int;

// Blocks are shared: the page holds the blocks on it, and undo entries hold
// the blocks they may bring back or take away again.
class CMarkupBlock : public std::enable_shared_from_this<CMarkupBlock> {
 public:
  CMarkupBlock(CMarkupBlockOwner* pageCollection, std::string_view tagPrefix, int blockID);
  CMarkupBlock(CMarkupBlockOwner* pageCollection, std::string_view tagPrefix, int blockID,
               const host::AVRect& deviceRect, const CMarkupBlockProperties& sourceList);
  CMarkupBlock(CMarkupBlockOwner* pageCollection, int blockID, const CMarkupBlock& source);
  CMarkupBlock(const CMarkupBlock&) = delete;
  CMarkupBlock& operator=(const CMarkupBlock&) = delete;
  ~CMarkupBlock();

  // --- Geometry ------------------------------------------------------------
  // Sets the device rectangle and derives the page rectangle from it.
  void BlockRect(const host::AVRect& deviceRect);
  // The device rectangle for the current zoom and scroll.
  const host::AVRect& BlockRect();
  // The device rectangle as last derived, without re-deriving.
  const host::AVRect& StoredBlockRect() const { return deviceRect_; }
  void SetDeviceRect(const host::AVRect& deviceRect) { deviceRect_ = deviceRect; }
  void BlockRectFx(const host::ASFixedRect& pageRect);
  const host::ASFixedRect& BlockRectFx() const { return pageRect_; }
  void UpdateBlockCoordiantesProperty();
  void FitToZoom();
  void UpdateBlocksPosition();
  void MoveBlock(const host::AVRect& deviceRect);
  void MoveBlock(std::int64_t dx, std::int64_t dy);
  void UpdateBlocksRect(const host::AVRect& deviceRect, bool compare);
  int CreateNewBlock(const host::AVRect& deviceRect, bool keepRect);
  int CreateBlock();
  void ImportBlock(const CMarkupBlock* source, ImportMode importMode);
  bool IsBelongsPageView(const host::AVPageView* view) const { return pageView_ == view; }
  // Takes the text properties from the page text under the block; the index
  // of the element taken, or -1.
  int FindCoveredText(const host::PDEContentRef& content);
  // -1 outside the block, 0 to 7 on a handle, 8 inside on no handle.
  int GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y);

  // --- State -----------------------------------------------------------------
  int BlockID() const { return blockID_; }
  void BlockID(int blockID);
  std::string BlockName() const;
  std::u16string BlockUnicodeName() const;
  const std::string& BlockTagPrefix() const { return tagPrefix_; }
  void EnsureUniqBlockName(std::string_view separator);
  bool Lock() const;
  void Lock(bool flag);
  int GetLockState() const { return Lock() ? 1 : 2; }
  bool Selected() const { return selected_; }
  void Selected(bool flag) { selected_ = flag; }
  bool SelectedGroup() const { return selectedInGroup_; }
  void SelectedGroup(bool flag) { selectedInGroup_ = flag; }
  bool Deleted() const { return deleted_; }
  void Deleted(bool flag) { deleted_ = flag; }
  void Blink(int count) { blinkCount_ = count; }
  int Blink() const { return blinkCount_; }
  bool IsBlinking() const { return blinkCount_ > 0; }
  void Validate(bool flag) { validated_ = flag; }
  bool Validate() const { return validated_; }
  void DeleteBlock(bool flag);
  void ShowBoundAnnotation(bool show);
  int PageNumber() const { return pageNumber_; }
  ImportMode GetImportMode() const { return importMode_; }
  int ImportState() const { return importState_; }

  CMarkupBlockProperties* PropertyList() const { return properties_.get(); }
  CMarkupBlockProperties* GetPropertyList() const { return properties_.get(); }
  // Puts list in place of the block's list and hands back the old one (a
  // null list changes nothing and answers null).
  std::unique_ptr<CMarkupBlockProperties> PropertyList(std::unique_ptr<CMarkupBlockProperties> list);
  // Reads the list from the block dictionary stored under storedName on the
  // block's page: 0, or -1 when it cannot be read.
  int ReadStoredPropertyList(std::string_view storedName);
  // The same from a block dictionary of the page the caller found.
  int ReadStoredPropertyList(const host::CosObj& blockDict);
  // Writes the block into the Blocks dictionary of a block tree being built
  // (see CMarkupBlockPropertyCosDict::UpdateBlockCosDict): 0, or -1.
  int UpdateBlocksProperties(const host::CosObj& blocks);
  // Class of the block from its Subtype (Text 0x1, Image 0x100, PDF 0x200, else -1).
  PropertyClass BlockClass() const { return properties_->PropertyListClass(); }

  host::PDDoc* pdDoc() const;
  host::AVPageView* PageView() const { return pageView_; }
  CMarkupBlockOwner* PageCollectionRefernce() const { return pageCollection_; }
  CMarkupBlock* Family() { return this; }

  CMarkupBlockDraw& Drawer() const { return *drawer_; }
  CMarkupBlockPropertyCosDict& Storage() const { return *storage_; }
  CMarkupBlockPropertyDependence& CoveredText() const { return *coveredText_; }

 private:
  void InitializeBlock(host::AVPageView* view, std::string_view tagPrefix, int blockID, const host::AVRect& deviceRect);
  void MarkChanged();

  int pageNumber_ = -1;
  int blockID_ = 0;
  int blinkCount_ = 0;
  bool validated_ = false;
  bool selected_ = false;
  bool selectedInGroup_ = false;
  bool deleted_ = false;
  std::string tagPrefix_;
  host::ASFixedRect pageRect_;
  ImportMode importMode_ = 0;
  int importState_ = 0;
  std::unique_ptr<CMarkupBlockProperties> properties_;
  CMarkupBlockOwner* pageCollection_ = nullptr;
  host::AVPageView* pageView_ = nullptr;
  host::AVRect deviceRect_;
  std::unique_ptr<CMarkupBlockDraw> drawer_;
  std::unique_ptr<CMarkupBlockPropertyCosDict> storage_;
  std::unique_ptr<CMarkupBlockPropertyDependence> coveredText_;
};
