#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "settings/platform_facts.h"
#include "settings/user_settings.h"

using namespace lumora;

TEST(UserSettings, InstalledThemesGoRoundInNameOrder) {
  QTemporaryDir dir;
  for (const char* theme : {"night", "Classic", "broken"}) {
    const QString folder = dir.path() + QStringLiteral("/share/quillmark/engine001/") + QLatin1String(theme);
    QDir().mkpath(folder);
    if (QLatin1String(theme) != QLatin1String("broken"))  // a folder without its settings is no theme
      QFile(folder + QStringLiteral("/config0.dat")).open(QIODevice::WriteOnly);
  }
  settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, dir.path() + QStringLiteral("/share/lumora"),
                                 dir.path() + QStringLiteral("/share"), 0);
  const QStringList installed = settings::InstalledThemes();
  EXPECT_EQ(installed, (QStringList{QStringLiteral("Classic"), QStringLiteral("night")}));
  EXPECT_EQ(settings::NextTheme(installed, QStringLiteral("Classic/")), QStringLiteral("night"));
  EXPECT_EQ(settings::NextTheme(installed, QStringLiteral("night")), QStringLiteral("Classic"));
  EXPECT_EQ(settings::NextTheme(installed, QStringLiteral("gone")), QStringLiteral("Classic"));
  EXPECT_EQ(settings::NextTheme({}, QStringLiteral("only\\")), QStringLiteral("only"));
}

TEST(UserSettings, TheChosenThemeIsKeptAndADamagedFileIsPassedOver) {
  settings::SetUserTheme(QStringLiteral("night/"));
  EXPECT_EQ(settings::UserTheme(), QStringLiteral("night"));
  const QString file =
      QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmark"), QStringLiteral("lumora")).fileName();
  QFile damaged(file);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
  damaged.write("[Window\nTheme=night\n");
  damaged.close();
  EXPECT_EQ(settings::UserTheme(), QString());
  settings::SetUserTheme(QStringLiteral("classic"));  // written anew
  EXPECT_EQ(settings::UserTheme(), QStringLiteral("classic"));
}
