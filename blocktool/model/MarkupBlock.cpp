#include "blocktool/model/MarkupBlock.h"

#include <cmath>

#include "blocktool/host/MarkupBlockDraw.h"
#include "blocktool/host/MarkupBlockPropertyDep.h"
#include "blocktool/model/MarkupBlockPropertyCosDict.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace {

// Stored coordinates that do not fit 16.16 cannot be a page position.
bool FitsPage(const std::vector<float>& values) {
  for (float v : values) {
    if (!host::FitsFixed(v)) return false;
  }
  return true;
}

class WaitCursor {
 public:
  WaitCursor() {
    if (gAcroViewHFT) gAcroViewHFT->ShowWaitCursor(true);
  }
  ~WaitCursor() {
    if (gAcroViewHFT) gAcroViewHFT->ShowWaitCursor(false);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

host::CosObj CMarkupBlockOwner::GetPageCosObj() const {
  host::AVPageView* view = GetPageView();
  if (!view) return {};
  const host::PDPage page = view->AcquirePage();
  return page.IsNull() ? host::CosObj() : page->GetCosObj();
}

CMarkupBlock::CMarkupBlock(CMarkupBlockOwner* pageCollection, std::string_view tagPrefix, int blockID)
    : properties_(std::make_unique<CMarkupBlockProperties>(blockID)), pageCollection_(pageCollection) {
  InitializeBlock(pageCollection ? pageCollection->GetPageView() : nullptr, tagPrefix, blockID, {});
}

CMarkupBlock::CMarkupBlock(CMarkupBlockOwner* pageCollection, std::string_view tagPrefix, int blockID,
                           const host::AVRect& deviceRect, const CMarkupBlockProperties& sourceList)
    : properties_(std::make_unique<CMarkupBlockProperties>(blockID, sourceList)), pageCollection_(pageCollection) {
  InitializeBlock(pageCollection ? pageCollection->GetPageView() : nullptr, tagPrefix, blockID, deviceRect);
}

CMarkupBlock::CMarkupBlock(CMarkupBlockOwner* pageCollection, int blockID, const CMarkupBlock& source)
    : properties_(std::make_unique<CMarkupBlockProperties>(blockID, *source.properties_)),
      pageCollection_(pageCollection) {
  InitializeBlock(source.pageView_, source.tagPrefix_, blockID, source.deviceRect_);
}

CMarkupBlock::~CMarkupBlock() = default;

void CMarkupBlock::InitializeBlock(host::AVPageView* view, std::string_view tagPrefix, int blockID,
                                   const host::AVRect& deviceRect) {
  pageView_ = view;
  pageNumber_ = view ? view->GetPageNum() : -1;
  BlockRect(deviceRect);
  tagPrefix_ = tagPrefix;
  blockID_ = blockID;
  blinkCount_ = 0;
  deleted_ = selected_ = selectedInGroup_ = false;
  importMode_ = 0;
  importState_ = 0;
  drawer_ = std::make_unique<CMarkupBlockDraw>(*this);
  storage_ = std::make_unique<CMarkupBlockPropertyCosDict>(*this);
  coveredText_ = std::make_unique<CMarkupBlockPropertyDependence>(*this);
  MarkChanged();
}

void CMarkupBlock::MarkChanged() {
  validated_ = false;
  if (pageCollection_) pageCollection_->Validate(false);
}

void CMarkupBlock::BlockRect(const host::AVRect& deviceRect) {
  deviceRect_ = deviceRect;
  if (pageView_) pageRect_ = pageView_->DeviceRectToPage(deviceRect);
}

const host::AVRect& CMarkupBlock::BlockRect() {
  drawer_->ValidateBlockAVRect();
  return deviceRect_;
}

void CMarkupBlock::BlockRectFx(const host::ASFixedRect& pageRect) {
  pageRect_ = pageRect;
  drawer_->ValidateBlockAVRect();
}

void CMarkupBlock::UpdateBlockCoordiantesProperty() {
  float fresh[4] = {static_cast<float>(host::FixedToFloat(pageRect_.left)),
                    static_cast<float>(host::FixedToFloat(pageRect_.bottom)),
                    static_cast<float>(host::FixedToFloat(pageRect_.right)),
                    static_cast<float>(host::FixedToFloat(pageRect_.top))};
  std::vector<float> stored;
  if (const CMarkupProperties* rect = properties_->GetProperty("Rect")) rect->ParseFloatSequence(stored, false);
  // Device rounding must not make the stored position drift.
  for (std::size_t i = 0; i < stored.size() && i < 4; ++i) {
    if (std::fabs(stored[i] - fresh[i]) <= 0.5f) fresh[i] = stored[i];
  }
  std::string text;
  for (float v : fresh) {
    if (!text.empty()) text += ' ';
    text += Service.GetFloatAsLocal(korvid::numbers::FormatFixed(v, 2));
  }
  properties_->UpdateProperty("Rect", std::string_view(text));
  MarkChanged();
}

void CMarkupBlock::FitToZoom() {
  const CMarkupProperties* rect = properties_->GetProperty("Rect");
  if (!rect) return;
  std::vector<float> values;
  if (rect->ParseFloatSequence(values, false) != 4 || !FitsPage(values)) return;
  const host::ASFixedRect pageRect{host::FloatToFixed(values[0]), host::FloatToFixed(values[3]),
                                   host::FloatToFixed(values[2]), host::FloatToFixed(values[1])};
  // The page rectangle is set exactly and the device rectangle follows it;
  // going through device pixels would round the stored position at every
  // zoom change.
  BlockRectFx(pageRect);
}

void CMarkupBlock::UpdateBlocksPosition() {
  if (CMarkupProperties* rect = properties_->GetProperty("Rect"); rect && rect->Invalidated()) {
    rect->Invalidated(false);
    FitToZoom();
  }
  MarkChanged();
}

void CMarkupBlock::MoveBlock(const host::AVRect& deviceRect) {
  const host::AVRect target = deviceRect;
  BlockRect();
  UpdateBlocksRect(target, false);
  MarkChanged();
}

void CMarkupBlock::MoveBlock(std::int64_t dx, std::int64_t dy) {
  if (dx == 0 && dy == 0) return;
  host::AVRect moved = BlockRect();
  CService::OffsetRect(moved, dx, dy);
  UpdateBlocksRect(moved, false);
  MarkChanged();
}

void CMarkupBlock::UpdateBlocksRect(const host::AVRect& deviceRect, bool compare) {
  const host::AVRect target = deviceRect;
  BlockRect();
  if (compare && CService::EqualRect(target, deviceRect_, 2)) {
    MarkChanged();
    return;
  }
  // A moved or resized block keeps its text properties.
  const host::ASBool detect = bDetectUnderFonts;
  bDetectUnderFonts = 0;
  DeleteBlock(true);
  CreateNewBlock(target, false);
  bDetectUnderFonts = detect;
}

int CMarkupBlock::CreateNewBlock(const host::AVRect& deviceRect, bool keepRect) {
  BlockRect(deviceRect);
  const int result = CreateBlock();
  if (result == 0 && !keepRect) UpdateBlockCoordiantesProperty();
  MarkChanged();
  return result;
}

int CMarkupBlock::CreateBlock() {
  if (!pageView_ || !gPagePDEContentHFT) return -1;
  WaitCursor wait;
  int result = -1;
  host::PDPage page;
  try {
    page = pageView_->AcquirePage();
    const host::PDEContentRef content = gPagePDEContentHFT->AcquirePageContent(page, gExtensionID);
    if (content) {
      result = 0;
      if (bDetectUnderFonts && importState_ == 0) FindCoveredText(content);
    }
    gPagePDEContentHFT->ReleasePageContent(page, gExtensionID);
  } catch (...) {
    Service.ExceptionAlert("CreateBlock");
    result = -1;
  }
  return result;
}

void CMarkupBlock::ImportBlock(const CMarkupBlock*, ImportMode importMode) {
  importMode_ = importMode;
  if (importMode & 0x1) {
    importState_ = 2;
    const host::AVRect rect = BlockRect();
    CreateNewBlock(rect, false);
  }
  MarkChanged();
}

void CMarkupBlock::BlockID(int blockID) {
  blockID_ = blockID;
  properties_->UpdateProperty("ID", blockID);
}

std::string CMarkupBlock::BlockName() const {
  const CMarkupProperties* name = properties_->GetProperty("Name");
  return name ? name->TagValue() : std::string();
}

std::u16string CMarkupBlock::BlockUnicodeName() const {
  const CMarkupProperties* name = properties_->GetProperty("Name");
  return name ? name->ASTextValue().UTF16() : std::u16string();
}

void CMarkupBlock::EnsureUniqBlockName(std::string_view separator) {
  if (!pageCollection_) return;
  const std::string unique = pageCollection_->MakeUniqueBlockName(*this, BlockName(), separator);
  properties_->UpdateProperty("Name", std::string_view(unique));
}

bool CMarkupBlock::Lock() const {
  const CMarkupProperties* locked = properties_->GetProperty("Locked");
  return locked && locked->TagBoolValue();
}

void CMarkupBlock::Lock(bool flag) { properties_->UpdateBoolProperty("Locked", flag); }

void CMarkupBlock::DeleteBlock(bool) { MarkChanged(); }

void CMarkupBlock::ShowBoundAnnotation(bool show) {
  const CMarkupProperties* acroForm = properties_->GetProperty("AcroForm");
  if (!acroForm || acroForm->TagCosObj().IsNull() || !pageView_) return;
  host::PDPage page = pageView_->AcquirePage();
  if (page.IsNull()) return;
  host::PDAnnot annot = page->AnnotFromCosObj(acroForm->TagCosObj());
  if (!annot.IsValid()) return;
  int flags = annot.Flags();
  if (show) {
    if (const CMarkupProperties* recorded = properties_->GetProperty("AcroForm_Flags")) {
      recorded->TagIntValue(flags);
    } else {
      flags &= ~host::kPDAnnotHidden;
    }
  } else {
    flags |= host::kPDAnnotHidden;
  }
  annot.SetFlags(flags);
}

int CMarkupBlock::GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) {
  return drawer_->GetSelectedCursorPos(x, y);
}

int CMarkupBlock::ReadStoredPropertyList(std::string_view storedName) {
  const int result = storage_->ReadBlockPropertiesCosDict(storedName, *properties_);
  properties_->ParseTexFlowRuler();
  return result;
}

int CMarkupBlock::ReadStoredPropertyList(const host::CosObj& blockDict) {
  const int result = storage_->ReadBlockPropertiesCosDict(blockDict, *properties_);
  properties_->ParseTexFlowRuler();
  return result;
}

int CMarkupBlock::UpdateBlocksProperties(const host::CosObj& blocks) {
  properties_->ConstructDefaultTextEncoding();
  properties_->ConstructTextFlowRuller();
  Service.NormalizePathProperty(properties_->GetProperty("defaultimage"));
  Service.NormalizePathProperty(properties_->GetProperty("defaultpdf"));
  const int result = storage_->UpdateBlockCosDict(blocks);
  properties_->ParseTexFlowRuler();
  return result;
}

std::unique_ptr<CMarkupBlockProperties> CMarkupBlock::PropertyList(std::unique_ptr<CMarkupBlockProperties> list) {
  if (!list) return nullptr;
  std::swap(list, properties_);
  return list;
}

host::PDDoc* CMarkupBlock::pdDoc() const {
  if (!pageView_ || !pageView_->GetAVDoc()) return nullptr;
  return pageView_->GetAVDoc()->GetPDDoc();
}
