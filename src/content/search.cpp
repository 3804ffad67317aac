#include "content/search.h"

#include <cstring>
#include <string>

#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {
namespace {

// Windows-1252 lower case, byte for byte, as platform::AnsiLower has it.
struct AnsiLowerTable {
  unsigned char map[256];
  AnsiLowerTable() {
    for (int b = 0; b < 256; ++b) {
      const QByteArray one(1, static_cast<char>(b));
      map[b] = static_cast<unsigned char>(platform::AnsiLower(one).at(0));
    }
  }
};
const AnsiLowerTable kAnsiLower;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Valid UTF-8 as the decoder takes it: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (n - i < length || p[i + 1] < low || p[i + 1] > high) return false;
    for (int k = 2; k < length; ++k)
      if (!IsContinuation(p[i + k])) return false;
    i += length;
  }
  return true;
}

// Writes the page as the search sees it: "&amp;" as "and", "&" doubled,
// soft line breaks ("=" CR LF) dropped, and then lower case: for an ANSI page
// byte by byte, for a UTF-8 page the same letters in their UTF-8 form.
void EscapeAndLower(QByteArrayView page, bool utf8, std::string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(page.data());
  const qsizetype n = page.size();
  out.resize(static_cast<size_t>(n) * 2);
  char* o = out.data();
  for (qsizetype i = 0; i < n;) {
    const unsigned char b = p[i];
    if (b == '&') {
      if (n - i >= 5 && std::memcmp(p + i, "&amp;", 5) == 0) {
        std::memcpy(o, "and", 3);
        o += 3;
        i += 5;
      } else {
        *o++ = '&';
        *o++ = '&';
        ++i;
      }
    } else if (b == '=' && n - i >= 3 && p[i + 1] == '\r' && p[i + 2] == '\n') {
      i += 3;
    } else if (!utf8 || b < 0x80) {
      *o++ = static_cast<char>(utf8 ? (b >= 'A' && b <= 'Z' ? b + 32 : b) : kAnsiLower.map[b]);
      ++i;
    } else {
      // Valid UTF-8: a lead byte with its continuation bytes. The letters
      // lowered are U+00C0..U+00DE (not U+00D7), S, OE and Z with caron, and
      // Y with diaeresis, which becomes U+00FF.
      unsigned char second = i + 1 < n ? p[i + 1] : 0;
      unsigned char lead = b;
      if (b == 0xC3 && second >= 0x80 && second <= 0x9E && second != 0x97) {
        second += 0x20;
      } else if (b == 0xC5 && (second == 0xA0 || second == 0x92 || second == 0xBD)) {
        second += 1;
      } else if (b == 0xC5 && second == 0xB8) {
        lead = 0xC3;
        second = 0xBF;
      }
      *o++ = static_cast<char>(lead);
      ++i;
      if (i < n && IsContinuation(p[i])) {
        *o++ = static_cast<char>(second);
        ++i;
      }
    }
  }
  out.resize(static_cast<size_t>(o - out.data()));
}

long long CountOverlapping(const std::string& text, const QByteArray& word) {
  if (word.isEmpty()) return 0;
  long long count = 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  for (const char* at = begin; at < end;) {
    const void* found = memmem(at, static_cast<size_t>(end - at), word.constData(), static_cast<size_t>(word.size()));
    if (!found) break;
    ++count;
    at = static_cast<const char*>(found) + 1;
  }
  return count;
}

}  // namespace

std::vector<QString> SplitQuery(const QString& query) {
  std::vector<QString> words{QString()};
  QString rest = platform::TrimBlanks(query);
  // The append rule looks at word 0, not at the last word.
  auto store = [&words](const QString& word) {
    if (!words.front().isEmpty()) words.emplace_back();
    words.back() = platform::AnsiLower(word);
  };
  for (qsizetype blank = rest.indexOf(QLatin1Char(' ')); blank >= 0; blank = rest.indexOf(QLatin1Char(' '))) {
    store(rest.left(blank));
    rest = rest.mid(blank + 1);
  }
  store(rest);
  return words;
}

QueryWords::QueryWords(const std::vector<QString>& words) : words_(words) {
  for (const QString& word : words_) {
    const QByteArray ansi = platform::ToAnsi(word);
    // A character the code page lacks can never occur in an ANSI page.
    ansi_.push_back(platform::FromAnsi(ansi) == word ? ansi : QByteArray());
    utf8_.push_back(word.isValidUtf16() ? word.toUtf8() : QByteArray());
  }
}

long long QueryWords::Score(QByteArrayView page) const {
  const bool utf8 = DeclaresUtf8(page);
  // Bytes that do not decode cleanly take the slow way through the decoder.
  if (utf8 && !IsValidUtf8(page)) return ScoreDecoded(page);
  thread_local std::string text;
  EscapeAndLower(page, utf8, text);
  long long score = 0;
  for (const QByteArray& word : utf8 ? utf8_ : ansi_) score += CountOverlapping(text, word);
  return score;
}

long long QueryWords::ScoreDecoded(QByteArrayView page) const {
  const QString text = platform::AnsiLower(EscapeForDisplay(DecodePage(page)));
  long long score = 0;
  for (const QString& word : words_) {
    if (word.isEmpty()) continue;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) ++score;
  }
  return score;
}

long long ScorePage(const QString& path, const std::vector<QString>& words) {
  return QueryWords(words).Score(platform::ReadRegularFile(path, kMaxPageBytes));
}

StringTable SearchPages(const StringTable& index, const std::vector<QString>& words, const Pump& pump) {
  const QueryWords query(words);
  const int count = index.Count();
  std::vector<QString> paths(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const QString real = index.At(indexRealPath, i);
    paths[static_cast<size_t>(i)] = real.isEmpty() ? index.At(indexPath, i) : real;
  }
  std::vector<long long> scores(static_cast<size_t>(count), 0);
  const bool done = RunInParallel(
      count,
      [&](int i) {
        const QString& path = paths[static_cast<size_t>(i)];
        if (!path.isEmpty()) scores[static_cast<size_t>(i)] = query.Score(platform::ReadRegularFile(path, kMaxPageBytes));
      },
      pump);
  StringTable results(kIndexFields);
  if (!done) return results;
  for (int i = 0; i < count; ++i) {
    const long long score = scores[static_cast<size_t>(i)];
    if (score <= 0) continue;
    const int entry = results.Grow();
    results.Set(0, entry, index.At(indexSubject, i));
    results.Set(1, entry, QString::number(score));
    results.Set(indexPath, entry, index.At(indexPath, i));
    results.Set(indexRealPath, entry, paths[static_cast<size_t>(i)]);
  }
  SortTable(results, true, 1);
  return results;
}

}  // namespace lumora::content
