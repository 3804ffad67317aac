#pragma once

#include <Qt>

namespace lumora::platform {

// Mouse and key arguments in the numbers the controls and stored settings use.
//   Button: 1 left, 2 right, 4 middle (a mask in MouseMove).
//   Shift:  1 Shift, 2 Ctrl, 4 Alt.
enum VbMouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum VbShiftMask { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum VbKey { vbKeyReturn = 13, vbKeySpace = 32, vbKeyUp = 38, vbKeyDown = 40 };

int VbButton(Qt::MouseButton button);
int VbButtons(Qt::MouseButtons buttons);
int VbShift(Qt::KeyboardModifiers modifiers);
// The controls' code for a Qt key (13 Enter, 32 Space, 38 Up, 40 Down ...); 0 for keys without one.
int VbKeyCode(int qtKey);
// Enter (either key) or Space: the keys that press a focused button.
bool IsPressKey(int qtKey);

}  // namespace lumora::platform
