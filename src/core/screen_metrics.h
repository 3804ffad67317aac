#pragma once

namespace lumora::core {

// The screen's resolution and size, as the window's measures are made from.
struct ScreenMetrics {
  double twipsPerPixelX = 15.0;
  double twipsPerPixelY = 15.0;
  int widthPixels = 1024;
  int heightPixels = 768;
};

}  // namespace lumora::core
