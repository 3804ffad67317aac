#include "platform/shape.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/color.h"

namespace lumora::platform {

Shape::Shape(QWidget* parent) : FormElement(parent) { SetReceivesMouse(false); }

void Shape::SetShapeKind(Kind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  update();
}

void Shape::SetBorderColor(int color) {
  if (color == borderColor_) return;
  borderColor_ = color;
  update();
}

void Shape::SetBorderStyle(Border style) {
  if (style == border_) return;
  border_ = style;
  update();
}

void Shape::SetFillColor(int color) {
  if (color == fillColor_) return;
  fillColor_ = color;
  update();
}

void Shape::SetFillStyle(Fill style) {
  if (style == fill_) return;
  fill_ = style;
  update();
}

void Shape::SetDrawMode(DrawMode mode) {
  if (mode == drawMode_) return;
  drawMode_ = mode;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  if (drawMode_ == DrawMode::NotXorPen) painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  // A border runs along the outermost pixels; a borderless fill covers them.
  const QRectF bounds = border_ == Border::Transparent ? QRectF(rect()) : QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = kind_ == Kind::RoundedRectangle ? std::min(width(), height()) / 6.0 : 0.0;
  if (radius > 0.0) painter.setRenderHint(QPainter::Antialiasing, drawMode_ == DrawMode::CopyPen);

  painter.setBrush(fill_ == Fill::Solid ? QBrush(ToQColor(fillColor_)) : QBrush(Qt::NoBrush));
  if (border_ == Border::Transparent) {
    painter.setPen(Qt::NoPen);
  } else {
    QPen pen(ToQColor(borderColor_));
    pen.setWidth(1);
    pen.setStyle(border_ == Border::Dot ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
  }
  if (radius > 0.0)
    painter.drawRoundedRect(bounds, radius, radius);
  else
    painter.drawRect(bounds);
}

}  // namespace lumora::platform
