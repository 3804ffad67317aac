#include "settings/platform_facts.h"

#include "core/files.h"

#include <cmath>

#include "core/random.h"
#include "core/text.h"

namespace lumora::settings {
namespace {

// Rounds to the nearest whole number, ties to even.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

StartupValues& Shared() {
  static StartupValues values;
  return values;
}

PixelUnits ComputePixelUnits(const core::ScreenMetrics& screen) {
  const double x = screen.twipsPerPixelX;
  PixelUnits units;
  units.Px1 = RoundEven(x);
  units.Px2 = RoundEven(2 * x);
  units.Px3 = RoundEven(3 * x);
  units.Px4 = RoundEven(4 * x);
  units.Px5 = RoundEven(5 * x);
  units.Px6 = RoundEven(6 * x);
  units.Px8 = RoundEven(8 * x);
  units.Px16 = RoundEven(16 * x);
  units.ScreenSpanX = RoundEven(screen.widthPixels * x + 8 * x);
  units.ScreenSpanY = RoundEven(screen.heightPixels * screen.twipsPerPixelY + 8 * screen.twipsPerPixelY);
  return units;
}

void ComputePlatformFacts(const core::ScreenMetrics& screen, const QString& programFolder,
                          const QString& systemFolder, int frameBorder) {
  StartupValues& values = Shared();
  values.units = ComputePixelUnits(screen);
  values.AppFolder = core::NormalizedFolder(programFolder);
  values.SystemFolder = core::NormalizedFolder(systemFolder);
  values.FrameBorder = frameBorder;
}

QString EnsureExpertIndex(const core::RegistryRoot& root) {
  QString index = core::RegReadText(root, core::QuillmarkKey(), QStringLiteral("ExpertIndex"));
  if (index.isEmpty()) {
    index = QString::number(static_cast<int>(core::Rnd() * 4 + 1));
    core::RegWriteText(root, core::QuillmarkKey(), QStringLiteral("ExpertIndex"), index);
  }
  Shared().ExpertIndex = index;
  return index;
}

QString DataRoot() { return Shared().SystemFolder + QStringLiteral("quillmark/engine001/"); }

QString ThemeFolder(QString& themeName) {
  // A name stored with the other platform's separator names the same folder.
  if (themeName.endsWith(QLatin1Char('\\'))) themeName.chop(1);
  if (!themeName.endsWith(QLatin1Char('/'))) themeName += QLatin1Char('/');
  return DataRoot() + themeName;
}

}  // namespace lumora::settings
