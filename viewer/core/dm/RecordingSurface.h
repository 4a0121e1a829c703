// A drawing surface without a screen: it records every call as a line of
// text ("color 65535,0,0", "frame L,T,R,B", "fill L,T,R,B", "text L,T,R,B
// TEXT") and measures text with fixed metrics, so that headless runs and
// tests see exactly what a drawing procedure drew.
#pragma once

#include <string>
#include <vector>

#include "viewer/core/FrontEnd.h"

namespace viewer::dm {

class RecordingSurface final : public DrawSurface {
 public:
  static constexpr int kFontHeight = 11;      // the small dialog font's ascent + descent
  static constexpr int kCharacterWidth = 6;   // per UTF-16 unit

  void SetColor(const host::RGBColor16& color) override;
  void FrameRect(const host::AVRect& rect) override;
  void FillRect(const host::AVRect& rect) override;
  int FontHeight() override { return kFontHeight; }
  int TextWidth(const std::u16string& text) override;
  void DrawText(const host::AVRect& box, const std::u16string& text) override;

  const std::vector<std::string>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<std::string> calls_;
};

}  // namespace viewer::dm
