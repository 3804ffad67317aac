#pragma once

#include "platform/form_element.h"

class QLineEdit;
class QPlainTextEdit;

namespace lumora::platform {

// A plain platform text box, single- or multi-line, with twip geometry.
class TextBox final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TextBox)

 public:
  enum class Lines { Single, Multi };

  TextBox(Lines lines, QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);
  bool MultiLine() const { return multi_ != nullptr; }
  void SetBackColor(int color);
  void SetFontName(const QString& name);
  // The widget that takes the keyboard focus, for tab order.
  QWidget* FocusWidget() const;

 signals:
  void Change();

 protected:
  void OnResize() override;

 private:
  QLineEdit* single_ = nullptr;
  QPlainTextEdit* multi_ = nullptr;
};

}  // namespace lumora::platform
