#include "platform/pictures.h"

#include <QImageReader>
#include <climits>

#include "platform/files.h"

namespace lumora::platform {

QPixmap LoadPicture(const QString& path) {
  QImageReader reader(ResolvePath(path));
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) return {};
  return QPixmap::fromImage(image);
}

QPixmap ReduceToVga16(const QPixmap& picture) {
  static constexpr QRgb kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  if (picture.isNull()) return {};
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = line[x];
      QRgb best = kVga[0];
      int bestDistance = INT_MAX;
      for (const QRgb colour : kVga) {
        const int dr = qRed(pixel) - qRed(colour);
        const int dg = qGreen(pixel) - qGreen(colour);
        const int db = qBlue(pixel) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
          bestDistance = distance;
          best = colour;
        }
      }
      line[x] = qRgba(qRed(best), qGreen(best), qBlue(best), qAlpha(pixel));
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace lumora::platform
