#include "blocktool/host/MarkupBlockDraw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/MarkupBlock.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

host::AVPageViewDrawProc drawMarkupContentBlocksProc = nullptr;

namespace {

constexpr int kZoomLimitMessage = 1095;
constexpr int kDrawerSuiteVersion = 4;
constexpr int kSmallDialogFont = 5;
// The banner reaches this far past the name, and the name sits this far
// inside the banner.
constexpr std::int64_t kBannerInset = 2;
constexpr std::int64_t kBannerPadding = 5;
constexpr int kNameInset = 3;

host::AVDevCoord Clamp(std::int64_t v) {
  return static_cast<host::AVDevCoord>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

host::AVRect Handle(std::int64_t left, std::int64_t top) {
  const std::int64_t size = CMarkupBlockDraw::kHandleSize;
  return {Clamp(left), Clamp(top), Clamp(left + size), Clamp(top + size)};
}

// A device rectangle in the drawer's space: the aperture's top-left corner
// is the drawer's origin.
host::ADMRect ToDrawer(const host::AVRect& r, const host::AVRect& origin) {
  return {Clamp(std::int64_t{r.top} - origin.top), Clamp(std::int64_t{r.left} - origin.left),
          Clamp(std::int64_t{r.bottom} - origin.top), Clamp(std::int64_t{r.right} - origin.left)};
}

// The dialog manager's drawer on a page view's port for one drawing pass.
class PassDrawer {
 public:
  PassDrawer(host::AVPageView& view, const host::AVRect& pageArea, const host::AVRect& aperture) : view_(view) {
    if (!gAcroViewSweetPeaHFT) return;
    suite_ = static_cast<host::ADMDrawerSuite*>(
        gAcroViewSweetPeaHFT->AcquireSuite(host::adm::kDrawerSuite, kDrawerSuiteVersion));
    if (!suite_) return;
    try {
      port_ = view_.AcquirePlatformPort();
      const int width = static_cast<int>(std::max(Width(pageArea), Width(aperture)));
      const int height = static_cast<int>(std::max(Height(pageArea), Height(aperture)));
      drawer_ = suite_->Create(port_, {0, 0, height, width}, kSmallDialogFont);
      if (drawer_) drawer_->SetOrigin({0, 0});
    } catch (...) {
      Release();
      throw;
    }
  }
  ~PassDrawer() { Release(); }
  PassDrawer(const PassDrawer&) = delete;
  PassDrawer& operator=(const PassDrawer&) = delete;

  host::ADMDrawer* Drawer() const { return drawer_; }

 private:
  static std::int64_t Width(const host::AVRect& r) {
    return std::clamp<std::int64_t>(std::int64_t{r.right} - r.left, 0, INT32_MAX);
  }
  static std::int64_t Height(const host::AVRect& r) {
    return std::clamp<std::int64_t>(std::int64_t{r.bottom} - r.top, 0, INT32_MAX);
  }

  void Release() noexcept {
    try {
      if (drawer_) suite_->Destroy(drawer_);
      if (port_) view_.ReleasePlatformPort(port_);
      if (suite_) gAcroViewSweetPeaHFT->ReleaseSuite(suite_);
    } catch (...) {
      // Releasing cannot be refused in any way that matters here.
    }
    drawer_ = nullptr;
    port_ = nullptr;
    suite_ = nullptr;
  }

  host::AVPageView& view_;
  host::ADMDrawerSuite* suite_ = nullptr;
  void* port_ = nullptr;
  host::ADMDrawer* drawer_ = nullptr;
};

}  // namespace

// --- One block ---------------------------------------------------------------------

void CMarkupBlockDraw::ValidateBlockAVRect() {
  if (host::AVPageView* view = block_.PageView()) block_.SetDeviceRect(view->RectToDevice(block_.BlockRectFx()));
  PlaceHandles(block_.StoredBlockRect());
}

void CMarkupBlockDraw::PlaceHandles(const host::AVRect& rect) {
  const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  const std::int64_t size = kHandleSize;
  const std::int64_t middleX = (l + r - size) / 2;
  const std::int64_t middleY = (t + b - size) / 2;
  handles_ = {Handle(l, t),        Handle(middleX, t),        Handle(r - size, t),
              Handle(r - size, middleY), Handle(r - size, b - size), Handle(middleX, b - size),
              Handle(l, b - size), Handle(l, middleY)};
}

int CMarkupBlockDraw::GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) {
  ValidateBlockAVRect();
  if (!CService::PointInRect(block_.StoredBlockRect(), x, y)) return -1;
  for (int i = 0; i < kHandleCount; ++i) {
    if (CService::PointInRect(handles_[i], x, y)) return i;
  }
  return kInsideBlock;
}

void CMarkupBlockDraw::SetBannerRGBColorRec(host::RGBColor16& color) const {
  switch (block_.BlockClass()) {
    case PropText:
      color = block_colors::kTextBanner;
      break;
    case PropImage:
      color = block_colors::kImageBanner;
      break;
    case PropPDF:
      color = block_colors::kPDFBanner;
      break;
    default:
      color = block_colors::kUnknownKindBanner;
      break;
  }
}

// The state colour, or purple in the first part of each blink; every call
// is one drawing pass of the blink.
host::RGBColor16 CMarkupBlockDraw::FrameColor() {
  host::RGBColor16 color = block_colors::kUnselected;
  if (block_.Selected()) {
    color = block_colors::kSelectedBlock;
  } else if (block_.SelectedGroup()) {
    color = block_colors::kInSelection;
  }
  if (block_.IsBlinking()) {
    ++blinkCounter_;
    if (blinkCounter_ <= kBlinkPurplePasses) color = block_colors::kBlinking;
    if (blinkCounter_ >= kPassesPerBlink) {
      blinkCounter_ = 0;
      block_.Blink(block_.Blink() - 1);
    }
  }
  return color;
}

bool CMarkupBlockDraw::DrawBlock(host::ADMDrawer& drawer, const host::AVRect& origin) {
  try {
    ValidateBlockAVRect();
    Paint(drawer, origin, FrameColor());
    return true;
  } catch (...) {
    // Once per block: the next passes draw the other blocks without asking
    // the user again (the host shows the alert after painting).
    if (!failureReported_) {
      failureReported_ = true;
      Service.ExceptionAlert("Draw block name");
    }
    return false;
  }
}

void CMarkupBlockDraw::Paint(host::ADMDrawer& drawer, const host::AVRect& origin, const host::RGBColor16& frame) {
  const host::AVRect& rect = block_.StoredBlockRect();
  drawer.SetRGBColor(frame);
  const std::u16string name = block_.BlockUnicodeName();
  const std::int64_t fontHeight = drawer.GetFontHeight();
  const std::int64_t nameWidth = drawer.GetTextWidthW(name);

  drawer.FrameRect(ToDrawer(rect, origin));
  if (block_.Selected() || block_.SelectedGroup()) {
    for (const host::AVRect& handle : handles_) drawer.FillRect(ToDrawer(handle, origin));
  }

  const std::int64_t left = std::int64_t{rect.left} + kBannerInset;
  const std::int64_t top = std::int64_t{rect.top} + kBannerInset;
  const host::AVRect banner{Clamp(left), Clamp(top), Clamp(left + nameWidth + kBannerPadding),
                            Clamp(top + fontHeight + kBannerInset)};
  host::RGBColor16 bannerColor;
  SetBannerRGBColorRec(bannerColor);
  drawer.SetRGBColor(bannerColor);
  drawer.FillRect(ToDrawer(banner, origin));

  drawer.SetRGBColor(block_colors::kName);
  host::ADMRect nameBox = ToDrawer(banner, origin);
  nameBox.left += kNameInset;
  nameBox.top += kNameInset;
  drawer.DrawTextInBoxW(nameBox, name);
}

// --- The page ------------------------------------------------------------------------

void InformZoomLimit(bool pageHasBlocks) {
  if (bMaxZoomLimitationInformed) return;
  bMaxZoomLimitationInformed = 1;
  if (pageHasBlocks && gAcroViewHFT) gAcroViewHFT->AlertNote(Service.GetStringByID(kZoomLimitMessage));
}

void CMarkupPageCollection::RedrawAll() {
  if (GetSize() == 0 || !pageView_) return;
  host::AVRect pageArea;
  host::AVRect aperture;
  try {
    pageArea = pageView_->GetGrayRect();
    aperture = pageView_->GetAperture();
  } catch (...) {
    InformZoomLimit(HasValidBlocks());
    return;
  }
  try {
    PassDrawer pass(*pageView_, pageArea, aperture);
    if (host::ADMDrawer* drawer = pass.Drawer()) DrawEveryBlock(*drawer, aperture);
  } catch (...) {
    Service.ExceptionAlert("RedrawAll");
  }
}

void CMarkupPageCollection::DrawEveryBlock(host::ADMDrawer& drawer, const host::AVRect& aperture) {
  // Entries are collected first: an alert shown outside a paint runs the
  // interface, and a command run meanwhile may change the page's blocks.
  std::vector<BlockRef> blocks;
  blocks.reserve(Entries().size());
  for (const auto& [id, block] : Entries()) {
    if (block) blocks.push_back(block);
  }
  for (const BlockRef& block : blocks) {
    block->Drawer().DrawBlock(drawer, aperture);
    // The host keeps drawing a blinking block until its blinks are over.
    if (block->IsBlinking()) {
      const host::AVRect& rect = block->StoredBlockRect();
      pageView_->Invalidate(&rect);
    }
  }
}

void DrawMarkUpBlocks(host::AVPageView* view, const host::AVRect*, void* clientData) {
  if (clientData != MarkupToolClientData() || bRepagingInProgress || !view) return;
  try {
    const int page = view->GetPageNum();
    if (page < 0) return;
    CMarkupPageCollection* collection = Service.GetDocMarkupPageCollection(view->GetAVDoc());
    if (!collection) return;
    host::AVPageViewOperation drawing(*view);
    view->SetPageNum(page);
    collection->RedrawAll();
  } catch (...) {
    Service.ExceptionAlert("DrawMarkUpBlocks");
  }
}
