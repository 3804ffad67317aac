#pragma once

#include <QString>
#include <QStringList>

namespace lumora::bench {

// The shape of a generated help set.
struct CorpusShape {
  int pages = 5000;
  qint64 bytes = 100LL * 1024 * 1024;  // all pages together, about
  int flatPages = 2000;                // of them in one folder, "Reference"
  bool utf8 = false;                   // UTF-8 pages with accented words, else Windows-1252 and ASCII
};

// Writes a help set of word-processor style pages below root (which must
// exist): each page with its subject in the head, names with capitals, the
// flat folder first and the rest in nested chapter and section folders.
// The same shape always gives the same pages. Returns the real paths.
QStringList WriteHelpCorpus(const QString& root, const CorpusShape& shape = {});

}  // namespace lumora::bench
