#include "content/page_text.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <string>
#include <string_view>

#include "content/ascii_block.h"

#include "content/page_bytes.h"
#include "content/text_helpers.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"

namespace lumora::content {
namespace {

// A page declares its encoding in this many first bytes; a word processor's
// page has its subject there too.
constexpr qsizetype kHeadBytes = 4096;

void AsciiLower(QByteArrayView bytes, std::string& lower) {
  lower.resize(static_cast<size_t>(bytes.size()));
  qsizetype i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lower.data() + i), LowerAsciiBlock(chunk));
  }
#endif
  for (; i < bytes.size(); ++i) {
    const char c = bytes[i];
    lower[static_cast<size_t>(i)] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
}

bool IsAscii(QByteArrayView bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The name after "key=" in a tag (blanks around the "=" and a quote after it
// passed over); empty when the tag names none.
std::string_view NameIn(std::string_view tag, std::string_view key) {
  for (size_t at = tag.find(key); at != std::string_view::npos; at = tag.find(key, at + key.size())) {
    size_t i = at + key.size();
    auto skip = [&](std::string_view what) {
      while (i < tag.size() && what.find(tag[i]) != std::string_view::npos) ++i;
    };
    skip(" \t\r\n");
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    skip(" \t\r\n");
    // One quote opens the name: in charset="" it closes at once, and the
    // next attribute is no name.
    if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) ++i;
    const size_t start = i;
    while (i < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[i])) || std::string_view("-_.:").find(tag[i]) != std::string_view::npos))
      ++i;
    if (i > start) return tag.substr(start, i - start);
  }
  return {};
}

// The charset named in the first <meta> tag that names one, else in the
// page's XML declaration (<?xml version="1.0" encoding="euc-jp"?>), lower case.
std::string_view DeclaredCharset(std::string_view head) {
  for (size_t meta = head.find("<meta"); meta != std::string_view::npos; meta = head.find("<meta", meta + 5)) {
    const std::string_view name = NameIn(head.substr(meta, head.find('>', meta) - meta), "charset");
    if (!name.empty()) return name;
  }
  const size_t xml = head.find("<?xml");
  if (xml == std::string_view::npos) return {};
  return NameIn(head.substr(xml, head.find("?>", xml) - xml), "encoding");
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

// A declared subject that the lists would show as nothing: blanks, soft line
// breaks, references to no character. The page is listed by its title then.
bool ListsAsNothing(const QString& subject) {
  return DecodeCharacterReferences(QString(subject).remove(QStringLiteral("=\r\n"))).trimmed().isEmpty();
}

QString FileNameSubject(const QString& path) { return core::LowerText(QFileInfo(path).fileName()); }

// The subject once the lower-cased text read so far settles it; fromTitle
// tells whether the page's <title> gave it.
std::optional<QString> SettledSubject(const QString& text, bool whole, const QString& path, bool& fromTitle) {
  const std::optional<QString> subject =
      Between(text, whole, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>"));
  if (!subject) return std::nullopt;
  if (!ListsAsNothing(*subject)) return subject;
  const std::optional<QString> title = Between(text, whole, QLatin1StringView("<title>"), QLatin1StringView("</title>"));
  if (!title) return std::nullopt;
  // Byte-order marks are invisible: a title of nothing else lists as nothing.
  const QString simplified = QString(*title).remove(QChar(0xFEFF)).simplified();
  fromTitle = !simplified.isEmpty();
  return fromTitle ? simplified : FileNameSubject(path);
}

// A subject is one row of a list: a thousand characters fill any screen, and
// a longer one (a page whose end marker is missing, say) would only make
// every later step (fitting, sorting, searching) pay for what never shows.
constexpr qsizetype kMaxSubjectLength = 1000;

QString CutSubject(QString subject) {
  if (subject.size() <= kMaxSubjectLength) return subject;
  subject.truncate(subject[kMaxSubjectLength - 1].isHighSurrogate() ? kMaxSubjectLength - 1 : kMaxSubjectLength);
  return subject;
}

std::optional<QString> SettledSubjectFromBytes(const QString& path, QByteArrayView bytes, bool complete,
                                               bool& fromTitle) {
  const std::optional<PageEncoding> declared = DeclaredEncoding(bytes);
  if (declared && declared->kind == PageEncoding::Other)
    return SettledSubject(core::LowerText(Decode(bytes, *declared)), complete, path, fromTitle);
  std::string lower;
  AsciiLower(bytes, lower);
  const std::optional<Span> subject = BetweenBytes(lower, complete, "<o:subject>", "</o:subject>");
  if (!subject) return std::nullopt;
  // The encoding of the bytes up to used; none when they do not decode
  // cleanly, and the page is then decoded whole, as a browser would.
  const auto encodingUpTo = [&](qsizetype used) -> std::optional<PageEncoding> {
    PageEncoding encoding;
    if (declared)
      encoding = *declared;
    else if (!IsAscii(bytes.first(used)))  // ASCII reads the same either way
      encoding = DetectEncoding(complete ? bytes : QByteArrayView(core::ReadRegularFile(path, kMaxPageBytes)));
    if (encoding.kind == PageEncoding::Utf8 && !core::IsValidUtf8(bytes.first(used))) return std::nullopt;
    return encoding;
  };
  bool settledWhole = false;
  const auto decoded = [&](const Span& span, qsizetype used) -> std::optional<QString> {
    const std::optional<PageEncoding> encoding = encodingUpTo(used);
    if (encoding) return core::LowerText(Decode(bytes.sliced(span.start, span.size), {encoding->kind, {}, 0}));
    settledWhole = true;
    const QString text = core::LowerText(Decode(bytes, declared.value_or(PageEncoding{PageEncoding::Utf8, {}, 0})));
    return SettledSubject(text, complete, path, fromTitle);
  };
  if (subject->size > 0) {
    const std::optional<QString> text = decoded(*subject, subject->end);
    if (settledWhole || !ListsAsNothing(*text)) return text;
  }
  const std::optional<Span> title = BetweenBytes(lower, complete, "<title>", "</title>");
  if (!title) return std::nullopt;
  const std::optional<QString> text = decoded(*title, std::max(subject->end, title->end));
  if (settledWhole) return text;
  const QString simplified = QString(*text).remove(QChar(0xFEFF)).simplified();
  fromTitle = !simplified.isEmpty();
  return fromTitle ? simplified : FileNameSubject(path);
}

}  // namespace

std::optional<PageEncoding> DeclaredEncoding(QByteArrayView bytes) {
  if (bytes.startsWith("\xef\xbb\xbf")) return PageEncoding{PageEncoding::Utf8, {}, 3};
  if (bytes.startsWith("\xff\xfe")) return PageEncoding{PageEncoding::Other, "UTF-16LE", 2};
  if (bytes.startsWith("\xfe\xff")) return PageEncoding{PageEncoding::Other, "UTF-16BE", 2};
  thread_local std::string head;  // every page is asked: no allocation each time
  AsciiLower(bytes.first(std::min(bytes.size(), kHeadBytes)), head);
  const std::string_view name = DeclaredCharset(head);
  if (name.empty()) return std::nullopt;
  // A <meta> tag readable as ASCII cannot stand in UTF-16: browsers take
  // such a page as UTF-8.
  for (const std::string_view utf8 : {"utf-8", "utf8", "unicode-1-1-utf-8", "utf-16", "utf-16le", "utf-16be"})
    if (name == utf8) return PageEncoding{PageEncoding::Utf8, {}, 0};
  for (const std::string_view ansi : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "latin1",
                                       "l1", "us-ascii", "ascii", "ansi_x3.4-1968"})
    if (name == ansi) return PageEncoding{PageEncoding::Ansi, {}, 0};
  const QByteArray decoderName(name.data(), static_cast<qsizetype>(name.size()));
  if (!QStringDecoder(decoderName.constData()).isValid()) return std::nullopt;
  return PageEncoding{PageEncoding::Other, decoderName, 0};
}

QByteArrayView WithoutCutCharacter(QByteArrayView bytes) {
  const qsizetype n = bytes.size();
  if (n < kMaxPageBytes) return bytes;
  for (qsizetype back = 1; back <= 3; ++back) {
    const auto b = static_cast<unsigned char>(bytes[n - back]);
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte
    const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return length > back ? bytes.first(n - back) : bytes;
  }
  return bytes;
}

PageEncoding DetectEncoding(QByteArrayView bytes) {
  if (std::optional<PageEncoding> declared = DeclaredEncoding(bytes)) return *declared;
  return {core::IsValidUtf8(WithoutCutCharacter(bytes)) ? PageEncoding::Utf8 : PageEncoding::Ansi, {}, 0};
}

QString Decode(QByteArrayView bytes, const PageEncoding& encoding) {
  const QByteArrayView text = bytes.sliced(std::min(encoding.bom, bytes.size()));
  switch (encoding.kind) {
    case PageEncoding::Ansi: return core::FromAnsi(text);
    case PageEncoding::Utf8: return QString::fromUtf8(text);
    case PageEncoding::Other: break;
  }
  QStringDecoder decoder(encoding.name.constData(), QStringConverter::Flag::Stateless);
  return decoder.isValid() ? decoder.decode(text) : core::FromAnsi(text);
}

QString DecodePage(QByteArrayView bytes) { return Decode(bytes, DetectEncoding(bytes)); }

QString ReadPageText(const QString& path) { return DecodePage(core::ReadRegularFile(path, kMaxPageBytes)); }

QString DeclaredSubject(const QString& lowerText) {
  return Between(lowerText, true, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>")).value();
}

QString ReadSubject(const QString& path, bool* fromTitle) {
  bool titled = false;
  for (qint64 limit = kHeadBytes;; limit = std::min(limit * 16, kMaxPageBytes)) {
    bool whole = false;
    const QByteArray bytes = core::ReadRegularFile(path, limit, &whole);
    if (const std::optional<QString> subject =
            SettledSubjectFromBytes(path, bytes, whole || limit == kMaxPageBytes, titled)) {
      if (fromTitle) *fromTitle = titled;
      return CutSubject(*subject);
    }
  }
}

}  // namespace lumora::content
