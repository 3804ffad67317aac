#pragma once

#include <QWidget>
#include <cmath>

#include "platform/twips.h"

namespace lumora::app {

// A window's inner width and height in twips, the unit its controls are placed in.
inline int ScaleWidthOf(const QWidget& window) {
  return static_cast<int>(std::lround(platform::PixelsToTwipsX(window.width())));
}
inline int ScaleHeightOf(const QWidget& window) {
  return static_cast<int>(std::lround(platform::PixelsToTwipsY(window.height())));
}

}  // namespace lumora::app
