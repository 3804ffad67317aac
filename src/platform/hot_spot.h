#pragma once

#include "platform/form_element.h"

namespace lumora::platform {

// A transparent area laid in front of a control's other elements; it alone
// receives the mouse over its area.
class HotSpot final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(HotSpot)

 public:
  explicit HotSpot(QWidget* parent = nullptr) : FormElement(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
  }
};

}  // namespace lumora::platform
