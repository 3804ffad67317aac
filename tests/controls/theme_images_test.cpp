#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "controls/skin.h"
#include "settings/platform_facts.h"

using namespace lumora;

// Pictures are read by content whatever the extension; the disabled toolbar list has the sixteen VGA colours.
TEST(ThemeImages, EachPictureListStopsAtTheFirstMissingOrEmptyFile) {
  QTemporaryDir dir;
  settings::ComputePlatformFacts({}, dir.path() + QStringLiteral("/share/lumora"), dir.path() + QStringLiteral("/share"), 0);
  const QString theme = dir.path() + QStringLiteral("/share/quillmark/engine001/blue/resource");
  const QString data = dir.path() + QStringLiteral("/share/lumora/data/resource");
  ASSERT_TRUE(QDir().mkpath(theme) && QDir().mkpath(data));
  const auto picture = [](const QString& path, QColor colour, const char* format) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int at = 0; at < 64 * 64; ++at) image.setPixelColor(at % 64, at / 64, colour.lighter(100 + at % 64));
    ASSERT_TRUE(image.save(path, format));
  };
  for (const auto& [name, colour, format] :
       {std::tuple{"0", Qt::green, "ICO"}, {"1", Qt::red, "JPEG"}, {"3", Qt::red, "PNG"}, {"a1", Qt::red, "PNG"},
        {"b0", Qt::blue, "BMP"}}) picture(theme + QLatin1String(name) + QStringLiteral(".dat"), colour, format);
  QFile(theme + QStringLiteral("a0.dat")).open(QIODevice::WriteOnly);  // empty
  for (int k = 0; k <= 100; ++k) QFile::copy(theme + QStringLiteral("b0.dat"), data + QStringLiteral("%1.dat").arg(k));
  QString name = QStringLiteral("blue");
  controls::Skin skin;
  skin.LoadPictures(name);
  const auto list = [&](int n) { return skin.Pictures(n); };
  EXPECT_EQ((std::vector{list(0).Count(), list(1).Count(), list(2).Count(), list(3).Count(), list(4).Count()}),
            (std::vector{0, 1, 2, 100, 100}));  // up to a hundred each
  EXPECT_EQ(list(2).Item(1).toImage().pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(list(3).Item(1).toImage(), list(1).Item(1).toImage());
  // The disabled toolbar pictures: the same ones, grey and faded.
  const QColor enabled = list(3).Item(1).toImage().pixelColor(5, 0), disabled = list(4).Item(1).toImage().pixelColor(5, 0);
  EXPECT_EQ(std::tuple(disabled.red(), disabled.green(), disabled.alpha()), std::tuple(qGray(enabled.rgb()), disabled.red(), 102));

  QFile::remove(data + QStringLiteral("0.dat"));
  skin.LoadPictures(name);  // starts from empty lists
  EXPECT_EQ(list(3).Count(), 0);
}
