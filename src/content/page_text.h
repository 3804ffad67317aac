#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/files.h"

namespace lumora::content {

// Index and search read at most this much of a page; a larger file is read
// up to the limit, so one odd file cannot exhaust memory.
inline constexpr qint64 kMaxPageBytes = core::kMaxHelpFileBytes;

// How a page's bytes are read.
struct PageEncoding {
  enum Kind { Ansi, Utf8, Other };
  Kind kind = Ansi;
  QByteArray name;    // Other: the decoder's name
  qsizetype bom = 0;  // bytes of a byte-order mark to pass over
};

// The encoding a page declares: a byte-order mark (UTF-8, UTF-16 LE or BE),
// else the charset of a <meta> tag in its first 4 KB:
//   <meta charset="windows-1251">
//   <meta http-equiv=Content-Type content="text/html; charset=koi8-r">
// Windows-1252 and the names browsers read as it (ISO-8859-1, US-ASCII) are
// the ANSI code page. None for a page that declares nothing a decoder knows.
std::optional<PageEncoding> DeclaredEncoding(QByteArrayView bytes);

// A page read up to kMaxPageBytes may end inside a UTF-8 character: its
// bytes there are left out, so that the rest still reads as the UTF-8 it
// is. Fewer bytes come back whole.
QByteArrayView WithoutCutCharacter(QByteArrayView bytes);

// The encoding to read a page with: as it declares; otherwise UTF-8 when the
// bytes are valid UTF-8, else the ANSI code page.
PageEncoding DetectEncoding(QByteArrayView bytes);

// The text of a page's bytes in the given encoding, or as it is detected.
QString Decode(QByteArrayView bytes, const PageEncoding& encoding);
QString DecodePage(QByteArrayView bytes);

// The text of the page at exactly this path (no letter-case lookup); "" for
// a page that cannot be read.
QString ReadPageText(const QString& path);

// The subject a page's text (already lower case) declares between
// "<o:subject>" and "</o:subject>"; empty when the markers are missing, in
// the wrong order, or hold nothing.
QString DeclaredSubject(const QString& lowerText);

// The page's subject in lower case: the text between "<o:subject>" and
// "</o:subject>". A page without a well-formed, non-empty subject is listed
// under its <title>, or its file name when it has none. Only as much of the
// page is read as it takes to settle this. fromTitle, when given, tells
// whether the <title> gave it.
QString ReadSubject(const QString& path, bool* fromTitle = nullptr);

}  // namespace lumora::content
