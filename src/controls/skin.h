#pragma once

#include <QString>
#include <array>
#include <memory>

#include "platform/image_list.h"
#include "settings/theme.h"

namespace lumora::controls {

// What the skinned controls are drawn with: the theme's fonts and colours,
// and the window's five picture lists, theme pictures (0 to 2) and toolbar
// pictures (3 and 4). Controls name a picture as image j (from 1) of list n.
// The window makes one and shares it with each control through
// ResetControl; a control keeps its share, so the skin outlives every
// control drawn with it.
struct Skin {
  settings::ThemeValues theme = settings::BuiltInTheme();
  std::array<platform::ImageList, 5> pictures;
  int ellipsisWidth = 0;  // of "..." in the theme's text font, in twips: what a cut text ends in

  const platform::ImageList& Pictures(int list) const { return pictures[static_cast<size_t>(list)]; }
  platform::ImageList& Pictures(int list) { return pictures[static_cast<size_t>(list)]; }

  // Fills the five lists: resourcea<k>.dat, resourceb<k>.dat and
  // resource<k>.dat of the theme folder, and resource<k>.dat of the
  // program's data folder twice (the second time grey and faded, for
  // disabled buttons), k from 0 until the first missing or empty file, at
  // most 100 a list. The theme name gains its trailing separator.
  void LoadPictures(QString& themeName);
};

using SharedSkin = std::shared_ptr<const Skin>;

// What a control is drawn with until it is given the window's skin: the
// built-in theme and no pictures.
SharedSkin PlainSkin();

}  // namespace lumora::controls
