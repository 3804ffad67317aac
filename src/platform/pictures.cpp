#include "platform/pictures.h"

#include <QImageReader>

#include "core/files.h"

namespace lumora::platform {

QPixmap LoadPicture(const QString& path) {
  QImageReader reader(core::ResolvePath(path));
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) return {};
  return QPixmap::fromImage(image);
}

QPixmap LoadPicture(const QString& path, qreal ratio) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  if (ratio > 1 && dot > path.lastIndexOf(QLatin1Char('/'))) {
    const QString sharper = path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
    QPixmap picture = core::FileIsUsable(sharper) ? LoadPicture(sharper) : QPixmap();
    if (!picture.isNull()) {
      picture.setDevicePixelRatio(2);
      return picture;
    }
  }
  return LoadPicture(path);
}

QPixmap DisabledPicture(const QPixmap& picture) {
  if (picture.isNull()) return {};
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = line[x];
      const int grey = qGray(pixel);
      line[x] = qRgba(grey, grey, grey, qAlpha(pixel) * 2 / 5);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace lumora::platform
