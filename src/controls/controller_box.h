#pragma once

#include "platform/container.h"

namespace lumora::controls {

// The status box shown in front of the page during long operations.
class ControllerBox final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ControllerBox)

 public:
  explicit ControllerBox(QWidget* parent = nullptr);

  // The title and the picture (0: the application icon) of the box.
  void ControllerProperty(const QString& captionValue, int pictureValue);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& captionValue);
  int PictureIndex() const { return pictureIndex_; }

 private:
  QString caption_;
  int pictureIndex_ = 0;
};

}  // namespace lumora::controls
