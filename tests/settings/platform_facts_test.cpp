#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "platform/random.h"
#include "platform/registry.h"
#include "settings/platform_facts.h"

using namespace lumora;

TEST(PixelUnits, FollowTheScreenResolutionRoundingHalvesToEven) {
  const struct { platform::ScreenMetrics screen; std::array<int, 10> units; } cases[] = {  // Px1 .. Px16, the spans
      {{15.0, 15.0, 1024, 768}, {15, 30, 45, 60, 75, 90, 120, 240, 15480, 11640}},
      // 12.5 twips a pixel: 12.5 -> 12, 37.5 -> 38; a span beyond 16 bits; only the span uses the vertical figure.
      {{12.5, 12.0, 3840, 2160}, {12, 25, 38, 50, 62, 75, 100, 200, 48100, (2160 + 8) * 12}}};
  for (const auto& c : cases) {
    const settings::PixelUnits u = settings::ComputePixelUnits(c.screen);
    EXPECT_EQ((std::array<int, 10>{u.Px1, u.Px2, u.Px3, u.Px4, u.Px5, u.Px6, u.Px8, u.Px16, u.ScreenSpanX, u.ScreenSpanY}),
              c.units);
  }
}

TEST(VersionCode, DropsEveryZeroDigit) {
  const int cases[][3] = {{5, 1, 51}, {4, 10, 41}, {4, 90, 49}, {6, 0, 6}, {10, 0, 1}, {3, 50, 35}, {0, 0, 0}, {0, 1, 1}};
  for (const auto& [major, minor, code] : cases)
    EXPECT_EQ(settings::VersionCodeFromVersion(major, minor), code) << major << "." << minor;
  EXPECT_GT(settings::DetermineOsVersionCode(), 0);
}

TEST(ExpertIndex, AStoredValueIsKeptAnAbsentOneDrawnAndWrittenOnce) {
  QTemporaryDir dir;
  const platform::RegistryRoot root{dir.path() + QStringLiteral("/registry.conf")};
  QFile store(root.storeFile);  // the key, without the value
  ASSERT_TRUE(store.open(QIODevice::WriteOnly) && store.write("[SOFTWARE\\Quillmark%20Software]\n") > 0 && store.flush());
  const QString key = settings::QuillmarkKey(), name = QStringLiteral("ExpertIndex");
  std::set<std::string> drawn;
  for (int seed = 0; seed < 40; ++seed) {
    platform::RegWriteText(root, key, name, QString());
    platform::Randomize(static_cast<std::uint64_t>(seed));
    const QString index = settings::EnsureExpertIndex(root);
    EXPECT_EQ(platform::RegReadText(root, key, name), index);
    drawn.insert(index.toStdString());
  }
  EXPECT_EQ(drawn, (std::set<std::string>{"1", "2", "3", "4"}));  // every mailbox gets chosen
  platform::RegWriteText(root, key, name, QStringLiteral("7"));
  EXPECT_EQ(settings::EnsureExpertIndex(root), QStringLiteral("7"));
  EXPECT_EQ(settings::Shared().ExpertIndex, QStringLiteral("7"));
}

TEST(Folders, AreLowerCaseWithATrailingSeparator) {
  settings::ComputePlatformFacts({}, QStringLiteral("/Opt/Lumora/lumora"), QStringLiteral("/Opt/Share"), 0);
  EXPECT_EQ(settings::Shared().AppFolder + settings::DataRoot(),
            QStringLiteral("/opt/lumora/lumora//opt/share/quillmark/engine001/"));
  QString theme = QStringLiteral("classic\\");
  EXPECT_EQ(settings::ThemeFolder(theme), settings::DataRoot() + QStringLiteral("classic/"));
  EXPECT_EQ(theme, QStringLiteral("classic/"));  // takes this platform's separator in place
  settings::ComputePlatformFacts({}, QString(), QString(), 0);
  EXPECT_EQ(settings::Shared().SystemFolder, QStringLiteral("/"));  // a failed query
}
