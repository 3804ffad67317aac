#pragma once

#include <QPixmap>
#include <vector>

namespace lumora::platform {

// An ordered list of pictures, read by a picture number counted from 1.
class ImageList final {
 public:
  void Clear() { images_.clear(); }
  void Add(const QPixmap& image) { images_.push_back(image); }
  int Count() const { return static_cast<int>(images_.size()); }
  // A null pixmap for a number that names no picture.
  QPixmap Item(int number) const {
    if (number < 1 || number > Count()) return {};
    return images_[static_cast<size_t>(number - 1)];
  }

 private:
  std::vector<QPixmap> images_;
};

}  // namespace lumora::platform
