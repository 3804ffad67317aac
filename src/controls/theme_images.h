#pragma once

#include <QString>
#include <array>

#include "platform/image_list.h"

namespace lumora::controls {

// The five picture lists of the window, PictureLoader(0) to PictureLoader(4):
// theme pictures (0 to 2) and toolbar pictures (3 and 4). Controls name a
// picture as image j (from 1) of list n.
std::array<platform::ImageList, 5>& PictureLoader();
inline platform::ImageList& PictureLoader(int list) { return PictureLoader()[static_cast<size_t>(list)]; }

// Fills the five lists: resourcea<k>.dat, resourceb<k>.dat and
// resource<k>.dat of the theme folder, and resource<k>.dat of the program's
// data folder twice (the second time grey and faded, for disabled buttons),
// k from 0 until the first missing or empty file, at most 100 a list. The
// theme name gains its trailing separator.
void LoadThemeImages(QString& themeName);

}  // namespace lumora::controls
