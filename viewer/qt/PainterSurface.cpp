#include "viewer/qt/PainterSurface.h"

#include <algorithm>

#include <QApplication>
#include <QString>

namespace viewer::qt {

namespace {

QRect Normalized(const host::AVRect& r) {
  const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
  const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
  return QRect(left, top, right - left, bottom - top);
}

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont SmallUiFont() {
  QFont font = QApplication::font();
  font.setPixelSize(11);
  return font;
}

PainterSurface::PainterSurface(QPainter& painter, const QFont& font)
    : painter_(painter), font_(font), metrics_(font) {}

void PainterSurface::SetColor(const host::RGBColor16& color) {
  color_ = QColor::fromRgba64(color.red, color.green, color.blue);
}

void PainterSurface::FrameRect(const host::AVRect& rect) {
  const QRect r = Normalized(rect);
  if (r.isEmpty()) return;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrush(Qt::NoBrush);
  painter_.setPen(QPen(color_, 1));
  // QPainter's outline of (x, y, w, h) covers w + 1 pixels.
  painter_.drawRect(r.adjusted(0, 0, -1, -1));
  painter_.restore();
}

void PainterSurface::FillRect(const host::AVRect& rect) {
  const QRect r = Normalized(rect);
  if (!r.isEmpty()) painter_.fillRect(r, color_);
}

int PainterSurface::TextWidth(const std::u16string& text) { return metrics_.horizontalAdvance(ToQString(text)); }

void PainterSurface::DrawText(const host::AVRect& box, const std::u16string& text) {
  const QRect r = Normalized(box);
  if (r.isEmpty()) return;
  painter_.save();
  painter_.setFont(font_);
  painter_.setPen(color_);
  painter_.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ToQString(text));
  painter_.restore();
}

}  // namespace viewer::qt
