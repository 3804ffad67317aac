#include "platform/twips.h"

#include <cmath>

namespace lumora::platform {
namespace {
double g_perPixelX = 15.0;  // 96 dpi until the screen is measured
double g_perPixelY = 15.0;
}  // namespace

void SetTwipsPerPixel(double perPixelX, double perPixelY) {
  if (perPixelX > 0.0) g_perPixelX = perPixelX;
  if (perPixelY > 0.0) g_perPixelY = perPixelY;
}

double TwipsPerPixelX() { return g_perPixelX; }
double TwipsPerPixelY() { return g_perPixelY; }

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / g_perPixelX)); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / g_perPixelY)); }
double PixelsToTwipsX(double pixels) { return pixels * g_perPixelX; }
double PixelsToTwipsY(double pixels) { return pixels * g_perPixelY; }

}  // namespace lumora::platform
