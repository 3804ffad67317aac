#include "platform/line.h"

#include <QPainter>

#include "platform/color.h"
#include "platform/twips.h"

namespace lumora::platform {

Line::Line(QWidget* parent) : FormElement(parent) { SetReceivesMouse(false); }

void Line::SetEnds(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  // The element covers the line's bounding box plus one pixel, so both end
  // pixels are inside it.
  const int onePixelX = static_cast<int>(std::lround(TwipsPerPixelX()));
  const int onePixelY = static_cast<int>(std::lround(TwipsPerPixelY()));
  Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + onePixelX, std::abs(y2 - y1) + onePixelY);
  update();
}

void Line::SetBorderColor(int color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void Line::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(ToQColor(color_));
  const int left = std::min(x1_, x2_);
  const int top = std::min(y1_, y2_);
  const QPoint from(TwipsToPixelsX(x1_ - left), TwipsToPixelsY(y1_ - top));
  const QPoint to(TwipsToPixelsX(x2_ - left), TwipsToPixelsY(y2_ - top));
  painter.drawLine(from, to);
}

}  // namespace lumora::platform
