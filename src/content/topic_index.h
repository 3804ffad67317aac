#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

#include "content/page_text.h"
#include "content/parallel.h"
#include "content/topic.h"
#include "core/string_table.h"

namespace lumora::content {

// Fields of the folder scan's table.
enum FileListField { fileFolder = 0, fileName = 1, fileRealPath = 2 };

// Every regular file below root, folder by folder (breadth first, entries of
// a folder in name order, ignoring case): field 0 the lower-cased folder
// ending in "/", field 1 the lower-cased name, field 2 the path as it is on
// disk. Unreadable folders are passed over; a folder reached again through a
// link, or a link to a folder outside root, is not scanned. Stops early when
// the pump says so.
core::StringTable ScanFolderTree(const QString& root, const core::Pump& pump = {});

// The topics of the ".html" pages below the help folder, in folder order:
// each page's subject (character references decoded), its name key and its
// path. Pages whose subject is empty are left out. Stopped by the pump, it
// returns nothing.
std::optional<std::vector<Topic>> BuildTopicIndex(const QString& helpFolder, const core::Pump& pump = {});

// The page that a calling program names for context help, below the help
// folder: a path relative to the folder, else the file name of a page
// anywhere below it, else a page's name key; ".html" may be left out, and a
// "#place" after the name is kept. Paths are tried first, so the folder is
// scanned only when none matches, and not at all when the index is built:
//   "using/switches.html#top"  ->  ".../Using/Switches.html#top"
//   "Page2-Setup"              ->  ".../guide/page-setup.html" (name key "pagesetup")
// Returns "" when nothing matches. Its time grows with the name's length
// only in proportion; pump runs between the folders of a scan. index is the
// built index, nullptr before it is built.
QString FindTopicPage(const QString& helpFolder, const QString& name, const std::vector<Topic>* index,
                      const core::Pump& pump = {});

// Orders the index as a reader looks a topic up: subjects in the order of
// the locale's language, letter case ignored, numbers in natural order
// ("page 2" before "page 10"). Equal subjects keep their order.
void SortForReading(std::vector<Topic>& index, const QLocale& locale);

// The topic the look-up selects for the typed text (blanks around it and
// letter case ignored): the first subject that starts with it, else the
// first with a word that starts with it ("routine" finds "25.1. routine
// vacuuming"); -1 when none does.
int LookUpEntry(const std::vector<Topic>& index, const QString& typed);

}  // namespace lumora::content
