#include "platform/push_button.h"

#include <QPushButton>

namespace lumora::platform {

PushButton::PushButton(QWidget* parent) : FormElement(parent), button_(new QPushButton(this)) {
  setFocusProxy(button_);
  connect(button_, &QPushButton::clicked, this, &PushButton::Click);
}

QWidget* PushButton::FocusWidget() const { return button_; }

void PushButton::SetCaption(const QString& caption) {
  caption_ = caption;
  QString shown = caption;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  button_->setText(shown);
}

void PushButton::OnResize() { button_->setGeometry(rect()); }

}  // namespace lumora::platform
