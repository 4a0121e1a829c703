// The Rect value between its stored form (page space, points, y upwards)
// and the form the properties dialog shows (from the top left corner of the
// displayed page, y downwards, in the user's page unit).
#include <algorithm>
#include <cmath>
#include <vector>

#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "host/ADM.h"
#include "host/PluginEntry.h"

namespace {

struct Point {
  double x = 0;
  double y = 0;
};

// The page's crop box in points and its rotation (0, 90, 180, 270).
struct DisplayedPage {
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;
  int rotation = 0;

  DisplayedPage(const host::ASFixedRect& crop, int degrees)
      : left(host::FixedToFloat(std::min(crop.left, crop.right))),
        bottom(host::FixedToFloat(std::min(crop.bottom, crop.top))),
        right(host::FixedToFloat(std::max(crop.left, crop.right))),
        top(host::FixedToFloat(std::max(crop.bottom, crop.top))),
        rotation(((degrees % 360) + 360) % 360) {}

  Point ToScreen(Point p) const {
    switch (rotation) {
      case 90:
        return {p.y - bottom, p.x - left};
      case 180:
        return {right - p.x, p.y - bottom};
      case 270:
        return {top - p.y, right - p.x};
      default:
        return {p.x - left, top - p.y};
    }
  }

  Point FromScreen(Point s) const {
    switch (rotation) {
      case 90:
        return {s.y + left, s.x + bottom};
      case 180:
        return {right - s.x, s.y + bottom};
      case 270:
        return {right - s.y, top - s.x};
      default:
        return {s.x + left, top - s.y};
    }
  }
};

double UnitFactor(int pageUnits) {
  switch (pageUnits) {
    case 1:
      return 1.0 / 72.0;
    case 2:
      return 25.4 / 72.0;
    case 3:
      return 2.54 / 72.0;
    case 4:
      return 6.0 / 72.0;
    default:
      return 1.0;
  }
}

int CurrentPageUnits() { return gAcroViewHFT ? gAcroViewHFT->PageUnits() : 0; }

// The current page of the active document, if any.
host::PDPage ActivePage() {
  if (!gAcroViewHFT) return {};
  host::AVDoc* doc = gAcroViewHFT->GetActiveDoc();
  host::AVPageView* view = doc ? doc->GetPageView() : nullptr;
  return view ? view->AcquirePage() : host::PDPage();
}

}  // namespace

double CService::PointsToPageUnits(double x, int pageUnits) { return x * UnitFactor(pageUnits); }
double CService::PageUnitsToPoints(double x, int pageUnits) { return x / UnitFactor(pageUnits); }

float CService::TransformPointsToCurrentPageUnits(float x) const {
  return static_cast<float>(PointsToPageUnits(x, CurrentPageUnits()));
}

float CService::TransformCurrentPageUnitsToPoints(float x) const {
  return static_cast<float>(PageUnitsToPoints(x, CurrentPageUnits()));
}

namespace {

// Four numbers written "%.2f", made local, separated by blanks. A value
// that rounds to zero is written as 0, never as "-0".
std::string FourNumbers(const CService& service, const double (&v)[4]) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const double rounded = std::fabs(v[i]) < 0.005 ? 0.0 : v[i];
    if (i) text += ' ';
    text += service.GetFloatAsLocal(korvid::numbers::FormatFixed(rounded, 2));
  }
  return text;
}

}  // namespace

std::string CService::RectToUI(std::string_view text, const host::ASFixedRect& cropBox, int rotation,
                               int pageUnits) const {
  std::vector<float> n;
  if (ParseFloatSequence(text, n, false) != 4) return std::string(text);
  const DisplayedPage page(cropBox, rotation);
  const Point a = page.ToScreen({n[0], n[1]});
  const Point b = page.ToScreen({n[2], n[3]});
  const double v[4] = {PointsToPageUnits(std::min(a.x, b.x), pageUnits),
                       PointsToPageUnits(std::min(a.y, b.y), pageUnits),
                       PointsToPageUnits(std::max(a.x, b.x), pageUnits),
                       PointsToPageUnits(std::max(a.y, b.y), pageUnits)};
  return FourNumbers(*this, v);
}

std::string CService::RectFromUI(std::string_view text, const host::ASFixedRect& cropBox, int rotation,
                                 int pageUnits) const {
  std::vector<float> n;
  if (ParseFloatSequence(text, n, false) != 4) return std::string(text);
  const DisplayedPage page(cropBox, rotation);
  const double left = PageUnitsToPoints(n[0], pageUnits), top = PageUnitsToPoints(n[1], pageUnits);
  const double right = PageUnitsToPoints(n[2], pageUnits), bottom = PageUnitsToPoints(n[3], pageUnits);
  const Point a = page.FromScreen({left, bottom});
  const Point b = page.FromScreen({right, top});
  const double v[4] = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  return FourNumbers(*this, v);
}

std::string CService::TransformBlockRectPropertyToUI(std::string_view text) const {
  const host::PDPage page = ActivePage();
  if (page.IsNull()) return std::string(text);
  return RectToUI(text, page->CropBox(), page->Rotate(), CurrentPageUnits());
}

std::string CService::TransformBlockRectPropertyFromUI(std::string_view text) const {
  const host::PDPage page = ActivePage();
  if (page.IsNull()) return std::string(text);
  return RectFromUI(text, page->CropBox(), page->Rotate(), CurrentPageUnits());
}

std::string CService::TrimItemText(host::ADMItem* item, host::ASScript) const {
  if (!item) return {};
  const std::string text = item->GetText();
  const std::string trimmed = TrimLeftRight(text);
  if (trimmed != text) item->SetText(trimmed);
  return trimmed;
}
