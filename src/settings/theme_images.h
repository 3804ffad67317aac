#pragma once

#include <array>

#include "platform/image_list.h"

namespace lumora::settings {

// The five picture lists of the window, PictureLoader(0) to PictureLoader(4):
// theme pictures (0 to 2) and toolbar pictures (3 and 4). Controls name a
// picture as image j (from 1) of list n.
std::array<platform::ImageList, 5>& PictureLoader();
inline platform::ImageList& PictureLoader(int list) { return PictureLoader()[static_cast<size_t>(list)]; }

}  // namespace lumora::settings
