#include "platform/pictures.h"

#include <QImageReader>

#include "platform/files.h"

namespace lumora::platform {

QPixmap LoadPicture(const QString& path) {
  QImageReader reader(ResolvePath(path));
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) return {};
  return QPixmap::fromImage(image);
}

}  // namespace lumora::platform
