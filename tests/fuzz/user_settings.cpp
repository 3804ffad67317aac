#include <QStandardPaths>

#include "fuzz.h"
#include "settings/user_settings.h"

using namespace lumora::settings;

// Whatever a user settings file holds, it is read quickly into values the
// window can use: a zoom in its range and a place that is a real rectangle.
FUZZ_TARGET(bytes) {
  static const QString folder = [] {
    QStandardPaths::setTestModeEnabled(true);  // the run's own settings, never the user's
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  }();
  const QString file = folder + QStringLiteral("/quillmark/lumora.ini");
  QDir().mkpath(QFileInfo(file).absolutePath());
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes.data(), bytes.size()) != bytes.size())
    std::abort();
  out.close();
  const double zoom = UserZoom();
  FUZZ_CHECK(zoom >= 0.25 && zoom <= 5.0);
  const WindowPlace place = UserWindowPlace();
  FUZZ_CHECK(!place.known || (place.geometry.width() > 0 && place.geometry.height() > 0));
  UserTheme();
}
