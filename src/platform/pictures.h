#pragma once

#include <QPixmap>
#include <QString>

namespace lumora::platform {

// A picture file in any format Qt reads (BMP, GIF, JPEG, PNG, ICO, CUR, ...),
// recognised by its content whatever its extension. A null pixmap when the
// file is missing or not a picture.
QPixmap LoadPicture(const QString& path);

// For a screen scaled above 1 (ratio: device pixels per pixel), the picture
// drawn at twice the size beside it, NAME@2x.EXT, when there is one, so that it
// stays sharp; its size counts in the picture's own pixels. Else LoadPicture.
QPixmap LoadPicture(const QString& path, qreal ratio);

// The picture as a disabled control shows it: grey, of the same lightness,
// and faded to 40 % of its opacity, so that it reads as out of use on a light
// ground and on a dark one alike.
QPixmap DisabledPicture(const QPixmap& picture);

}  // namespace lumora::platform
