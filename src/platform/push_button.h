#pragma once

#include "platform/form_element.h"

class QPushButton;

namespace lumora::platform {

// A plain platform push button with twip geometry; "&" in the caption marks
// the access key. Enter presses it as Space does, on release.
class PushButton final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PushButton)

 public:
  explicit PushButton(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QWidget* FocusWidget() const;

 protected:
  void OnResize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* button_ = nullptr;
  QString caption_;
  bool enterDown_ = false;
};

}  // namespace lumora::platform
