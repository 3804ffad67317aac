#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// The single-line text entry in a themed frame.
class WriteBox final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WriteBox)

 public:
  explicit WriteBox(QWidget* parent = nullptr);
};

}  // namespace lumora::controls
