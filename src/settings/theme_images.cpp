#include "settings/theme_images.h"

namespace lumora::settings {

std::array<platform::ImageList, 5>& PictureLoader() {
  static std::array<platform::ImageList, 5> lists;
  return lists;
}

}  // namespace lumora::settings
