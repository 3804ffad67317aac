#include "content/topic_index.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <deque>
#include <functional>
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
// character references as the characters they stand for.
QString ListedSubject(QString subject) {
  return core::LowerText(DecodeCharacterReferences(ReadAmpAsAnd(std::move(subject))));
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

std::optional<std::vector<Topic>> BuildTopicIndex(const QString& helpFolder, const core::Pump& pump) {
  bool stopped = false;
  const core::Pump guarded = [&] {
    if (!stopped && pump && !pump()) stopped = true;
    return !stopped;
  };
  const core::StringTable files = ScanFolderTree(helpFolder, guarded);
  if (stopped) return std::nullopt;
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
  if (!done) return std::nullopt;
  DropSharedTitleParts(subjects, fromTitle);
  std::vector<QString> keys(pages.size());
  QHash<QString, int> uses;  // of a subject with a name key
  for (size_t k = 0; k < pages.size(); ++k) {
    keys[k] = core::NameKey(QString(files.At(fileName, pages[k])).remove(QStringLiteral(".html")));
    ++uses[subjects[k] + QLatin1Char('\n') + keys[k]];
  }
  const qsizetype rootLength = WithSlash(helpFolder).size();
  std::vector<Topic> index;
  index.reserve(pages.size());
  for (size_t k = 0; k < pages.size(); ++k) {
    if (subjects[k].isEmpty()) continue;
    const int file = pages[k];
    // Rows that read the same in both columns tell their pages apart by folder.
    if (uses.value(subjects[k] + QLatin1Char('\n') + keys[k]) > 1) {
      QString folder = files.At(fileFolder, file).mid(rootLength);
      folder.chop(1);  // its "/"
      subjects[k] += QStringLiteral(" (") + (folder.isEmpty() ? QStringLiteral("/") : folder) + QLatin1Char(')');
    }
    index.push_back({std::move(subjects[k]), std::move(keys[k]), files.At(fileRealPath, file)});
  }
  return index;
}

QString FindTopicPage(const QString& helpFolder, const QString& name, const std::vector<Topic>* index,
                      const core::Pump& pump) {
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
  const auto add = [&](const QString& real) {
    const QString file = WithoutHtml(core::AnsiLower(real.mid(real.lastIndexOf(QLatin1Char('/')) + 1)));
    pages.push_back({file, core::NameKey(QString(file).remove(QStringLiteral(".html"))), real});
  };
  if (index) {
    for (const Topic& topic : *index) add(topic.path);
  } else {
    const core::StringTable files = ScanFolderTree(folder, pump);
    for (int i = 0; i < files.Count(); ++i)
      if (files.At(fileName, i).endsWith(QLatin1String(".html"))) add(files.At(fileRealPath, i));
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

namespace {

// A stable sort by one key; reversed, the other way round, equal rows still
// in their order.
template <class Row, class Before>
void SortRows(std::vector<Row>& rows, bool reversed, Before before) {
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const Row& a, const Row& b) { return reversed ? before(b, a) : before(a, b); });
}

bool TextBefore(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

}  // namespace

void SortByColumn(std::vector<Topic>& topics, TopicColumn column, bool reversed) {
  SortRows(topics, reversed, [column](const Topic& a, const Topic& b) {
    return column == TopicColumn::Subject ? TextBefore(a.subject, b.subject) : TextBefore(a.nameKey, b.nameKey);
  });
}

void SortByColumn(std::vector<SearchHit>& hits, HitColumn column, bool reversed) {
  SortRows(hits, reversed, [column](const SearchHit& a, const SearchHit& b) {
    return column == HitColumn::Subject ? TextBefore(a.topic.subject, b.topic.subject) : a.hits > b.hits;
  });
}

void SortForReading(std::vector<Topic>& index, const QLocale& locale) {
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  std::vector<std::pair<QCollatorSortKey, Topic>> keyed;
  keyed.reserve(index.size());
  for (Topic& topic : index) keyed.emplace_back(collator.sortKey(topic.subject), std::move(topic));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
  for (size_t i = 0; i < keyed.size(); ++i) index[i] = std::move(keyed[i].second);
}

int LookUpEntry(const std::vector<Topic>& index, const QString& typed) {
  const QString wanted = core::TrimBlanks(typed).toCaseFolded();
  const auto startsWord = [&](const QString& subject) {
    for (qsizetype at = subject.indexOf(wanted); at > 0; at = subject.indexOf(wanted, at + 1))
      if (!subject[at - 1].isLetterOrNumber()) return true;
    return false;
  };
  for (const bool anyWord : {false, true}) {
    for (size_t entry = 0; entry < index.size(); ++entry) {
      const QString subject = index[entry].subject.toCaseFolded();
      if (anyWord ? startsWord(subject) : subject.startsWith(wanted)) return static_cast<int>(entry);
    }
  }
  return -1;
}

}  // namespace lumora::content
