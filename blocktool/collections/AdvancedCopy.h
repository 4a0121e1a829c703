// The block clipboard of Cut, Copy and Paste. It holds snapshots of blocks
// (page rectangle and a copy of the property list), never the blocks
// themselves: a paste still works after the source blocks were changed or
// deleted and after their document was closed, on any page of any document.
// The host's own clipboard is not used.
#pragma once

#include <memory>
#include <vector>

#include "blocktool/model/MarkupBlockProperties.h"
#include "host/AV.h"
#include "host/HostTypes.h"

class CMarkupBlock;

// One copied block.
class CBlockShadow {
 public:
  // The list is copied as it is except for its binding to a form field: a
  // pasted block is never bound to its source's field.
  CBlockShadow(const host::ASFixedRect& rect, const CMarkupBlockProperties& list);
  const host::ASFixedRect& Rect() const { return rect_; }
  const CMarkupBlockProperties& PropertyList() const { return *properties_; }

 private:
  host::ASFixedRect rect_;
  std::unique_ptr<CMarkupBlockProperties> properties_;
};

class CAdvancedCopy {
 public:
  // Forgets every snapshot and both crop boxes.
  void Clear();
  int GetSize() const { return static_cast<int>(shadows_.size()); }
  const std::vector<std::unique_ptr<CBlockShadow>>& Shadows() const { return shadows_; }

  void CopyGroup(host::AVDoc* doc) { CopySelectedGroup(doc, false); }
  void CutGroup(host::AVDoc* doc) { CopySelectedGroup(doc, true); }
  // Replaces the contents with the selection of the page doc's view shows
  // (emptied even when nothing is selected); a cut then deletes the
  // selection's unlocked blocks as one undo step.
  void CopySelectedGroup(host::AVDoc* doc, bool cut);
  // Adds a copy of every snapshot to the page doc's view shows, at the same
  // distance from the top-left corner of the crop box as its source, with a
  // name unique on the page ("." and a counter), as one undo step. The
  // page's selection stays as it was; the contents stay for the next paste.
  void PasteGroup(host::AVDoc* doc);

 private:
  void PasteShadow(const CBlockShadow& shadow, class CMarkupPageCollection& page, host::AVPageView& view);

  host::ASFixedRect sourceCropBox_{};
  host::ASFixedRect destinationCropBox_{};
  std::vector<std::unique_ptr<CBlockShadow>> shadows_;
};

// The plug-in's one clipboard, emptied when the plug-in unloads.
extern CAdvancedCopy AdvancedCopy;
