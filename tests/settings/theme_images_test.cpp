#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <set>
#include <QTemporaryDir>

#include "settings/platform_facts.h"
#include "settings/theme_images.h"

using namespace lumora;

namespace {

class ThemeImagesTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, dir_.path() + QStringLiteral("/share/lumora"),
                                   dir_.path() + QStringLiteral("/share"), 0);
    QDir().mkpath(Theme());
    QDir().mkpath(Data());
  }
  QString Theme() const { return dir_.path() + QStringLiteral("/share/quillmark/engine001/blue/"); }
  QString Data() const { return dir_.path() + QStringLiteral("/share/lumora/data/"); }
  static void Picture(const QString& path, QColor colour, const char* format = "PNG") {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format));
  }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(ThemeImagesTest, EachListStopsAtTheFirstMissingOrEmptyFile) {
  for (int k : {0, 1, 3}) Picture(Theme() + QStringLiteral("resource%1.dat").arg(k), Qt::red);
  QFile(Theme() + QStringLiteral("resourcea0.dat")).open(QIODevice::WriteOnly);  // empty
  Picture(Theme() + QStringLiteral("resourcea1.dat"), Qt::red);
  Picture(Theme() + QStringLiteral("resourceb0.dat"), Qt::red, "BMP");
  Picture(Theme() + QStringLiteral("resourceb1.dat"), Qt::red, "JPEG");
  QString name = QStringLiteral("blue");
  settings::LoadThemeImages(name);
  EXPECT_EQ(name, QStringLiteral("blue/"));
  EXPECT_EQ(settings::PictureLoader(0).Count(), 0);
  EXPECT_EQ(settings::PictureLoader(1).Count(), 2);  // any format, whatever the extension
  EXPECT_EQ(settings::PictureLoader(2).Count(), 2);
  EXPECT_EQ(settings::PictureLoader(3).Count(), 0);
}

TEST_F(ThemeImagesTest, GifAndIconFilesLoadWhateverTheirExtension) {
  Picture(Theme() + QStringLiteral("resource0.dat"), Qt::green, "ICO");
  const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
  if (convert.isEmpty()) GTEST_SKIP() << "ImageMagick draws the GIF file";
  QProcess::execute(convert, {QStringLiteral("-size"), QStringLiteral("3x3"), QStringLiteral("xc:blue"),
                              QStringLiteral("gif:") + Theme() + QStringLiteral("resource1.dat")});
  QString name = QStringLiteral("blue");
  settings::LoadThemeImages(name);
  ASSERT_EQ(settings::PictureLoader(2).Count(), 2);
  EXPECT_EQ(settings::PictureLoader(2).Item(1).toImage().pixelColor(1, 1), QColor(Qt::green));
  EXPECT_EQ(settings::PictureLoader(2).Item(2).toImage().pixelColor(1, 1), QColor(Qt::blue));
}

TEST_F(ThemeImagesTest, ReducedToolbarPicturesHoldAtMostSixteenColours) {
  QImage gradient(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) gradient.setPixelColor(x, y, QColor(x * 4, y * 4, (x + y) * 2));
  ASSERT_TRUE(gradient.save(Data() + QStringLiteral("resource0.dat"), "PNG"));
  QString name = QStringLiteral("blue");
  settings::LoadThemeImages(name);
  const QImage reduced = settings::PictureLoader(4).Item(1).toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < reduced.height(); ++y)
    for (int x = 0; x < reduced.width(); ++x) colours.insert(reduced.pixel(x, y));
  EXPECT_LE(colours.size(), 16u);
  EXPECT_GT(colours.size(), 2u);
}

TEST_F(ThemeImagesTest, AtMostAHundredPicturesAndTheReducedToolbarList) {
  for (int k = 0; k <= 100; ++k) Picture(Data() + QStringLiteral("resource%1.dat").arg(k), QColor(250, 10, 10));
  QString name = QStringLiteral("blue");
  settings::LoadThemeImages(name);
  EXPECT_EQ(settings::PictureLoader(3).Count(), 100);
  EXPECT_EQ(settings::PictureLoader(4).Count(), 100);
  EXPECT_EQ(settings::PictureLoader(3).Item(1).toImage().pixelColor(0, 0), QColor(250, 10, 10));
  EXPECT_EQ(settings::PictureLoader(4).Item(1).toImage().pixelColor(0, 0), QColor(255, 0, 0));  // VGA red

  // A second load starts from empty lists.
  QFile::remove(Data() + QStringLiteral("resource0.dat"));
  settings::LoadThemeImages(name);
  EXPECT_EQ(settings::PictureLoader(3).Count(), 0);
}
