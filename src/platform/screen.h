#pragma once

namespace lumora::platform {

struct ScreenMetrics {
  double twipsPerPixelX = 15.0;
  double twipsPerPixelY = 15.0;
  int widthPixels = 1024;
  int heightPixels = 768;
};

// The primary screen's logical resolution and size; 96 dpi and 1024 x 768
// when there is no screen.
ScreenMetrics PrimaryScreenMetrics();

}  // namespace lumora::platform
