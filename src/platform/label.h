#pragma once

#include "platform/form_element.h"

namespace lumora::platform {

// A text label. In its caption a lone "&" underlines the next character and
// "&&" shows one "&"; CR, LF or CR LF break lines.
class Label final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Label)

 public:
  enum class Alignment { Left, Right, Center };

  explicit Label(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  int ForeColor() const { return foreColor_; }
  void SetForeColor(int color);
  int BackColor() const { return backColor_; }
  void SetBackColor(int color);
  void SetAlignment(Alignment alignment);
  // A label of fixed size may break its caption between words to fit.
  void SetWordWrap(bool wrap);

  QString FontName() const { return font().family(); }
  void SetFontName(const QString& name);
  double FontSize() const { return font().pointSizeF(); }
  void SetFontSize(double points);
  bool FontBold() const { return font().bold(); }
  void SetFontBold(bool bold);
  void SetFontUnderline(bool underline);

  // The caption as drawn: line breaks normalised to "\n", "&" markers kept.
  QString DisplayText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitToText();

  QString caption_;
  bool autoSize_ = false;
  bool transparent_ = false;
  bool wordWrap_ = false;
  int foreColor_ = 0x000000;
  int backColor_ = 0xFFFFFF;
  Alignment alignment_ = Alignment::Left;
};

}  // namespace lumora::platform
