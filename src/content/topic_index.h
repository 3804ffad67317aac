#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "content/string_table.h"

namespace lumora::content {

// Called after each item of a long loop, so the window keeps painting.
using Pump = std::function<void()>;

// The text of a help page, decoded as the page declares (UTF-8) or from the
// ANSI code page; "" for a page that cannot be read.
QString ReadPageText(const QString& path);

// Every file below root, folder by folder (breadth first, entries of a folder
// in name order, ignoring case): field 0 the lower-cased folder ending in "/", field 1 the
// lower-cased name. Unreadable folders are passed over, and a folder reached
// again through a link is not scanned twice.
StringTable ScanFolderTree(const QString& root, const Pump& pump = {});

// The subject a page's text (already lower case) declares between
// "<o:subject>" and "</o:subject>"; empty when the markers are missing, in
// the wrong order, or hold nothing.
QString DeclaredSubject(const QString& lowerText);

// The page's subject in lower case: the text between "<o:subject>" and
// "</o:subject>". A page without a well-formed, non-empty subject is listed
// under its <title>, or its file name when it has none.
QString ReadSubject(const QString& path);

// Fills the index from the ".html" pages below the help folder, once: field 0
// the subject escaped for display, field 1 the name key, field 2 the path.
// Does nothing when the index is already built (field 0 of entry 0 is set).
void BuildTopicIndex(const QString& helpFolder, StringTable& index, const Pump& pump = {});

// The number at the start of a text, as the original's Val reads it: blanks
// between digits are ignored, a sign and a decimal point are taken; 0 when
// the text starts with no number.
double LeadingNumber(const QString& text);

// Sorts the table by one field with the original's bubble passes, moving
// whole entries: numbers largest first (ties swap on every pass), words A to
// Z ignoring case. Entries whose field is empty are not moved past.
void SortTable(StringTable& table, bool doSort, int field);

}  // namespace lumora::content
