#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// The program's push button.
class CommandButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(CommandButton)

 public:
  explicit CommandButton(QWidget* parent = nullptr);

  // The caption is shown with its first character underlined: reading it
  // back gives "&" followed by the text written.
  QString Caption() const { return caption_; }
  void SetCaption(const QString& captionValue);

 private:
  QString caption_;
};

}  // namespace lumora::controls
