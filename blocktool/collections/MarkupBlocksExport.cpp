#include "blocktool/collections/MarkupBlocksExport.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"

namespace {

constexpr const char* kCopySeparator = ".";

// The next ID on the page for a copy of a block from another document: above
// both the page's last ID and the source block's, while IDs last.
int NextImportedID(CMarkupPageCollection& page, int sourceID) {
  const int highest = std::max(page.BlockID(), sourceID);
  if (highest >= INT_MAX - 1) return page.NewBlockID();
  page.BlockID(highest + 1);
  return highest + 1;
}

host::ASFixedRect Shifted(const host::ASFixedRect& rect, const host::ASFixedRect& from, const host::ASFixedRect& to) {
  const std::int64_t dx = std::int64_t{to.left} - from.left;
  const std::int64_t dy = std::int64_t{to.top} - from.top;
  auto move = [](host::ASFixed v, std::int64_t d) {
    return static_cast<host::ASFixed>(std::clamp<std::int64_t>(v + d, INT_MIN, INT_MAX));
  };
  return {move(rect.left, dx), move(rect.top, dy), move(rect.right, dx), move(rect.bottom, dy)};
}

// A copy is never bound to the form field its source was made from.
void Unbind(CMarkupBlock& copy) {
  CMarkupProperties* acroForm = copy.PropertyList()->GetProperty("AcroForm");
  if (acroForm && !acroForm->TagCosObj().IsNull()) acroForm->TagCosObj(host::CosObj());
}

void DeleteUnlockedBlocks(CMarkupPageCollection& page) {
  page.SelectAll();
  page.DeleteSelectedGroup();
}

}  // namespace

CMarkupDocCollection* DocCollectionOf(host::AVDoc* doc) {
  if (!doc || !pMrkupCollectionMap) return nullptr;
  if (CMarkupDocCollection* found = pMrkupCollectionMap->FindDocument(doc)) return found;
  return pMrkupCollectionMap->NewDocument(doc);
}

CMarkupPageCollection* LoadedPageCollection(host::AVDoc* doc, int page) {
  CMarkupDocCollection* collection = DocCollectionOf(doc);
  if (!collection) return nullptr;
  CMarkupPageCollection* pageCollection = collection->PageCollection(page);
  if (!pageCollection) {
    collection->AcquirePages(page, page);
    pageCollection = collection->PageCollection(page);
  }
  if (!pageCollection || !pageCollection->IsSupportedBlockSpecVersion()) return nullptr;
  return pageCollection;
}

host::ASFixedRect CurrentCropBox(host::AVDoc* doc) {
  host::AVPageView* view = doc ? doc->GetPageView() : nullptr;
  if (!view) return {};
  const host::PDPage page = view->AcquirePage();
  return page.IsNull() ? host::ASFixedRect() : page->CropBox();
}

// --- CMarkupBlocksExportGroup ------------------------------------------------------

int CMarkupBlocksExportGroup::ExportGroupFromDocument(host::AVDoc* doc, int page, int mode) {
  Clear();
  collection_ = nullptr;
  if (!doc) return -1;
  doc_ = doc;
  view_ = doc->GetPageView();
  page_ = page;
  if (!view_) return 0;
  try {
    if (view_->GetPageNum() != page) view_->SetPageNum(page);
    cropBox_ = CurrentCropBox(doc);
    collection_ = LoadedPageCollection(doc, page);
  } catch (...) {
    // A page that cannot be shown contributes no blocks.
    collection_ = nullptr;
  }
  if (!collection_) return 0;
  if (mode & kImportSelectedOnly) {
    CopyGroup(collection_->SelectedGroup());
  } else {
    CopyGroup(*collection_);
  }
  return 0;
}

// --- CMarkupBlocksImportGroup ------------------------------------------------------

int CMarkupBlocksImportGroup::ImportGroupToDocument(host::AVDoc* doc, int page, int mode) {
  if (!doc) return 0;
  host::AVPageView* view = doc->GetPageView();
  if (!view) return 0;
  CMarkupPageCollection* destination = nullptr;
  try {
    // The copies are placed through the view, so it shows their page.
    if (view->GetPageNum() != page) view->SetPageNum(page);
    destination = LoadedPageCollection(doc, page);
  } catch (...) {
    destination = nullptr;
  }
  if (!destination) return 0;

  const bool sameView = source_.PageView() == view;
  const host::ASFixedRect destinationCrop = CurrentCropBox(doc);
  std::vector<BlockRef> sources;
  for (const auto& [id, block] : source_.Entries()) {
    if (block) sources.push_back(block);
  }

  int count = 0;
  {
    host::AVPageViewOperation suspended(*view);  // no drawing while blocks arrive
    if (mode & kImportReplace) DeleteUnlockedBlocks(*destination);
    for (const BlockRef& block : sources) {
      std::shared_ptr<CMarkupBlock> copy;
      host::ASFixedRect pageRect;
      if (sameView) {
        pageRect = block->BlockRectFx();
        copy = std::make_shared<CMarkupBlock>(destination, destination->NewBlockID(), *block);
      } else {
        block->FitToZoom();
        pageRect = Shifted(block->BlockRectFx(), source_.CropBox(), destinationCrop);
        copy = std::make_shared<CMarkupBlock>(destination, block->BlockTagPrefix(),
                                              NextImportedID(*destination, block->BlockID()),
                                              view->RectToDevice(pageRect), *block->PropertyList());
      }
      copy->BlockRectFx(pageRect);
      copy->EnsureUniqBlockName(kCopySeparator);
      copy->ImportBlock(block.get(), mode);
      // Placing the copy through device pixels must not move it.
      copy->BlockRectFx(pageRect);
      copy->UpdateBlockCoordiantesProperty();
      Unbind(*copy);
      destination->AddBlock(copy);
      ++count;
    }
  }
  if (count > 0) view->Invalidate(nullptr);
  return count;
}
