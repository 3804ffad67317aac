#include "platform/text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/color.h"

namespace lumora::platform {

TextBox::TextBox(Lines lines, QWidget* parent) : FormElement(parent) {
  if (lines == Lines::Multi) {
    multi_ = new QPlainTextEdit(this);
    multi_->setTabChangesFocus(true);
    connect(multi_, &QPlainTextEdit::textChanged, this, &TextBox::Change);
  } else {
    single_ = new QLineEdit(this);
    connect(single_, &QLineEdit::textChanged, this, &TextBox::Change);
  }
  setFocusProxy(FocusWidget());
  // Until the form colours them, text boxes take the button face, like the form around them.
  SetBackColor(FromQColor(palette().color(QPalette::Button)));
}

QWidget* TextBox::FocusWidget() const {
  if (multi_) return multi_;
  return single_;
}

QString TextBox::Text() const {
  if (multi_) return multi_->toPlainText();
  return single_->text();
}

void TextBox::SetText(const QString& text) {
  if (multi_)
    multi_->setPlainText(text);
  else
    single_->setText(text);
}

void TextBox::SetBackColor(int color) {
  QWidget* editor = FocusWidget();
  QPalette pal = editor->palette();
  pal.setColor(QPalette::Base, ToQColor(color));
  editor->setPalette(pal);
}

void TextBox::SetFontName(const QString& name) {
  QFont f = font();
  f.setFamily(name);
  setFont(f);
}

void TextBox::OnResize() { FocusWidget()->setGeometry(rect()); }

}  // namespace lumora::platform
