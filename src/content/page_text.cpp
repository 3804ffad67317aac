#include "content/page_text.h"

#include <QFileInfo>
#include <optional>

#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {
namespace {

// Enough for the head of a word processor's page, where the subject stands.
constexpr qint64 kFirstRead = 16 * 1024;

// Between the first opening marker and the first closing one, once the text
// read so far settles it: the first closing marker is in it, or the page is
// whole. Empty when either marker is missing or they stand in the wrong order.
std::optional<QString> Between(const QString& text, bool whole, QLatin1StringView open, QLatin1StringView close) {
  const qsizetype end = text.indexOf(close);
  if (end < 0) return whole ? std::optional<QString>(QString()) : std::nullopt;
  // An opening marker further on than the text read would stand after the
  // closing one: wrong order either way.
  const qsizetype start = text.indexOf(open);
  if (start < 0 || end < start + open.size()) return QString();
  return text.mid(start + open.size(), end - start - open.size());
}

// The subject once the lower-cased text read so far settles it.
std::optional<QString> SettledSubject(const QString& text, bool whole, const QString& path) {
  const std::optional<QString> subject =
      Between(text, whole, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>"));
  if (!subject) return std::nullopt;
  if (!subject->isEmpty()) return subject;
  const std::optional<QString> title = Between(text, whole, QLatin1StringView("<title>"), QLatin1StringView("</title>"));
  if (!title) return std::nullopt;
  const QString simplified = title->simplified();
  if (!simplified.isEmpty()) return simplified;
  return platform::AnsiLower(QFileInfo(path).fileName());
}

}  // namespace

bool DeclaresUtf8(QByteArrayView bytes) {
  const QByteArray head = platform::AnsiLower(bytes.first(std::min<qsizetype>(bytes.size(), 4096)).toByteArray());
  return head.contains("charset=utf-8") || head.contains("charset=\"utf-8") || head.startsWith("\xef\xbb\xbf");
}

QString DecodePage(QByteArrayView bytes) {
  return DeclaresUtf8(bytes) ? QString::fromUtf8(bytes) : platform::FromAnsi(bytes);
}

QString ReadPageText(const QString& path) { return DecodePage(platform::ReadRegularFile(path, kMaxPageBytes)); }

QString DeclaredSubject(const QString& lowerText) {
  return Between(lowerText, true, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>")).value();
}

QString ReadSubject(const QString& path) {
  for (qint64 limit = kFirstRead;; limit = std::min(limit * 16, kMaxPageBytes)) {
    bool whole = false;
    const QByteArray bytes = platform::ReadRegularFile(path, limit, &whole);
    const QString text = platform::AnsiLower(DecodePage(bytes));
    if (const std::optional<QString> subject = SettledSubject(text, whole || limit == kMaxPageBytes, path))
      return *subject;
  }
}

}  // namespace lumora::content
