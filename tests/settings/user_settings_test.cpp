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
  const QString root = dir.path() + QStringLiteral("/share/quillmark/engine001/");
  QDir().mkpath(root + QStringLiteral("broken"));  // a folder without its settings is no theme
  for (const QString& theme : {QStringLiteral("night"), QStringLiteral("Classic")})
    ASSERT_TRUE(QDir().mkpath(root + theme) && QFile(root + theme + QStringLiteral("/config0.dat")).open(QIODevice::WriteOnly));
  settings::ComputePlatformFacts({}, QString(), dir.path() + QStringLiteral("/share"), 0);
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
  QFile damaged(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmark"), QStringLiteral("lumora"))
                    .fileName());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate) && damaged.write("[Window\nTheme=night\n") > 0);
  damaged.flush();
  EXPECT_EQ(settings::UserTheme(), QString());
  settings::SetUserTheme(QStringLiteral("classic"));  // written anew
  EXPECT_EQ(settings::UserTheme(), QStringLiteral("classic"));
}
