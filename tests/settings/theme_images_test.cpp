#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <set>

#include "settings/platform_facts.h"
#include "settings/theme_images.h"

using namespace lumora;

namespace {

class ThemeImagesTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::ComputePlatformFacts({}, dir_.path() + QStringLiteral("/share/lumora"), dir_.path() + QStringLiteral("/share"), 0);
    ASSERT_TRUE(QDir().mkpath(theme_) && QDir().mkpath(data_));
  }
  static void Picture(const QString& path, QColor colour, const char* format = "PNG") {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format));
  }
  static QColor Pixel(int list, int image) { return settings::PictureLoader(list).Item(image).toImage().pixelColor(1, 1); }
  void Load() {
    QString name = QStringLiteral("blue");
    settings::LoadThemeImages(name);
    EXPECT_EQ(name, QStringLiteral("blue/"));
  }

  QTemporaryDir dir_;
  const QString theme_ = dir_.path() + QStringLiteral("/share/quillmark/engine001/blue/");
  const QString data_ = dir_.path() + QStringLiteral("/share/lumora/data/");
};

}  // namespace

// Pictures are read by their content whatever the extension; each list stops
// at its first missing or empty file.
TEST_F(ThemeImagesTest, EachListStopsAtTheFirstMissingOrEmptyFile) {
  Picture(theme_ + QStringLiteral("resource0.dat"), Qt::green, "ICO");
  Picture(theme_ + QStringLiteral("resource1.dat"), Qt::red, "JPEG");
  Picture(theme_ + QStringLiteral("resource3.dat"), Qt::red);
  QFile(theme_ + QStringLiteral("resourcea0.dat")).open(QIODevice::WriteOnly);  // empty
  Picture(theme_ + QStringLiteral("resourcea1.dat"), Qt::red);
  Picture(theme_ + QStringLiteral("resourceb0.dat"), Qt::blue, "BMP");
  Load();
  EXPECT_EQ(settings::PictureLoader(0).Count(), 0);
  EXPECT_EQ(settings::PictureLoader(1).Count(), 1);
  EXPECT_EQ(Pixel(1, 1), QColor(Qt::blue));
  ASSERT_EQ(settings::PictureLoader(2).Count(), 2);
  EXPECT_EQ(Pixel(2, 1), QColor(Qt::green));
  EXPECT_EQ(settings::PictureLoader(3).Count(), 0);
}

TEST_F(ThemeImagesTest, AtMostAHundredPicturesAndTheToolbarListReducedToSixteenColours) {
  QImage gradient(64, 64, QImage::Format_RGB32);
  for (int at = 0; at < 64 * 64; ++at) gradient.setPixelColor(at % 64, at / 64, QColor(at % 64 * 4, at / 64 * 4, at % 97));
  ASSERT_TRUE(gradient.save(data_ + QStringLiteral("resource0.dat"), "PNG"));
  for (int k = 1; k <= 100; ++k) Picture(data_ + QStringLiteral("resource%1.dat").arg(k), QColor(250, 10, 10));
  Load();
  EXPECT_EQ(settings::PictureLoader(3).Count(), 100);
  EXPECT_EQ(settings::PictureLoader(4).Count(), 100);
  EXPECT_EQ(Pixel(3, 2), QColor(250, 10, 10));
  EXPECT_EQ(Pixel(4, 2), QColor(255, 0, 0));  // VGA red
  const QImage reduced = settings::PictureLoader(4).Item(1).toImage();
  std::set<QRgb> colours;
  for (int at = 0; at < 64 * 64; ++at) colours.insert(reduced.pixel(at % 64, at / 64));
  EXPECT_LE(colours.size(), 16u);
  EXPECT_GT(colours.size(), 2u);

  // A second load starts from empty lists.
  QFile::remove(data_ + QStringLiteral("resource0.dat"));
  Load();
  EXPECT_EQ(settings::PictureLoader(3).Count(), 0);
}
