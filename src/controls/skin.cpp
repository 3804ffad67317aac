#include "controls/skin.h"

#include <QGuiApplication>

#include "core/files.h"
#include "platform/pictures.h"
#include "settings/platform_facts.h"

namespace lumora::controls {

SharedSkin PlainSkin() {
  static const SharedSkin plain = std::make_shared<const Skin>();
  return plain;
}

void Skin::LoadPictures(QString& themeName) {
  for (platform::ImageList& list : pictures) list.Clear();
  const QString theme = settings::ThemeFolder(themeName);
  const QString data = settings::Shared().AppFolder + QStringLiteral("data/");
  const QString families[5] = {theme + QStringLiteral("resourcea"), theme + QStringLiteral("resourceb"),
                               theme + QStringLiteral("resource"), data + QStringLiteral("resource"),
                               data + QStringLiteral("resource")};
  for (int list = 0; list < 5; ++list) {
    for (int k = 0; k < 100; ++k) {
      const QString path = families[list] + QString::number(k) + QStringLiteral(".dat");
      if (!core::FileIsUsable(path)) break;
      // A file that is no picture still takes its number, so later pictures keep theirs.
      const QPixmap picture = platform::LoadPicture(path, qApp ? qApp->devicePixelRatio() : 1.0);
      // The disabled toolbar pictures are the enabled ones greyed and faded,
      // whatever format their files hold, so a disabled button always looks it.
      Pictures(list).Add(list == 4 ? platform::DisabledPicture(picture) : picture);
    }
  }
}

}  // namespace lumora::controls
