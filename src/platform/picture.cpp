#include "platform/picture.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/color.h"
#include "platform/events.h"
#include "platform/twips.h"

namespace lumora::platform {

Picture::Picture(QWidget* parent) : FormElement(parent) {}

void Picture::SetImage(const QPixmap& image) {
  if (image.cacheKey() == image_.cacheKey()) return;  // the same picture: nothing to fit or paint
  image_ = image;
  FitToImage();
  update();
}

void Picture::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  FitToImage();
  update();
}

void Picture::SetPressable(bool pressable) { setFocusPolicy(pressable ? Qt::TabFocus : Qt::NoFocus); }

void Picture::SetFocusColor(int color) {
  if (color == focusColor_) return;
  focusColor_ = color;
  update();
}

void Picture::FitToImage() {
  if (stretch_ || image_.isNull()) return;
  const QSizeF size = image_.deviceIndependentSize();
  Move(Left(), Top(), static_cast<int>(std::lround(PixelsToTwipsX(size.width()))),
       static_cast<int>(std::lround(PixelsToTwipsY(size.height()))));
}

void Picture::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  // A picture drawn for another scale than the screen's is resampled, not blown up pixel by pixel.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (stretch_)
    painter.drawPixmap(rect(), image_);
  else
    painter.drawPixmap(0, 0, image_);
  if (focused_) {
    painter.setPen(QPen(ToQColor(focusColor_), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
}

void Picture::keyPressEvent(QKeyEvent* event) {
  if (!Pressable() || !IsPressKey(event->key())) return FormElement::keyPressEvent(event);
  pressed_ = true;
}

void Picture::keyReleaseEvent(QKeyEvent* event) {
  if (!Pressable() || !IsPressKey(event->key())) return FormElement::keyReleaseEvent(event);
  // A release whose press went to another control presses nothing.
  if (event->isAutoRepeat() || !pressed_) return;
  pressed_ = false;
  emit Click();
}

void Picture::focusInEvent(QFocusEvent* event) {
  FormElement::focusInEvent(event);
  focused_ = true;
  update();
}

void Picture::focusOutEvent(QFocusEvent* event) {
  FormElement::focusOutEvent(event);
  focused_ = false;
  pressed_ = false;
  update();
}

}  // namespace lumora::platform
