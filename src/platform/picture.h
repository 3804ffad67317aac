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

  // A picture that is a button: Tab reaches it, Enter or Space released on
  // it raise Click, and a dotted frame in FocusColor shows while it has the
  // keyboard. A mouse click never takes the keyboard from where it is.
  bool Pressable() const { return focusPolicy() != Qt::NoFocus; }
  void SetPressable(bool pressable);
  bool Pressed() const { return pressed_; }
  void SetFocusColor(int color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void FitToImage();

  QPixmap image_;
  bool stretch_ = false;
  bool pressed_ = false;
  bool focused_ = false;
  int focusColor_ = 0x000000;
};

}  // namespace lumora::platform
