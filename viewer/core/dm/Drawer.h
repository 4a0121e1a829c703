// The dialog manager's drawer: draws on a front end's DrawSurface (a page
// view's port during a draw pass, or a dialog or item being painted), with
// an origin that moves every coordinate.
#pragma once

#include "host/ADM.h"
#include "viewer/core/FrontEnd.h"

namespace viewer::dm {

class Drawer final : public host::ADMDrawer {
 public:
  // The small dialog font: the one font drawers use.
  static constexpr int kSmallDialogFont = 5;

  Drawer(DrawSurface& surface, const host::ADMRect& bounds, int font)
      : surface_(surface), bounds_(bounds), font_(font) {}

  void SetOrigin(const host::ADMPoint& origin) override { origin_ = origin; }
  void SetRGBColor(const host::RGBColor16& color) override { surface_.SetColor(color); }
  void FrameRect(const host::ADMRect& rect) override { surface_.FrameRect(ToSurface(rect)); }
  void FillRect(const host::ADMRect& rect) override { surface_.FillRect(ToSurface(rect)); }
  int GetFontHeight() override { return surface_.FontHeight(); }
  int GetTextWidthW(const std::u16string& text) override { return surface_.TextWidth(text); }
  void DrawTextInBoxW(const host::ADMRect& rect, const std::u16string& text) override {
    surface_.DrawText(ToSurface(rect), text);
  }

  const host::ADMRect& Bounds() const { return bounds_; }
  int Font() const { return font_; }

 private:
  host::AVRect ToSurface(const host::ADMRect& r) const {
    return host::AVRect{r.left + origin_.h, r.top + origin_.v, r.right + origin_.h, r.bottom + origin_.v};
  }

  DrawSurface& surface_;
  host::ADMRect bounds_;
  int font_;
  host::ADMPoint origin_;
};

}  // namespace viewer::dm
