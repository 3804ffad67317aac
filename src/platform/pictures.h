#pragma once

#include <QPixmap>
#include <QString>

namespace lumora::platform {

// A picture file in any format Qt reads (BMP, GIF, JPEG, PNG, ICO, CUR, ...),
// recognised by its content whatever its extension. A null pixmap when the
// file is missing or not a picture.
QPixmap LoadPicture(const QString& path);

// The picture in the sixteen colours of the standard VGA palette, each pixel
// the nearest of them; transparency is kept.
QPixmap ReduceToVga16(const QPixmap& picture);

}  // namespace lumora::platform
