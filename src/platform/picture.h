#pragma once

#include <QPixmap>

#include "platform/form_element.h"

namespace lumora::platform {

// A picture, either stretched to the element or shown at its own size (the
// element then takes the picture's size).
class Picture final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Picture)

 public:
  explicit Picture(QWidget* parent = nullptr);

  const QPixmap& Image() const { return image_; }
  void SetImage(const QPixmap& image);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitToImage();

  QPixmap image_;
  bool stretch_ = false;
};

}  // namespace lumora::platform
