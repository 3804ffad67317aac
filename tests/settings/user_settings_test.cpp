#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/platform_facts.h"
#include "settings/user_settings.h"

using namespace lumora;

TEST(UserSettings, InstalledThemesGoRoundInNameOrderAndTheChosenOneIsKept) {
  QTemporaryDir dir;
  const QString root = dir.path() + QStringLiteral("/share/quillmark/engine001/");
  QDir().mkpath(root + QStringLiteral("broken"));  // a folder without its settings is no theme
  for (const QString& theme : {QStringLiteral("night"), QStringLiteral("Classic")})
    ASSERT_TRUE(QDir().mkpath(root + theme) && QFile(root + theme + QStringLiteral("/config0.dat")).open(QIODevice::WriteOnly));
  settings::ComputePlatformFacts({}, QString(), dir.path() + QStringLiteral("/share"), 0);
  const QStringList installed = settings::InstalledThemes();
  EXPECT_EQ(installed, (QStringList{QStringLiteral("Classic"), QStringLiteral("night")}));
  const auto next = [&](const QStringList& themes, const char* current) {
    return settings::NextTheme(themes, QString::fromLatin1(current)).toStdString();
  };
  EXPECT_EQ((std::vector{next(installed, "Classic/"), next(installed, "night"), next(installed, "gone"),
                         next({}, "only\\")}), (std::vector<std::string>{"night", "Classic", "Classic", "only"}));
  settings::SetUserTheme(QStringLiteral("night/"));
  EXPECT_EQ(settings::UserTheme(), QStringLiteral("night"));
}
