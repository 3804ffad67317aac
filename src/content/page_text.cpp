#include "content/page_text.h"

#include <QFileInfo>
#include <optional>
#include <string>
#include <string_view>

#include "content/page_bytes.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {
namespace {

// A page declares its encoding in this many first bytes; a word processor's
// page has its subject there too.
constexpr qint64 kHeadBytes = 4096;

// The charset markers are ASCII, so a head with only A-Z lowered finds them.
bool HeadDeclaresUtf8(QByteArrayView bytes, std::string_view asciiLower) {
  const std::string_view head = asciiLower.substr(0, kHeadBytes);
  return bytes.startsWith("\xef\xbb\xbf") || head.find("charset=utf-8") != std::string_view::npos ||
         head.find("charset=\"utf-8") != std::string_view::npos;
}

std::string AsciiLower(QByteArrayView bytes) {
  std::string lower(static_cast<size_t>(bytes.size()), '\0');
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    lower[static_cast<size_t>(i)] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
  return lower;
}

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

// The text between two markers in a page's bytes, found as in the lower-cased
// text: the markers are ASCII, and in the ANSI code page or valid UTF-8 an
// ASCII byte stands for its own character only.
struct Span {
  qsizetype start = 0;
  qsizetype end = 0;  // just past the closing marker, 0 when none was found
  qsizetype size = 0;
};

std::optional<Span> BetweenBytes(std::string_view lower, bool whole, std::string_view open, std::string_view close) {
  const size_t end = lower.find(close);
  if (end == std::string_view::npos) return whole ? std::optional<Span>(Span{}) : std::nullopt;
  const size_t start = lower.find(open);
  const auto after = static_cast<qsizetype>(end + close.size());
  if (start == std::string_view::npos || end < start + open.size()) return Span{0, after, 0};
  return Span{static_cast<qsizetype>(start + open.size()), after, static_cast<qsizetype>(end - start - open.size())};
}

// The subject from the page's first bytes without decoding more than the
// subject or the title itself.
std::optional<QString> SettledSubjectFromBytes(QByteArrayView bytes, bool whole, const QString& path) {
  const std::string lower = AsciiLower(bytes);
  const std::optional<Span> subject = BetweenBytes(lower, whole, "<o:subject>", "</o:subject>");
  if (!subject) return std::nullopt;
  std::optional<Span> title;
  if (subject->size == 0) {
    title = BetweenBytes(lower, whole, "<title>", "</title>");
    if (!title) return std::nullopt;
  }
  const bool utf8 = HeadDeclaresUtf8(bytes, lower);
  const qsizetype used = std::max(subject->end, title ? title->end : 0);
  // Bytes that do not decode cleanly are decoded whole, as the page is.
  if (utf8 && !IsValidUtf8(bytes.first(used)))
    return SettledSubject(platform::AnsiLower(DecodePage(bytes)), whole, path);
  auto decoded = [&](const Span& span) {
    const QByteArrayView piece = bytes.sliced(span.start, span.size);
    return platform::AnsiLower(utf8 ? QString::fromUtf8(piece) : platform::FromAnsi(piece));
  };
  if (!title) return decoded(*subject);
  const QString simplified = decoded(*title).simplified();
  if (!simplified.isEmpty()) return simplified;
  return platform::AnsiLower(QFileInfo(path).fileName());
}

}  // namespace

bool DeclaresUtf8(QByteArrayView bytes) {
  return HeadDeclaresUtf8(bytes, AsciiLower(bytes.first(std::min<qsizetype>(bytes.size(), kHeadBytes))));
}

QString DecodePage(QByteArrayView bytes) {
  return DeclaresUtf8(bytes) ? QString::fromUtf8(bytes) : platform::FromAnsi(bytes);
}

QString ReadPageText(const QString& path) { return DecodePage(platform::ReadRegularFile(path, kMaxPageBytes)); }

QString DeclaredSubject(const QString& lowerText) {
  return Between(lowerText, true, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>")).value();
}

QString ReadSubject(const QString& path) {
  for (qint64 limit = kHeadBytes;; limit = std::min(limit * 16, kMaxPageBytes)) {
    bool whole = false;
    const QByteArray bytes = platform::ReadRegularFile(path, limit, &whole);
    if (const std::optional<QString> subject = SettledSubjectFromBytes(bytes, whole || limit == kMaxPageBytes, path))
      return *subject;
  }
}

}  // namespace lumora::content
