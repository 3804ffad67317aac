#pragma once

#include "platform/form_element.h"

namespace lumora::platform {

// A one-pixel straight line from (X1, Y1) to (X2, Y2), in twips of its parent.
class Line final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Line)

 public:
  explicit Line(QWidget* parent = nullptr);

  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  void SetEnds(int x1, int y1, int x2, int y2);
  void SetX1(int x) { SetEnds(x, y1_, x2_, y2_); }
  void SetY1(int y) { SetEnds(x1_, y, x2_, y2_); }
  void SetX2(int x) { SetEnds(x1_, y1_, x, y2_); }
  void SetY2(int y) { SetEnds(x1_, y1_, x2_, y); }
  int BorderColor() const { return color_; }
  void SetBorderColor(int color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int x1_ = 0;
  int y1_ = 0;
  int x2_ = 0;
  int y2_ = 0;
  int color_ = 0x000000;
};

}  // namespace lumora::platform
