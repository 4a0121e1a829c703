#include "viewer/core/dm/RecordingSurface.h"

#include "host/ASText.h"

namespace viewer::dm {

namespace {

std::string RectText(const host::AVRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace

void RecordingSurface::SetColor(const host::RGBColor16& c) {
  calls_.push_back("color " + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue));
}

void RecordingSurface::FrameRect(const host::AVRect& rect) { calls_.push_back("frame " + RectText(rect)); }
void RecordingSurface::FillRect(const host::AVRect& rect) { calls_.push_back("fill " + RectText(rect)); }

int RecordingSurface::TextWidth(const std::u16string& text) {
  return kCharacterWidth * static_cast<int>(text.size());
}

void RecordingSurface::DrawText(const host::AVRect& box, const std::u16string& text) {
  calls_.push_back("text " + RectText(box) + " " + host::text::UTF16ToUTF8(text));
}

}  // namespace viewer::dm
