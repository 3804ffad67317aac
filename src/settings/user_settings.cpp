#include "settings/user_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>

#include "core/files.h"
#include "settings/platform_facts.h"

namespace lumora::settings {
namespace {

const QString kThemeKey = QStringLiteral("Window/Theme");
const QString kZoomKey = QStringLiteral("Page/Zoom");

QSettings UserStore() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmark"), QStringLiteral("lumora"));
}

void Note(const QSettings& store, const char* what) {
  std::fprintf(stderr, "lumora: the user settings %s cannot be %s; they are passed over\n",
               QFile::encodeName(store.fileName()).constData(), what);
}

// Writes the store's changes out, or says why they could not be.
void Save(QSettings& store) {
  store.sync();
  if (store.status() != QSettings::NoError) Note(store, "written");
}

QString Bare(QString name) {
  while (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'))) name.chop(1);
  return name;
}

}  // namespace

QString UserTheme() {
  const QSettings store = UserStore();
  if (store.status() != QSettings::NoError) {
    Note(store, "read");
    return {};
  }
  return store.value(kThemeKey).toString();
}

void SetUserTheme(const QString& themeName) {
  QSettings store = UserStore();
  store.setValue(kThemeKey, Bare(themeName));
  Save(store);
}

double UserZoom() {
  const QSettings store = UserStore();
  bool ok = false;
  const double zoom = store.value(kZoomKey).toDouble(&ok);
  return ok && zoom >= 0.25 && zoom <= 5.0 ? zoom : 1.0;
}

void SetUserZoom(double factor) {
  QSettings store = UserStore();
  store.setValue(kZoomKey, factor);
  Save(store);
}

bool UserSearchByHits() {
  return UserStore().value(QStringLiteral("Search/Order")).toString().compare(QLatin1String("hits"), Qt::CaseInsensitive) == 0;
}

WindowPlace UserWindowPlace() {
  const QSettings store = UserStore();
  WindowPlace place;
  place.geometry = store.value(QStringLiteral("Window/Geometry")).toRect();
  place.maximized = store.value(QStringLiteral("Window/Maximized")).toBool();
  place.paneWidth = store.value(QStringLiteral("Window/PaneWidth")).toInt();
  place.known = place.geometry.isValid();
  return place;
}

void SetUserWindowPlace(const WindowPlace& place) {
  QSettings store = UserStore();
  store.setValue(QStringLiteral("Window/Geometry"), place.geometry);
  store.setValue(QStringLiteral("Window/Maximized"), place.maximized);
  store.setValue(QStringLiteral("Window/PaneWidth"), place.paneWidth);
  Save(store);
}

QStringList InstalledThemes() {
  QStringList themes;
  const QDir root(core::ResolvePath(DataRoot()));
  for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    if (QFileInfo(root.filePath(name + QStringLiteral("/config0.dat"))).isFile()) themes.append(name);
  return themes;
}

QString NextTheme(const QStringList& installed, const QString& current) {
  if (installed.isEmpty()) return Bare(current);
  const qsizetype at = installed.indexOf(Bare(current));
  return installed[(at + 1) % installed.size()];
}

}  // namespace lumora::settings
