#include "controls/controller_box.h"

namespace lumora::controls {

ControllerBox::ControllerBox(QWidget* parent) : platform::Container(parent) {}

void ControllerBox::ControllerProperty(const QString& captionValue, int pictureValue) {
  caption_ = captionValue;
  pictureIndex_ = pictureValue;
  update();
}

void ControllerBox::SetCaption(const QString& captionValue) {
  caption_ = captionValue;
  update();
}

}  // namespace lumora::controls
