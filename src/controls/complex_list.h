#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// The multi-column list with column titles and its own scroll bar.
class ComplexList final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ComplexList)

 public:
  explicit ComplexList(QWidget* parent = nullptr);
};

}  // namespace lumora::controls
