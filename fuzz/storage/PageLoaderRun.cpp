#include "PageLoaderRun.h"

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "host/PluginEntry.h"

const host::PIResourceBlob gEmbeddedResources{nullptr, 0};

namespace {

constexpr host::AVDevCoord kPageHeight = 792;

// A page view showing one page at 100 %: device y runs down from the top.
class OnePageView final : public host::AVPageView {
 public:
  explicit OnePageView(host::PDPage page) : page_(std::move(page)) {}
  host::AVDoc* GetAVDoc() const override { return nullptr; }
  host::PDPage AcquirePage() const override { return page_; }
  int GetPageNum() const override { return 0; }
  void SetPageNum(int) override {}
  void GoToPage(int) override {}
  host::ASFixed Zoom() const override { return host::fixedOne; }
  void ZoomTo(host::ASFixed) override {}
  int Rotation() const override { return 0; }
  void SetRotation(int) override {}
  void ScrollTo(host::AVDevCoord, host::AVDevCoord) override {}
  host::AVRect RectToDevice(const host::ASFixedRect& r) const override {
    return {Device(host::FixedToFloat(r.left)), Device(kPageHeight - host::FixedToFloat(r.top)),
            Device(host::FixedToFloat(r.right)), Device(kPageHeight - host::FixedToFloat(r.bottom))};
  }
  host::ASFixedRect DeviceRectToPage(const host::AVRect& r) const override {
    return {host::FloatToFixed(r.left), host::FloatToFixed(kPageHeight - static_cast<double>(r.top)),
            host::FloatToFixed(r.right), host::FloatToFixed(kPageHeight - static_cast<double>(r.bottom))};
  }
  host::AVPoint PointToDevice(const host::ASFixedPoint& p) const override {
    return {Device(host::FixedToFloat(p.h)), Device(kPageHeight - host::FixedToFloat(p.v))};
  }
  host::ASFixedPoint DevicePointToPage(host::AVDevCoord x, host::AVDevCoord y) const override {
    return {host::FloatToFixed(x), host::FloatToFixed(kPageHeight - static_cast<double>(y))};
  }
  host::AVRect GetGrayRect() const override { return {0, 0, 612, kPageHeight}; }
  host::AVRect GetAperture() const override { return {0, 0, 612, kPageHeight}; }
  void BeginOperation() override {}
  void EndOperation() override {}
  void Invalidate(const host::AVRect*) override {}
  void DrawNow() override {}
  void* AcquirePlatformPort() override { return nullptr; }
  void ReleasePlatformPort(void*) override {}
  void DrawRectOutlineWithHandles(const host::AVRect&, bool, bool) override {}
  bool IsMouseStillDown() override { return false; }
  host::AVPoint LastMousePosition() const override { return {}; }
  host::AVRect DragRect(host::AVDevCoord, host::AVDevCoord, const host::AVRect& start, host::AVDragType) override {
    return start;
  }
  host::AVRect SnapDragRect(host::AVDevCoord, host::AVDevCoord, const host::AVRect& start, host::AVDragType,
                            const host::AVRect*, host::AVCursor, host::AVCursor, int*) override {
    return start;
  }
  host::AVMenuItem* DoPopupMenu(host::AVMenu*, host::AVDevCoord, host::AVDevCoord, bool) override { return nullptr; }
  host::PDAnnot AnnotAtPoint(host::AVDevCoord, host::AVDevCoord, host::ASAtom) override { return {}; }
  void InvalidateAnnot(const host::PDAnnot&) override {}

 private:
  // As the viewer does: coordinates beyond what a view serves raise.
  static host::AVDevCoord Device(double v) {
    if (!(v > -1073741824.0 && v < 1073741824.0)) host::RaiseHostError(host::kErrZoomLimit);
    return static_cast<host::AVDevCoord>(v);
  }
  host::PDPage page_;
};

int LoadedBlocks(host::AVPageView& view, bool writeBack) {
  CMarkupPageCollection page(nullptr);
  page.AcquirePageCollection(&view);
  int count = 0;
  for (const auto& [id, block] : page.Entries()) {
    if (!block) continue;
    ++count;
    block->BlockRect();
    block->GetSelectedCursorPos(5, 5);
  }
  if (!page.IsSupportedBlockSpecVersion()) return -1;
  if (writeBack) page.UpdateFamilies();
  return count;
}

}  // namespace

void PreparePageLoader(host::PagePDEContentTable* content, host::ASAtom blockTag) {
  static char extension;
  gPagePDEContentHFT = content;
  gExtensionID = reinterpret_cast<host::ExtensionID>(&extension);
  atDefaultPrefixName = blockTag;
}

void RunPageLoader(const host::PDPage& page) {
  OnePageView view(page);
  const int first = LoadedBlocks(view, true);
  if (first < 0) return;
  // Whether the write succeeded or kept the old tree, no block is lost.
  if (LoadedBlocks(view, false) != first) __builtin_trap();
}
