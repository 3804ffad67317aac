#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace lumora::platform {

core::ScreenMetrics PrimaryScreenMetrics() {
  core::ScreenMetrics metrics;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return metrics;
  if (screen->logicalDotsPerInchX() > 0) metrics.twipsPerPixelX = 1440.0 / screen->logicalDotsPerInchX();
  if (screen->logicalDotsPerInchY() > 0) metrics.twipsPerPixelY = 1440.0 / screen->logicalDotsPerInchY();
  metrics.widthPixels = screen->size().width();
  metrics.heightPixels = screen->size().height();
  return metrics;
}

}  // namespace lumora::platform
