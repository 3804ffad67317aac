#pragma once

#include <QByteArray>
#include <QString>

namespace lumora::content {

// Index and search read at most this much of a page; a larger file is read
// up to the limit, so one odd file cannot exhaust memory.
inline constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;

// True when the page's first 4 KB declare UTF-8 (a charset or a byte-order
// mark); such a page is read as UTF-8, any other from the ANSI code page.
bool DeclaresUtf8(QByteArrayView bytes);

// The text of a page's bytes, decoded as the page declares.
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
// page is read as it takes to settle this.
QString ReadSubject(const QString& path);

}  // namespace lumora::content
