#pragma once

#include "platform/form_element.h"

namespace lumora::platform {

// A borderless box that holds other elements, filled with its back colour
// unless it is transparent.
class Container : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Container)

 public:
  explicit Container(QWidget* parent = nullptr) : FormElement(parent) {}

  int BackColor() const { return backColor_; }
  void SetBackColor(int color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int backColor_ = 0xC0C0C0;
  bool transparent_ = false;
};

}  // namespace lumora::platform
