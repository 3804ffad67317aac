#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "core/string_table.h"

namespace lumora::settings {

// The line format shared by the theme file and the language pack:
//   ' a comment                 (apostrophe first: skipped)
//   theme_pitch  =  &H80        key "theme_pitch", value "&H80"
//   a=b=c                       key "a", value "b=c"
// A UTF-8 byte-order mark at the start is passed over. Lines end in CR LF; the character after each CR is dropped with it, and the
// text after the last CR is ignored, so LF-only files yield nothing. Lines of
// fewer than two characters (blanks aside) and lines without "=" are skipped.
// Only blanks are trimmed around key and value; tabs are kept.
void ForEachSettingsLine(QByteArrayView text,
                         const std::function<void(QByteArrayView key, QByteArrayView value)>& handle);

// A settings file that is valid UTF-8 and holds any byte beyond ASCII is
// written in UTF-8; any other is in the ANSI code page (Windows-1252).
bool SettingsTextIsUtf8(QByteArrayView text);
QString DecodeSettingsText(QByteArrayView text, bool utf8);

// Appends a settings text to a table of two fields, field 0 the keys and
// field 1 the values (decoded as above, "</b>" turned into CR), one entry
// per line in text order.
void ReadSettingsText(QByteArrayView text, core::StringTable& table);

// The file's text read into the emptied table as above. False, with the
// table untouched, when the file is missing or empty.
bool ReadSettingsFile(const QString& path, core::StringTable& table);

}  // namespace lumora::settings
