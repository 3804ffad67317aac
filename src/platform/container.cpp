#include "platform/container.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/color.h"

namespace lumora::platform {

void Container::SetBackColor(int color) {
  if (color == backColor_) return;
  backColor_ = color;
  update();
}

void Container::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  update();
}

void Container::paintEvent(QPaintEvent* event) {
  if (transparent_) return;
  QPainter painter(this);
  painter.fillRect(event->rect(), ToQColor(backColor_));
}

}  // namespace lumora::platform
