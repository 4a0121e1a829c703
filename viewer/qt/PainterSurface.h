// Where drawing procedures and the dialog manager's drawer paint on screen:
// a QPainter in device pixels, with the small dialog font for text.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "viewer/core/FrontEnd.h"

namespace viewer::qt {

// The small font of dialogs and of text drawn over pages.
QFont SmallUiFont();

class PainterSurface final : public DrawSurface {
 public:
  explicit PainterSurface(QPainter& painter, const QFont& font = SmallUiFont());

  void SetColor(const host::RGBColor16& color) override;
  // A one-pixel outline just inside the rectangle.
  void FrameRect(const host::AVRect& rect) override;
  void FillRect(const host::AVRect& rect) override;
  int FontHeight() override { return metrics_.ascent() + metrics_.descent(); }
  int TextWidth(const std::u16string& text) override;
  // Text from the box's top-left corner, cut at the box.
  void DrawText(const host::AVRect& box, const std::u16string& text) override;

 private:
  QPainter& painter_;
  QFont font_;
  QFontMetrics metrics_;
  QColor color_ = Qt::black;
};

}  // namespace viewer::qt
