#include "platform/label.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/color.h"
#include "platform/twips.h"

namespace lumora::platform {
namespace {
constexpr int kTextFlags = Qt::TextShowMnemonic;
}

Label::Label(QWidget* parent) : FormElement(parent) {}

QString Label::DisplayText() const {
  QString text = caption_;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

void Label::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  FitToText();
  update();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToText();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}

void Label::SetForeColor(int color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  update();
}

void Label::SetBackColor(int color) {
  if (color == backColor_) return;
  backColor_ = color;
  update();
}

void Label::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  update();
}

void Label::SetFontName(const QString& name) {
  QFont f = font();
  f.setFamily(name);
  setFont(f);
  FitToText();
  update();
}

void Label::SetFontSize(double points) {
  QFont f = font();
  f.setPointSizeF(points);
  setFont(f);
  FitToText();
  update();
}

void Label::SetFontBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
  FitToText();
  update();
}

void Label::SetFontUnderline(bool underline) {
  QFont f = font();
  f.setUnderline(underline);
  setFont(f);
  update();
}

void Label::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  update();
}

void Label::FitToText() {
  if (!autoSize_) return;
  const QFontMetrics metrics(font());
  const QString text = DisplayText();
  QSize size = metrics.boundingRect(QRect(), kTextFlags, text).size();
  if (text.isEmpty()) size = QSize(0, metrics.height());
  Move(Left(), Top(), static_cast<int>(std::lround(PixelsToTwipsX(size.width()))),
       static_cast<int>(std::lround(PixelsToTwipsY(size.height()))));
}

void Label::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!transparent_) painter.fillRect(rect(), ToQColor(backColor_));
  painter.setPen(ToQColor(foreColor_));
  int align = Qt::AlignTop;
  switch (alignment_) {
    case Alignment::Left: align |= Qt::AlignLeft; break;
    case Alignment::Right: align |= Qt::AlignRight; break;
    case Alignment::Center: align |= Qt::AlignHCenter; break;
  }
  painter.drawText(rect(), align | kTextFlags | (wordWrap_ ? Qt::TextWordWrap : 0), DisplayText());
}

}  // namespace lumora::platform
