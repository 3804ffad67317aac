#include "platform/events.h"

namespace lumora::platform {

int VbButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
  }
}

int VbButtons(Qt::MouseButtons buttons) {
  int mask = 0;
  if (buttons & Qt::LeftButton) mask |= vbLeftButton;
  if (buttons & Qt::RightButton) mask |= vbRightButton;
  if (buttons & Qt::MiddleButton) mask |= vbMiddleButton;
  return mask;
}

int VbShift(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= vbShiftMask;
  if (modifiers & Qt::ControlModifier) mask |= vbCtrlMask;
  if (modifiers & Qt::AltModifier) mask |= vbAltMask;
  return mask;
}

int VbKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

bool IsPressKey(int qtKey) {
  const int code = VbKeyCode(qtKey);
  return code == vbKeyReturn || code == vbKeySpace;
}

}  // namespace lumora::platform
