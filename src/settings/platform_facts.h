#pragma once

#include <QString>

#include "core/registry.h"
#include "core/screen_metrics.h"

namespace lumora::settings {

// Pixel lengths in twips and the screen span, from the screen's figures.
struct PixelUnits {
  int Px1 = 15;
  int Px2 = 30;
  int Px3 = 45;
  int Px4 = 60;
  int Px5 = 75;
  int Px6 = 90;
  int Px8 = 120;
  int Px16 = 240;
  int ScreenSpanX = 0;
  int ScreenSpanY = 0;
};

PixelUnits ComputePixelUnits(const core::ScreenMetrics& screen);

// The values measured once at start-up and read everywhere.
struct StartupValues {
  PixelUnits units;
  int FrameBorder = 0;
  QString AppFolder;     // lower case, ends in a separator
  QString SystemFolder;  // lower case, ends in a separator
  QString ExpertIndex;
};

StartupValues& Shared();

// Shorthands for the pixel lengths of the shared values.
inline int Px1() { return Shared().units.Px1; }
inline int Px2() { return Shared().units.Px2; }
inline int Px3() { return Shared().units.Px3; }
inline int Px4() { return Shared().units.Px4; }
inline int Px5() { return Shared().units.Px5; }
inline int Px6() { return Shared().units.Px6; }
inline int Px8() { return Shared().units.Px8; }
inline int Px16() { return Shared().units.Px16; }

// Computes, in this order, the pixel units, the screen span, the two folders,
// and the frame border into the shared values.
void ComputePlatformFacts(const core::ScreenMetrics& screen, const QString& programFolder,
                          const QString& systemFolder, int frameBorder);


// "ExpertIndex" from the store, or "1".."4" drawn at random and written back.
QString EnsureExpertIndex(const core::RegistryRoot& root);

// DataRoot: the themes shared by the maker's products.
QString DataRoot();
// ThemeFolder for a theme name; the name gains its trailing separator in place.
QString ThemeFolder(QString& themeName);

}  // namespace lumora::settings
