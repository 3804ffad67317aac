#pragma once

#include <QString>
#include <QWidget>

namespace lumora::platform {

// Base of every form element and skinned control: geometry kept in twips,
// mouse events reported in one order with button and shift numbers, so a
// control's handlers need not know Qt's events.
//
//   Qt delivers            reported here
//   press                  MouseDown
//   release                MouseUp, Click (left button, released inside)
//   double-click press     DblClick
//   release                MouseUp        (no Click for the closing release)
class FormElement : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FormElement)

 public:
  explicit FormElement(QWidget* parent = nullptr);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { Move(left, top_, width_, height_); }
  void SetTop(int top) { Move(left_, top, width_, height_); }
  void SetWidth(int width) { Move(left_, top_, width, height_); }
  void SetHeight(int height) { Move(left_, top_, width_, height); }
  void Move(int left, int top) { Move(left, top, width_, height_); }
  void Move(int left, int top, int width, int height);

  // The element's own flags, not whether its parents are shown or enabled.
  bool Visible() const { return !isHidden(); }
  void SetVisible(bool visible) { setVisible(visible); }
  bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
  void SetEnabled(bool enabled) { setEnabled(enabled); }

  // Whether the element takes mouse input at all; shapes and lines do not.
  void SetReceivesMouse(bool receives);

 signals:
  void MouseDown(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);
  void MouseMove(int button, int shift, double x, double y);
  void Click();
  void DblClick();

 protected:
  // Runs after the twip width or height changed, as a control's own resize
  // handler would.
  virtual void OnResize() {}

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void ApplyPixelGeometry();

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool closingDoubleClick_ = false;
};

}  // namespace lumora::platform
