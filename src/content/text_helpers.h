#pragma once

#include <QByteArray>
#include <QString>

namespace lumora::content {

// "&amp;" reads as the word "and" wherever a page's text is listed or
// searched; other references are decoded as the characters they name.
inline constexpr char kAmpReference[] = "&amp;";
inline constexpr char kAmpWord[] = "and";

// Prepares text for labels, where a single "&" would mark an access key:
//   "Fish &amp; Chips & more"  ->  "Fish and Chips && more"
// and drops quoted-printable soft line breaks ("=" before CR LF).
QByteArray EscapeForDisplay(QByteArray text);
QString EscapeForDisplay(QString text);
// The same in two steps, for text that is decoded in between: "&amp;" as
// "and", then "&" doubled and soft line breaks dropped.
QString ReadAmpAsAnd(QString text);
QString DoubledForLabels(QString text);

// The characters that HTML character references stand for, numeric and named:
//   "a &mdash; b &#8212; c &#x2014; d &lt;e&gt;"  ->  "a — b — c — d <e>"
// A reference that names no character stays as it is.
QString DecodeCharacterReferences(const QString& text);

// What a text is measured in: a label that sizes itself to its text.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual void SetFont(const QString& fontName, bool bold) = 0;
  virtual void SetText(const QString& text) = 0;
  virtual QString Text() const = 0;
  virtual int Width() const = 0;   // twips
  virtual int Height() const = 0;  // twips
};

// The text, shortened with "..." until it fits into maxWidth twips in the
// font. A text without a blank is never shortened; equal width counts as too
// wide; "" when nothing fits or maxWidth is 0.
QString FitText(TextMeasurer& measurer, const QString& text, int maxWidth, const QString& fontName, bool bold,
                int ellipsisWidth);

// Height in twips of the measurer's text in the font (the text stays as the
// last measurement left it).
int MeasureLineHeight(TextMeasurer& measurer, const QString& fontName, bool bold);

}  // namespace lumora::content
