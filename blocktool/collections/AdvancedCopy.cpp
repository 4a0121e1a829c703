#include "blocktool/collections/AdvancedCopy.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/MarkupBlock.h"
#include "blocktool/model/Service.h"

CAdvancedCopy AdvancedCopy;

namespace {

// The crop box of the page the document's view shows.
host::ASFixedRect CurrentCropBox(host::AVPageView& view) { return view.AcquirePage()->CropBox(); }

host::ASFixed Shift(host::ASFixed value, std::int64_t by) {
  return static_cast<host::ASFixed>(std::clamp<std::int64_t>(value + by, INT32_MIN, INT32_MAX));
}

}  // namespace

CBlockShadow::CBlockShadow(const host::ASFixedRect& rect, const CMarkupBlockProperties& list)
    : rect_(rect), properties_(std::make_unique<CMarkupBlockProperties>(-1, list)) {
  // The snapshot holds nothing of the source's document, which may close
  // before the paste.
  if (CMarkupProperties* acroForm = properties_->GetProperty("AcroForm"); acroForm && !acroForm->TagCosObj().IsNull()) {
    acroForm->TagCosObj(host::CosObj());
  }
}

void CAdvancedCopy::Clear() {
  shadows_.clear();
  sourceCropBox_ = {};
  destinationCropBox_ = {};
}

void CAdvancedCopy::CopySelectedGroup(host::AVDoc* doc, bool cut) {
  if (!doc) return;
  Clear();
  try {
    host::AVPageView* view = doc->GetPageView();
    if (!view) return;
    sourceCropBox_ = CurrentCropBox(*view);
    CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(doc);
    if (!page) return;
    const CMarkupSelectionGroup& selection = page->SelectedGroup();
    for (int i = 0; i < selection.GetSize(); ++i) {
      if (const CMarkupBlock* block = selection.GetNthBlock(i)) {
        shadows_.push_back(std::make_unique<CBlockShadow>(block->BlockRectFx(), *block->PropertyList()));
      }
    }
    if (cut) page->DeleteSelectedGroup();
  } catch (...) {
    Service.ExceptionAlert("CopySelectedGroup");
  }
}

void CAdvancedCopy::PasteGroup(host::AVDoc* doc) {
  if (!doc) return;
  try {
    host::AVPageView* view = doc->GetPageView();
    if (!view || view->GetPageNum() < 0) return;
    CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(doc);
    if (!page) return;
    destinationCropBox_ = CurrentCropBox(*view);
    host::AVPageViewOperation suspended(*view);  // drawing waits until the paste is complete
    page->ActivateBackupGroup();
    for (const std::unique_ptr<CBlockShadow>& shadow : shadows_) PasteShadow(*shadow, *page, *view);
    page->SetUndoBackupGroup();
  } catch (...) {
    Service.ExceptionAlert("PasteGroup");
  }
}

void CAdvancedCopy::PasteShadow(const CBlockShadow& shadow, CMarkupPageCollection& page, host::AVPageView& view) {
  // The same distance from the crop box's top-left corner as the source.
  const std::int64_t dx = std::int64_t{destinationCropBox_.left} - sourceCropBox_.left;
  const std::int64_t dy = std::int64_t{destinationCropBox_.top} - sourceCropBox_.top;
  const host::ASFixedRect& from = shadow.Rect();
  const host::ASFixedRect pageRect{Shift(from.left, dx), Shift(from.top, dy), Shift(from.right, dx),
                                   Shift(from.bottom, dy)};
  const host::AVRect deviceRect = view.RectToDevice(pageRect);

  const int id = page.NewBlockID();
  auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, id, deviceRect, shadow.PropertyList());
  std::string name;
  Service.CreateSafeUniqBlockName(page, block->BlockName(), name, id, ".", true);
  block->PropertyList()->UpdateProperty("Name", std::string_view(name));
  block->CreateNewBlock(deviceRect, true);
  // The page rectangle is taken exactly: device pixels would round it. A
  // block that moved gets its Rect text anew; one that did not keeps its
  // source's text.
  block->BlockRectFx(pageRect);
  if (dx != 0 || dy != 0) block->PropertyList()->UpdateProperty("Rect", "");
  block->UpdateBlockCoordiantesProperty();
  if (CMarkupProperties* acroForm = block->PropertyList()->GetProperty("AcroForm");
      acroForm && !acroForm->TagCosObj().IsNull()) {
    acroForm->TagCosObj(host::CosObj());
  }
  page.AddBlock(block);
  page.AddBlockForBackup(*block, kBackupExistence);
}
