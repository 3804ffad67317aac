#include "content/text_helpers.h"

#include <limits>

#include "platform/files.h"

namespace lumora::content {
namespace {

template <typename Text, typename Piece>
Text Escape(Text text, Piece amp, Piece andWord, Piece single, Piece doubled, Piece softBreak) {
  text.replace(amp, andWord);
  text.replace(single, doubled);
  text.replace(softBreak, Piece());
  return text;
}

template <typename Keep>
QString Filtered(const QString& text, Keep keep) {
  QString result;
  result.reserve(text.size());
  for (QChar c : text)
    if (keep(c.unicode())) result.append(c);
  return result;
}

}  // namespace

QByteArray ReadWholeFile(const QString& path) {
  return platform::ReadRegularFile(platform::ResolvePath(path), std::numeric_limits<qint64>::max());
}

QByteArray EscapeForDisplay(QByteArray text) {
  return Escape<QByteArray, QByteArray>(std::move(text), "&amp;", "and", "&", "&&", "=\r\n");
}

QString EscapeForDisplay(QString text) {
  return Escape<QString, QString>(std::move(text), QStringLiteral("&amp;"), QStringLiteral("and"),
                                  QStringLiteral("&"), QStringLiteral("&&"), QStringLiteral("=\r\n"));
}

// Characters beyond Latin-1 have no place in the single-byte code page these
// keys were defined on, so they go like every other character above 122.
QString NameKey(const QString& text) {
  return Filtered(text, [](char16_t c) { return !((c >= 32 && c <= 64) || c >= 123); });
}

QString DigitsOnly(const QString& text) {
  return Filtered(text, [](char16_t c) { return !((c >= 32 && c <= 47) || c >= 58); });
}

QString FitText(TextMeasurer& measurer, const QString& text, int maxWidth, const QString& fontName, bool bold,
                int ellipsisWidth) {
  if (maxWidth == 0) return {};
  if (!text.contains(QLatin1Char(' '))) return text;
  measurer.SetFont(fontName, bold);
  measurer.SetText(text);
  if (maxWidth > measurer.Width()) return text;
  QString shortened = text;
  while (maxWidth < measurer.Width() + ellipsisWidth) {
    shortened.chop(1);
    if (shortened.isEmpty()) return {};
    measurer.SetText(shortened);
  }
  return shortened + QStringLiteral("...");
}

int MeasureLineHeight(TextMeasurer& measurer, const QString& fontName, bool bold) {
  measurer.SetFont(fontName, bold);
  return measurer.Height();
}

}  // namespace lumora::content
