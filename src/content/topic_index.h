#pragma once

#include <QLocale>
#include <QString>

#include "content/page_text.h"
#include "content/parallel.h"
#include "core/string_table.h"

namespace lumora::content {

// Fields of the folder scan's table.
enum FileListField { fileFolder = 0, fileName = 1, fileRealPath = 2 };
// Fields of the topic index; the search results share fields 0, 2 and 3.
enum IndexField { indexSubject = 0, indexNameKey = 1, indexPath = 2, indexRealPath = 3 };
inline constexpr int kIndexFields = 4;

// Every regular file below root, folder by folder (breadth first, entries of
// a folder in name order, ignoring case): field 0 the lower-cased folder
// ending in "/", field 1 the lower-cased name, field 2 the path as it is on
// disk. Unreadable folders are passed over; a folder reached again through a
// link, or a link to a folder outside root, is not scanned. Stops early when
// the pump says so.
core::StringTable ScanFolderTree(const QString& root, const core::Pump& pump = {});

// Fills the index from the ".html" pages below the help folder, once: field 0
// the subject escaped for display (character references decoded), field 1 the name key, field 2 the
// lower-cased path, field 3 the path on disk. Does nothing when the index is
// already built (field 0 of entry 0 is set). Stopped by the pump, it leaves
// the index unbuilt and returns false.
bool BuildTopicIndex(const QString& helpFolder, core::StringTable& index, const core::Pump& pump = {});

// The page that a calling program names for context help, below the help
// folder: a path relative to the folder, else the file name of a page
// anywhere below it, else a page's name key; ".html" may be left out, and a
// "#place" after the name is kept. Paths are tried first, so the folder is
// scanned only when none matches, and not at all when the index is built:
//   "using/switches.html#top"  ->  ".../Using/Switches.html#top"
//   "Page2-Setup"              ->  ".../guide/page-setup.html" (name key "pagesetup")
// Returns "" when nothing matches. Its time grows with the name's length
// only in proportion; pump runs between the folders of a scan.
QString FindTopicPage(const QString& helpFolder, const QString& name, const core::StringTable& index,
                      const core::Pump& pump = {});

// The number at the start of a text, read leniently as stored scores are: blanks
// between digits are ignored, a sign and a decimal point are taken; 0 when
// the text starts with no number.
double LeadingNumber(const QString& text);

// Sorts the table by one field, moving whole entries: numbers largest first
// when the field of entry 0 is a number, otherwise words A to Z ignoring
// case; reversed, the other way round. Equal entries keep their order, and
// entries whose field is empty stay where they are (the entries between
// them are sorted).
void SortTable(core::StringTable& table, bool doSort, int field, bool reversed = false);

// Orders the index as a reader looks a topic up: subjects in the order of
// the locale's language, letter case ignored, numbers in natural order
// ("page 2" before "page 10"); entries without a subject last. Equal
// subjects keep their order.
void SortForReading(core::StringTable& index, const QLocale& locale);

// The entry the look-up selects for the typed text (blanks around it and
// letter case ignored): the first subject that starts with it, else the
// first with a word that starts with it ("routine" finds "25.1. routine
// vacuuming"); -1 when none does.
int LookUpEntry(const core::StringTable& index, const QString& typed);

}  // namespace lumora::content
