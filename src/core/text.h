#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace lumora::core {

// Lower case as the ANSI code page (Windows-1252) has it: A-Z and the
// accented capitals; every other character stays as it is.
QString AnsiLower(const QString& text);
QByteArray AnsiLower(const QByteArray& bytes);

// Lower case for text in any script (Unicode's full mapping, so "İ" becomes
// "i" and a combining dot). For text of the ANSI code page it is exactly
// AnsiLower. Paths keep AnsiLower, the form they are stored and compared in.
QString LowerText(const QString& text);

// The text without the blanks at its ends; tabs and other white space stay.
QString TrimBlanks(const QString& text);

// Text of the ANSI code page (Windows-1252), in which settings files and
// most help pages are written, and back. A character the code page lacks
// becomes "?".
QString FromAnsi(QByteArrayView bytes);
QByteArray ToAnsi(const QString& text);

// The language a language pack is written in, from its file name: a
// language's name ("russian.qlp") or a locale's code ("de_DE.qlp"); the
// user's locale when the name is neither.
QLocale PackLocale(const QString& path);

// Keeps the letters A-Z and a-z, "[", "\", "]", "^", "_", "`" and control
// characters:  "page2-setup"  ->  "pagesetup"
QString NameKey(const QString& text);

// Keeps the digits and control characters:  "Item 12a"  ->  "12"
QString DigitsOnly(const QString& text);

}  // namespace lumora::core
