#include "content/topic_index.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <deque>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

#include "content/text_helpers.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {
namespace {

QString WithSlash(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A subject as the lists show it: "&amp;" read as "and" as always, other
// character references as the characters they stand for, then every "&"
// doubled for the labels.
QString ListedSubject(QString subject) {
  subject.replace(QStringLiteral("&amp;"), QStringLiteral("and"));
  subject = platform::LowerText(DecodeCharacterReferences(subject));
  subject.replace(QStringLiteral("&"), QStringLiteral("&&"));
  subject.remove(QStringLiteral("=\r\n"));
  return subject;
}

bool Inside(const QString& canonical, const QString& canonicalRoot) {
  return canonical == canonicalRoot || canonical.startsWith(WithSlash(canonicalRoot));
}

// "a#b#c" -> ("a#b#c", none), ("a#b", "c"), ("a", "b#c"): a "#" may be part
// of a file name, so cuts are tried, the whole name first. A name longer
// than a path can be names no file, and real names hold a "#" or two: at most
// kMaxCuts cuts of at most kLongestPath characters are tried, so a name of
// any length costs time in proportion to its length.
constexpr qsizetype kLongestPath = 4096;
constexpr size_t kMaxCuts = 32;

struct NamedPlace {
  QString name;
  qsizetype at;  // where the place starts in the whole name, with its "#"; its length when none
};

std::vector<NamedPlace> PlaceCuts(const QString& name) {
  // The first and the last "#"s where a name may end: the name may hold a
  // "#" or two, and so may the place.
  std::vector<qsizetype> ends;
  for (qsizetype at = name.indexOf(QLatin1Char('#'), 1); at > 0 && at <= kLongestPath && ends.size() < kMaxCuts / 2;
       at = name.indexOf(QLatin1Char('#'), at + 1))
    ends.push_back(at);
  for (qsizetype at = name.lastIndexOf(QLatin1Char('#'), std::min(name.size() - 1, kLongestPath));
       at > 0 && ends.size() < kMaxCuts; at = name.lastIndexOf(QLatin1Char('#'), at - 1))
    ends.push_back(at);
  if (name.size() <= kLongestPath) ends.push_back(name.size());
  std::sort(ends.begin(), ends.end(), std::greater<>());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  std::vector<NamedPlace> cuts;
  for (const qsizetype at : ends) cuts.push_back({name.left(at), at});
  return cuts;
}

QString WithoutHtml(QString name) { return name.endsWith(QLatin1String(".html")) ? name.chopped(5) : name; }

}  // namespace

StringTable ScanFolderTree(const QString& root, const Pump& pump) {
  StringTable files(3);
  struct Folder {
    QString given;  // as the caller wrote the root, then the names on disk
    QString real;
  };
  const QString start = WithSlash(root);
  const QString realStart = WithSlash(platform::ResolvePath(start));
  const QString canonicalRoot = QFileInfo(realStart).canonicalFilePath();
  std::deque<Folder> queue{{start, realStart}};
  QSet<QString> seen;
  int count = 0;
  while (!queue.empty()) {
    const Folder folder = queue.front();
    queue.pop_front();
    const QString canonical = QFileInfo(folder.real).canonicalFilePath();
    // Gone, reached again through a link, or a link out of the help folder.
    if (canonical.isEmpty() || seen.contains(canonical) || !Inside(canonical, canonicalRoot)) continue;
    seen.insert(canonical);
    const QFileInfoList entries = QDir(folder.real).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QString lowerFolder = platform::AnsiLower(folder.given);
    for (const QFileInfo& entry : entries) {
      if (entry.isDir()) {
        queue.push_back({folder.given + entry.fileName() + QLatin1Char('/'),
                         folder.real + entry.fileName() + QLatin1Char('/')});
        continue;
      }
      if (!entry.isFile()) continue;  // FIFOs, sockets, devices, broken links
      // A page linked in from outside the help folder is not part of it.
      if (entry.isSymLink() && !Inside(entry.canonicalFilePath(), canonicalRoot)) continue;
      const int at = count == 0 ? 0 : files.Append();
      files.Set(fileFolder, at, lowerFolder);
      files.Set(fileName, at, platform::AnsiLower(entry.fileName()));
      files.Set(fileRealPath, at, folder.real + entry.fileName());
      ++count;
    }
    if (pump && !pump()) break;
  }
  return files;
}

bool BuildTopicIndex(const QString& helpFolder, StringTable& index, const Pump& pump) {
  if (!index.At(indexSubject, 0).isEmpty()) return true;
  bool stopped = false;
  const Pump guarded = [&] {
    if (!stopped && pump && !pump()) stopped = true;
    return !stopped;
  };
  const StringTable files = ScanFolderTree(helpFolder, guarded);
  if (stopped) return false;
  std::vector<int> pages;
  for (int i = 0; i < files.Count(); ++i)
    if (files.At(fileName, i).endsWith(QLatin1String(".html"))) pages.push_back(i);
  std::vector<QString> subjects(pages.size());
  const bool done = RunInParallel(
      static_cast<int>(pages.size()),
      [&](int k) {
        const QString path = files.At(fileRealPath, pages[static_cast<size_t>(k)]);
        subjects[static_cast<size_t>(k)] = ListedSubject(ReadSubject(path));
      },
      guarded);
  if (!done) return false;
  for (size_t k = 0; k < pages.size(); ++k) {
    const int file = pages[k];
    const QString name = files.At(fileName, file);
    const int entry = index.Grow();
    index.Set(indexSubject, entry, subjects[k]);
    index.Set(indexNameKey, entry, NameKey(QString(name).remove(QStringLiteral(".html"))));
    index.Set(indexPath, entry, files.At(fileFolder, file) + name);
    index.Set(indexRealPath, entry, files.At(fileRealPath, file));
  }
  return true;
}

QString FindTopicPage(const QString& helpFolder, const QString& name, const StringTable& index, const Pump& pump) {
  QString wanted = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
  qsizetype slashes = 0;
  while (slashes < wanted.size() && wanted[slashes] == QLatin1Char('/')) ++slashes;
  wanted.remove(0, slashes);
  if (wanted.isEmpty()) return {};
  // The place after the page name keeps its backslashes.
  const QString asGiven = name.mid(slashes);
  const std::vector<NamedPlace> cuts = PlaceCuts(wanted);
  const QString folder = WithSlash(helpFolder);
  const QString canonicalRoot = QFileInfo(platform::ResolvePath(folder)).canonicalFilePath();
  for (const NamedPlace& cut : cuts) {
    for (const QString& file : {cut.name, QString(cut.name + QStringLiteral(".html"))}) {
      const QString real = platform::ResolvePath(folder + file);
      const QFileInfo info(real);
      // "../" may not lead out of the help folder.
      if (info.isFile() && Inside(info.canonicalFilePath(), canonicalRoot)) return real + asGiven.mid(cut.at);
    }
  }

  // The pages as the index lists them: file name without ".html", its name
  // key, and the real path.
  struct Page {
    QString name, key, real;
  };
  std::vector<Page> pages;
  const auto add = [&](const QString& path, const QString& real) {
    const QString file = WithoutHtml(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
    pages.push_back({file, NameKey(QString(file).remove(QStringLiteral(".html"))), real});
  };
  if (!index.At(indexSubject, 0).isEmpty()) {
    for (int i = 0; i < index.Count(); ++i) add(index.At(indexPath, i), index.At(indexRealPath, i));
  } else {
    const StringTable files = ScanFolderTree(folder, pump);
    for (int i = 0; i < files.Count(); ++i)
      if (files.At(fileName, i).endsWith(QLatin1String(".html")))
        add(files.At(fileFolder, i) + files.At(fileName, i), files.At(fileRealPath, i));
  }
  for (const bool byKey : {false, true}) {
    for (const NamedPlace& cut : cuts) {
      if (cut.name.contains(QLatin1Char('/'))) continue;
      const QString lower = WithoutHtml(platform::AnsiLower(cut.name));
      const QString wantedName = byKey ? NameKey(lower) : lower;
      if (wantedName.isEmpty()) continue;
      for (const Page& page : pages)
        if ((byKey ? page.key : page.name) == wantedName) return page.real + asGiven.mid(cut.at);
    }
  }
  return {};
}

double LeadingNumber(const QString& text) {
  QString number;
  qsizetype i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isDigit() && c.unicode() < 128) {
      number += c;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
      number += c;
    } else if (c != QLatin1Char(' ') && c != QLatin1Char('\t')) {
      break;
    }
  }
  bool ok = false;
  const double value = number.toDouble(&ok);
  return ok ? value : 0.0;
}

void SortTable(StringTable& table, bool doSort, int field) {
  if (!doSort) return;
  const QString first = table.At(field, 0);
  const bool numeric = first.size() < 3 * DigitsOnly(first).size();
  const int count = table.Count();
  // Keys are read once, not at every comparison.
  std::vector<QString> texts(static_cast<size_t>(count));
  std::vector<double> numbers(numeric ? static_cast<size_t>(count) : 0);
  for (int i = 0; i < count; ++i) {
    texts[static_cast<size_t>(i)] = table.At(field, i);
    if (numeric) numbers[static_cast<size_t>(i)] = LeadingNumber(texts[static_cast<size_t>(i)]);
  }
  auto before = [&](int a, int b) {
    if (numeric) return numbers[static_cast<size_t>(a)] > numbers[static_cast<size_t>(b)];
    return texts[static_cast<size_t>(a)].compare(texts[static_cast<size_t>(b)], Qt::CaseInsensitive) < 0;
  };
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  for (auto from = order.begin(); from != order.end();) {
    const auto isEmpty = [&](int i) { return texts[static_cast<size_t>(i)].isEmpty(); };
    from = std::find_if_not(from, order.end(), isEmpty);
    const auto to = std::find_if(from, order.end(), isEmpty);
    std::stable_sort(from, to, before);
    from = to;
  }
  table.Reorder(order);
}

}  // namespace lumora::content
