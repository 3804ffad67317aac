#include "platform/push_button.h"

#include <QKeyEvent>
#include <QPushButton>

namespace lumora::platform {

PushButton::PushButton(QWidget* parent) : FormElement(parent), button_(new QPushButton(this)) {
  setFocusProxy(button_);
  button_->installEventFilter(this);
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

bool PushButton::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (watched != button_ || (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::FocusOut))
    return FormElement::eventFilter(watched, event);
  if (type == QEvent::FocusOut) {
    if (enterDown_) button_->setDown(false);
    enterDown_ = false;
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  // On release, as Space: a message box the click opens must not take the
  // repeats of a held key as its own answer.
  if (type == QEvent::KeyPress) {
    enterDown_ = true;
    button_->setDown(true);
  } else if (!key->isAutoRepeat() && enterDown_) {
    enterDown_ = false;
    button_->setDown(false);
    button_->click();
  }
  return true;
}

}  // namespace lumora::platform
