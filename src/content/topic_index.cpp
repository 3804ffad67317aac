#include "content/topic_index.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <deque>
#include <functional>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

#include "content/text_helpers.h"
#include "core/files.h"
#include "core/text.h"

namespace lumora::content {
namespace {

QString WithSlash(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A subject as the lists show it: "&amp;" read as "and" as always, other
// character references as the characters they stand for, then every "&"
// doubled for the labels.
QString ListedSubject(QString subject) {
  return DoubledForLabels(core::LowerText(DecodeCharacterReferences(ReadAmpAsAnd(std::move(subject)))));
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

// A part that most titles of a help set share (" — python 3.11.2
// documentation") tells the pages apart in nothing and crowds out the words
// that do: a leading or trailing part, cut at one of these separators, that
// at least half of the titles hold is left out of the listed subjects.
constexpr QStringView kTitleSeparators[] = {u" \u2014 ", u" \u2013 ", u" - ", u" | ", u" :: ", u": ", u" \u00bb ", u" \u00b7 "};

void DropSharedTitleParts(std::vector<QString>& subjects, const std::vector<char>& fromTitle) {
  const auto titles = std::count(fromTitle.begin(), fromTitle.end(), 1);
  QHash<QString, int> heads, tails;
  for (size_t k = 0; k < subjects.size(); ++k) {
    if (!fromTitle[k]) continue;
    const QString& title = subjects[k];
    QSet<QString> ownHeads, ownTails;  // a title counts once for each part
    for (const QStringView separator : kTitleSeparators) {
      for (qsizetype at = title.indexOf(separator, 1); at > 0; at = title.indexOf(separator, at + 1)) {
        ownTails.insert(title.mid(at));
        if (at + separator.size() < title.size()) ownHeads.insert(title.left(at + separator.size()));
      }
    }
    for (const QString& head : ownHeads) ++heads[head];
    for (const QString& tail : ownTails) ++tails[tail];
  }
  // The longest part; of parts as long, the one more titles hold, then the
  // first in text order: the hash's order changes from run to run.
  const auto mostShared = [titles](const QHash<QString, int>& parts) {
    QString longest;
    int held = 0;
    for (auto part = parts.begin(); part != parts.end(); ++part) {
      if (2 * part.value() < titles) continue;
      const auto better = std::tuple(part.key().size(), part.value()) <=> std::tuple(longest.size(), held);
      if (better > 0 || (better == 0 && part.key() < longest)) {
        longest = part.key();
        held = part.value();
      }
    }
    return longest;
  };
  const QString head = mostShared(heads), tail = mostShared(tails);
  for (size_t k = 0; k < subjects.size(); ++k) {
    if (!fromTitle[k]) continue;
    QString& title = subjects[k];
    if (!tail.isEmpty() && title.size() > tail.size() && title.endsWith(tail)) title.chop(tail.size());
    if (!head.isEmpty() && title.size() > head.size() && title.startsWith(head)) title.remove(0, head.size());
  }
}

QString WithoutHtml(QString name) { return name.endsWith(QLatin1String(".html")) ? name.chopped(5) : name; }

}  // namespace

core::StringTable ScanFolderTree(const QString& root, const core::Pump& pump) {
  core::StringTable files(3);
  struct Folder {
    QString given;  // as the caller wrote the root, then the names on disk
    QString real;
  };
  const QString start = WithSlash(root);
  const QString realStart = WithSlash(core::ResolvePath(start));
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
    const QString lowerFolder = core::AnsiLower(folder.given);
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
      files.Set(fileName, at, core::AnsiLower(entry.fileName()));
      files.Set(fileRealPath, at, folder.real + entry.fileName());
      ++count;
    }
    if (pump && !pump()) break;
  }
  return files;
}

bool BuildTopicIndex(const QString& helpFolder, core::StringTable& index, const core::Pump& pump) {
  if (!index.At(indexSubject, 0).isEmpty()) return true;
  bool stopped = false;
  const core::Pump guarded = [&] {
    if (!stopped && pump && !pump()) stopped = true;
    return !stopped;
  };
  const core::StringTable files = ScanFolderTree(helpFolder, guarded);
  if (stopped) return false;
  std::vector<int> pages;
  for (int i = 0; i < files.Count(); ++i)
    if (files.At(fileName, i).endsWith(QLatin1String(".html"))) pages.push_back(i);
  std::vector<QString> subjects(pages.size());
  std::vector<char> fromTitle(pages.size(), 0);  // not vector<bool>: the threads write neighbours
  const bool done = RunInParallel(
      static_cast<int>(pages.size()),
      [&](int k) {
        const auto at = static_cast<size_t>(k);
        bool titled = false;
        subjects[at] = ListedSubject(ReadSubject(files.At(fileRealPath, pages[at]), &titled));
        fromTitle[at] = titled;
      },
      guarded);
  if (!done) return false;
  DropSharedTitleParts(subjects, fromTitle);
  std::vector<QString> keys(pages.size());
  QHash<QString, int> uses;  // of a subject with a name key
  for (size_t k = 0; k < pages.size(); ++k) {
    keys[k] = core::NameKey(QString(files.At(fileName, pages[k])).remove(QStringLiteral(".html")));
    ++uses[subjects[k] + QLatin1Char('\n') + keys[k]];
  }
  const qsizetype rootLength = WithSlash(helpFolder).size();
  for (size_t k = 0; k < pages.size(); ++k) {
    const int file = pages[k];
    const QString name = files.At(fileName, file);
    // Rows that read the same in both columns tell their pages apart by folder.
    if (uses.value(subjects[k] + QLatin1Char('\n') + keys[k]) > 1) {
      QString folder = files.At(fileFolder, file).mid(rootLength);
      folder.chop(1);  // its "/"
      folder.replace(u'&', QStringLiteral("&&"));
      subjects[k] += QStringLiteral(" (") + (folder.isEmpty() ? QStringLiteral("/") : folder) + QLatin1Char(')');
    }
    const int entry = index.Grow();
    index.Set(indexSubject, entry, subjects[k]);
    index.Set(indexNameKey, entry, keys[k]);
    index.Set(indexPath, entry, files.At(fileFolder, file) + name);
    index.Set(indexRealPath, entry, files.At(fileRealPath, file));
  }
  return true;
}

QString FindTopicPage(const QString& helpFolder, const QString& name, const core::StringTable& index, const core::Pump& pump) {
  QString wanted = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
  qsizetype slashes = 0;
  while (slashes < wanted.size() && wanted[slashes] == QLatin1Char('/')) ++slashes;
  wanted.remove(0, slashes);
  if (wanted.isEmpty()) return {};
  // The place after the page name keeps its backslashes.
  const QString asGiven = name.mid(slashes);
  const std::vector<NamedPlace> cuts = PlaceCuts(wanted);
  const QString folder = WithSlash(helpFolder);
  const QString canonicalRoot = QFileInfo(core::ResolvePath(folder)).canonicalFilePath();
  for (const NamedPlace& cut : cuts) {
    for (const QString& file : {cut.name, QString(cut.name + QStringLiteral(".html"))}) {
      const QString real = core::ResolvePath(folder + file);
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
    pages.push_back({file, core::NameKey(QString(file).remove(QStringLiteral(".html"))), real});
  };
  if (!index.At(indexSubject, 0).isEmpty()) {
    for (int i = 0; i < index.Count(); ++i) add(index.At(indexPath, i), index.At(indexRealPath, i));
  } else {
    const core::StringTable files = ScanFolderTree(folder, pump);
    for (int i = 0; i < files.Count(); ++i)
      if (files.At(fileName, i).endsWith(QLatin1String(".html")))
        add(files.At(fileFolder, i) + files.At(fileName, i), files.At(fileRealPath, i));
  }
  for (const bool byKey : {false, true}) {
    for (const NamedPlace& cut : cuts) {
      if (cut.name.contains(QLatin1Char('/'))) continue;
      const QString lower = WithoutHtml(core::AnsiLower(cut.name));
      const QString wantedName = byKey ? core::NameKey(lower) : lower;
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

void SortTable(core::StringTable& table, bool doSort, int field, bool reversed) {
  if (!doSort) return;
  const QString first = table.At(field, 0);
  const bool numeric = first.size() < 3 * core::DigitsOnly(first).size();
  const int count = table.Count();
  // Keys are read once, not at every comparison.
  std::vector<QString> texts(static_cast<size_t>(count));
  std::vector<double> numbers(numeric ? static_cast<size_t>(count) : 0);
  for (int i = 0; i < count; ++i) {
    texts[static_cast<size_t>(i)] = table.At(field, i);
    if (numeric) numbers[static_cast<size_t>(i)] = LeadingNumber(texts[static_cast<size_t>(i)]);
  }
  auto before = [&](int a, int b) {
    if (reversed) std::swap(a, b);
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

void SortForReading(core::StringTable& index, const QLocale& locale) {
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  const int count = index.Count();
  std::vector<QCollatorSortKey> keys;
  keys.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) keys.push_back(collator.sortKey(index.At(indexSubject, i)));
  const auto listed = [&](int i) { return !index.At(indexSubject, i).isEmpty(); };
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  const auto last = std::stable_partition(order.begin(), order.end(), listed);
  std::stable_sort(order.begin(), last, [&](int a, int b) {
    return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
  });
  index.Reorder(order);
}

int LookUpEntry(const core::StringTable& index, const QString& typed) {
  const QString wanted = core::TrimBlanks(typed).toCaseFolded();
  const auto startsWord = [&](const QString& subject) {
    for (qsizetype at = subject.indexOf(wanted); at > 0; at = subject.indexOf(wanted, at + 1))
      if (!subject[at - 1].isLetterOrNumber()) return true;
    return false;
  };
  for (const bool anyWord : {false, true}) {
    for (int entry = 0; entry < index.Count(); ++entry) {
      const QString subject = index.At(indexSubject, entry).toCaseFolded();
      if (anyWord ? startsWord(subject) : subject.startsWith(wanted)) return entry;
    }
  }
  return -1;
}

}  // namespace lumora::content
