#include "platform/picture.h"

#include <QPainter>

#include "platform/twips.h"

namespace lumora::platform {

Picture::Picture(QWidget* parent) : FormElement(parent) {}

void Picture::SetImage(const QPixmap& image) {
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

void Picture::FitToImage() {
  if (stretch_ || image_.isNull()) return;
  const QSizeF size = image_.deviceIndependentSize();
  Move(Left(), Top(), static_cast<int>(std::lround(PixelsToTwipsX(size.width()))),
       static_cast<int>(std::lround(PixelsToTwipsY(size.height()))));
}

void Picture::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  if (stretch_)
    painter.drawPixmap(rect(), image_);
  else
    painter.drawPixmap(0, 0, image_);
}

}  // namespace lumora::platform
