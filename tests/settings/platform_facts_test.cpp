#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/random.h"
#include "platform/registry.h"
#include "settings/platform_facts.h"

using namespace lumora;
using settings::ComputePixelUnits;

namespace {

platform::ScreenMetrics Screen(double dpi, int width, int height) {
  return {1440.0 / dpi, 1440.0 / dpi, width, height};
}

QString WriteStore(const QTemporaryDir& dir, const QByteArray& text) {
  const QString path = dir.path() + QStringLiteral("/registry.conf");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text);
  return path;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

}  // namespace

TEST(PixelUnits, FollowTheScreenResolution) {
  const settings::PixelUnits at96 = ComputePixelUnits(Screen(96, 1024, 768));
  EXPECT_EQ(at96.Px1, 15);
  EXPECT_EQ(at96.Px2, 30);
  EXPECT_EQ(at96.Px3, 45);
  EXPECT_EQ(at96.Px4, 60);
  EXPECT_EQ(at96.Px5, 75);
  EXPECT_EQ(at96.Px6, 90);
  EXPECT_EQ(at96.Px8, 120);
  EXPECT_EQ(at96.Px16, 240);
  EXPECT_EQ(at96.ScreenSpanX, 15480);
  EXPECT_EQ(at96.ScreenSpanY, 11640);

  const settings::PixelUnits at120 = ComputePixelUnits(Screen(120, 1920, 1080));
  EXPECT_EQ(at120.Px1, 12);
  EXPECT_EQ(at120.Px16, 192);
  EXPECT_EQ(at120.ScreenSpanX, (1920 + 8) * 12);
}

TEST(PixelUnits, RoundHalvesToEvenAndDoNotOverflowOnLargeScreens) {
  // 115.2 dpi: 12.5 twips per pixel.
  const settings::PixelUnits units = ComputePixelUnits(Screen(115.2, 3840, 2160));
  EXPECT_EQ(units.Px1, 12);  // 12.5 -> 12
  EXPECT_EQ(units.Px3, 38);  // 37.5 -> 38
  EXPECT_EQ(units.Px4, 50);
  EXPECT_EQ(units.ScreenSpanX, 48100);  // beyond 16 bits

  const platform::ScreenMetrics uneven{15.0, 12.0, 800, 600};
  EXPECT_EQ(ComputePixelUnits(uneven).ScreenSpanY, 608 * 12);  // only the span uses the vertical figure
}

TEST(VersionCode, DropsEveryZeroDigit) {
  const struct {
    int major, minor, code;
  } cases[] = {{5, 1, 51}, {4, 10, 41}, {4, 90, 49}, {6, 0, 6}, {5, 0, 5}, {6, 1, 61}, {10, 0, 1},
               {5, 10, 51}, {3, 50, 35}, {0, 0, 0}, {0, 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
    EXPECT_EQ(settings::VersionCodeFromVersion(c.major, c.minor), c.code);
  }
  EXPECT_GT(settings::DetermineOsVersionCode(), 0);
}

TEST(ExpertIndex, AStoredValueIsKeptAndNotRewritten) {
  QTemporaryDir dir;
  const QByteArray store = "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nExpertIndex=3\n";
  const QString path = WriteStore(dir, store);
  EXPECT_EQ(settings::EnsureExpertIndex(platform::RegistryRoot{path}), QStringLiteral("3"));
  EXPECT_EQ(settings::Shared().ExpertIndex, QStringLiteral("3"));
  EXPECT_EQ(ReadBytes(path), store);
}

TEST(ExpertIndex, AnAbsentValueIsDrawnAndWrittenOnce) {
  QTemporaryDir dir;
  std::set<QString> drawn;
  for (int seed = 0; seed < 40; ++seed) {
    const QString path = WriteStore(dir, "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n");
    platform::Randomize(static_cast<std::uint64_t>(seed));
    const platform::RegistryRoot root{path};
    const QString index = settings::EnsureExpertIndex(root);
    ASSERT_TRUE(index == QLatin1String("1") || index == QLatin1String("2") || index == QLatin1String("3") ||
                index == QLatin1String("4"))
        << index.toStdString();
    EXPECT_EQ(platform::RegReadText(root, settings::QuillmarkKey(), QStringLiteral("ExpertIndex")), index);
    EXPECT_EQ(settings::EnsureExpertIndex(root), index);  // the second start reads it back
    drawn.insert(index);
  }
  EXPECT_EQ(drawn.size(), 4u);  // every mailbox gets chosen
}

TEST(ExpertIndex, AStoreThatCannotTakeItStillGivesAnIndex) {
  QTemporaryDir dir;
  const QString missing = dir.path() + QStringLiteral("/none.conf");
  const QString index = settings::EnsureExpertIndex(platform::RegistryRoot{missing});
  EXPECT_EQ(index.size(), 1);
  EXPECT_FALSE(QFile::exists(missing));

  const QByteArray otherKey = "[SOFTWARE\\Elsewhere]\nCurrentTheme=classic\n";
  const QString path = WriteStore(dir, otherKey);
  EXPECT_EQ(settings::EnsureExpertIndex(platform::RegistryRoot{path}).size(), 1);
  EXPECT_EQ(ReadBytes(path), otherKey);
}

TEST(Folders, AreLowerCaseWithATrailingSeparator) {
  settings::ComputePlatformFacts(Screen(96, 1024, 768), QStringLiteral("/Opt/Lumora/share/lumora"),
                                 QStringLiteral("/Opt/Lumora/share/"), 0);
  EXPECT_EQ(settings::Shared().AppFolder, QStringLiteral("/opt/lumora/share/lumora/"));
  EXPECT_EQ(settings::Shared().SystemFolder, QStringLiteral("/opt/lumora/share/"));
  EXPECT_EQ(settings::Shared().LineBreak, QStringLiteral("\r\n"));
  EXPECT_EQ(settings::DataRoot(), QStringLiteral("/opt/lumora/share/quillmark/engine001/"));

  QString theme = QStringLiteral("classic");
  EXPECT_EQ(settings::ThemeFolder(theme), QStringLiteral("/opt/lumora/share/quillmark/engine001/classic/"));
  EXPECT_EQ(theme, QStringLiteral("classic/"));  // gained its separator in place
  EXPECT_EQ(settings::ThemeFolder(theme), QStringLiteral("/opt/lumora/share/quillmark/engine001/classic/"));

  QString written = QStringLiteral("classic\\");
  EXPECT_EQ(settings::ThemeFolder(written), QStringLiteral("/opt/lumora/share/quillmark/engine001/classic/"));

  QString none;
  EXPECT_EQ(settings::ThemeFolder(none), QStringLiteral("/opt/lumora/share/quillmark/engine001//"));

  settings::ComputePlatformFacts(Screen(96, 1024, 768), QString(), QString(), 0);
  EXPECT_EQ(settings::Shared().SystemFolder, QStringLiteral("/"));  // a failed query
}
