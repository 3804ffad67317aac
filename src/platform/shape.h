#pragma once

#include "platform/form_element.h"

namespace lumora::platform {

// A rectangle or rounded rectangle with a one-pixel border and an optional
// fill. Shapes take no mouse input.
class Shape final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Shape)

 public:
  enum class Kind { Rectangle, RoundedRectangle };
  enum class Border { Transparent, Solid, Dot, InsideSolid };
  enum class Fill { Transparent, Solid };
  // NotXorPen draws the inverse of pen XOR screen, so text under a filled
  // selector stays readable.
  enum class DrawMode { CopyPen, NotXorPen };

  explicit Shape(QWidget* parent = nullptr);

  Kind ShapeKind() const { return kind_; }
  void SetShapeKind(Kind kind);
  int BorderColor() const { return borderColor_; }
  void SetBorderColor(int color);
  Border BorderStyle() const { return border_; }
  void SetBorderStyle(Border style);
  int FillColor() const { return fillColor_; }
  void SetFillColor(int color);
  Fill FillStyle() const { return fill_; }
  void SetFillStyle(Fill style);
  void SetDrawMode(DrawMode mode);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_ = Kind::Rectangle;
  int borderColor_ = 0x000000;
  Border border_ = Border::Solid;
  int fillColor_ = 0x000000;
  Fill fill_ = Fill::Transparent;
  DrawMode drawMode_ = DrawMode::CopyPen;
};

}  // namespace lumora::platform
