#include "platform/form_element.h"

#include <QMouseEvent>

#include "platform/events.h"
#include "platform/twips.h"

namespace lumora::platform {

FormElement::FormElement(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  ApplyPixelGeometry();
}

void FormElement::Move(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool resized = width != width_ || height != height_;
  if (!resized && left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplyPixelGeometry();
  if (resized) OnResize();
}

void FormElement::ApplyPixelGeometry() {
  // Edges are rounded, not sizes, so elements that touch in twips touch on screen.
  const int x = TwipsToPixelsX(left_);
  const int y = TwipsToPixelsY(top_);
  setGeometry(x, y, TwipsToPixelsX(double(left_) + width_) - x, TwipsToPixelsY(double(top_) + height_) - y);
}

void FormElement::SetReceivesMouse(bool receives) {
  setAttribute(Qt::WA_TransparentForMouseEvents, !receives);
  setMouseTracking(receives);
}

void FormElement::mousePressEvent(QMouseEvent* event) {
  event->accept();
  closingDoubleClick_ = false;
  emit MouseDown(VbButton(event->button()), VbShift(event->modifiers()),
                 PixelsToTwipsX(event->position().x()), PixelsToTwipsY(event->position().y()));
}

void FormElement::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only the left button double-clicks; any other one simply presses again.
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  event->accept();
  closingDoubleClick_ = true;
  emit DblClick();
}

void FormElement::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool closesDoubleClick = closingDoubleClick_;
  closingDoubleClick_ = false;
  emit MouseUp(VbButton(event->button()), VbShift(event->modifiers()),
               PixelsToTwipsX(event->position().x()), PixelsToTwipsY(event->position().y()));
  if (!closesDoubleClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Click();
}

void FormElement::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit MouseMove(VbButtons(event->buttons()), VbShift(event->modifiers()),
                 PixelsToTwipsX(event->position().x()), PixelsToTwipsY(event->position().y()));
}

}  // namespace lumora::platform
