// The two halves of copying blocks from one page to another: an export group
// refers to the blocks of one source page, an import group makes copies of
// them on a destination page, in the same document or in another one.
#pragma once

#include "blocktool/collections/MarkupBlocksGroup.h"
#include "host/AV.h"

class CMarkupPageCollection;
class CMarkupDocCollection;

// ImportMode bits.
inline constexpr int kImportAsImported = 0x1;       // copies are finished as imported blocks
inline constexpr int kImportSelectedOnly = 0x10;    // only the selected blocks of a source page
inline constexpr int kImportAllBlocks = 0x20;       // the all-blocks choice of the dialogs
inline constexpr int kImportRepeatSources = 0x1000; // source pages start again when they run out
inline constexpr int kImportReplace = 0x2000;       // a destination page's blocks go first

// The collection of the document, registered on first use; null when the
// document has no page view.
CMarkupDocCollection* DocCollectionOf(host::AVDoc* doc);
// The collection of a page of the document, loaded on first use; null when
// the page cannot be loaded or its block format is not supported.
CMarkupPageCollection* LoadedPageCollection(host::AVDoc* doc, int page);
// The crop box of the page the document's view shows.
host::ASFixedRect CurrentCropBox(host::AVDoc* doc);

class CMarkupBlocksExportGroup : public CMarkupBlocksGroup {
 public:
  // Fills the group with the blocks of the page (only its selection with
  // mode bit 0x10). The document's view is left on that page, so that its
  // crop box and conversions are those of the exported page until the caller
  // puts the view back. 0, or -1 without a document.
  int ExportGroupFromDocument(host::AVDoc* doc, int page, int mode);

  host::AVDoc* Document() const { return doc_; }
  host::AVPageView* PageView() const { return view_; }
  int PageNumber() const { return page_; }
  CMarkupPageCollection* PageCollection() const { return collection_; }
  // The crop box of the exported page.
  const host::ASFixedRect& CropBox() const { return cropBox_; }

 private:
  host::AVDoc* doc_ = nullptr;
  host::ASFixedRect cropBox_;
  host::AVPageView* view_ = nullptr;
  int page_ = -1;
  CMarkupPageCollection* collection_ = nullptr;
};

class CMarkupBlocksImportGroup {
 public:
  explicit CMarkupBlocksImportGroup(const CMarkupBlocksExportGroup& source) : source_(source) {}

  // Copies the export group's blocks onto the page of the document: names
  // made unique with ".", copies not bound to form fields. With mode bit
  // 0x2000 the page's unlocked blocks are deleted first, as one undo step;
  // the copies themselves cannot be undone. The number of copies made.
  int ImportGroupToDocument(host::AVDoc* doc, int page, int mode);

 private:
  const CMarkupBlocksExportGroup& source_;
};
