#pragma once

#include <QByteArray>
#include <string>
#include <string_view>

namespace lumora::content {

// Writes a page as the search sees it: "&amp;" as "and", "&" doubled, soft
// line breaks ("=" CR LF) dropped, and then lower case: for an ANSI page byte
// by byte as the code page has it, for UTF-8 every letter of every script,
// case-folded (a final sigma as the sigma its capital lowers to).
// The same as decoding, escaping, lower-casing and encoding again, at about
// the speed of a copy for ASCII text. False for UTF-8 that is not valid (out
// is then of no use).
bool EscapeAndLower(QByteArrayView page, bool utf8, std::string& out);

// How often word occurs in text, overlapping occurrences included; 0 for an
// empty word.
// True when no byte of text is beyond ASCII.
bool IsAscii(std::string_view text);

long long CountOverlapping(std::string_view text, QByteArrayView word);

}  // namespace lumora::content
