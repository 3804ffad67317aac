#include "content/help_check.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <deque>

#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "core/files.h"

namespace lumora::content {
namespace {

bool IsPage(const QString& path) {
  return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
         path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

// An attribute's value, quoted or not, as the regular expressions below capture it.
QString ValueOf(const QRegularExpressionMatch& match) {
  for (int group = 1; group <= 3; ++group)
    if (match.capturedStart(group) >= 0) return match.captured(group);
  return {};
}

const QRegularExpression& LinkPattern() {
  // Links a reader follows: those of <a> and <area> (a <link> names a style sheet or an author).
  static const QRegularExpression pattern(
      QStringLiteral("<(?:a|area)\\s[^>]*?\\bhref\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>\"']+))"),
      QRegularExpression::CaseInsensitiveOption);
  return pattern;
}

const QRegularExpression& PlacePattern() {
  static const QRegularExpression pattern(
      QStringLiteral("\\b(?:id|name)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>\"']+))"),
      QRegularExpression::CaseInsensitiveOption);
  return pattern;
}

struct Link {
  int line = 0;
  QString written;
  core::HelpFile file;
  QString place;
};

struct Page {
  QString path;
  bool readable = false;
  bool asks = false;  // a link opens the question form
  std::vector<Link> links;
  QSet<QString> places;  // ids and names a link's "#place" may name
};

Page ReadLinks(const QString& path, const QString& canonicalRoot) {
  Page page{path, core::FileIsUsable(path), false, {}, {}};
  if (!page.readable) return page;
  const QString text = ReadPageText(path);
  for (auto it = PlacePattern().globalMatch(text); it.hasNext();) page.places.insert(ValueOf(it.next()));
  const QUrl base = QUrl::fromLocalFile(path);
  int line = 1;
  qsizetype counted = 0;
  for (auto it = LinkPattern().globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    line += static_cast<int>(text.mid(counted, match.capturedStart() - counted).count(QLatin1Char('\n')));
    counted = match.capturedStart();
    const QString written = ValueOf(match);
    const QUrl url(DecodeCharacterReferences(written).trimmed());
    if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("file")) continue;  // the desktop's
    if (written.contains(QLatin1String("ask_class"), Qt::CaseInsensitive)) {
      page.asks = true;
      continue;
    }
    const QUrl resolved = base.resolved(url);
    page.links.push_back({line, written, core::FindHelpFile(canonicalRoot, resolved.path()), resolved.fragment()});
  }
  return page;
}

}  // namespace

HelpSetCheck CheckHelpSet(const QString& helpFolder) {
  HelpSetCheck check;
  const QString canonicalRoot = QFileInfo(core::ResolvePath(helpFolder)).canonicalFilePath();
  const core::StringTable files = ScanFolderTree(helpFolder);
  std::vector<Page> pages;
  QHash<QString, size_t> byCanonical;
  QMap<QString, QStringList> bySubject;
  for (int i = 0; i < files.Count(); ++i) {
    const QString path = files.At(fileRealPath, i);
    if (!IsPage(path)) continue;
    byCanonical.insert(QFileInfo(path).canonicalFilePath(), pages.size());
    pages.push_back(ReadLinks(path, canonicalRoot));
    if (pages.back().readable)
      bySubject[ReadSubject(path)].append(path);
    else
      check.unreadable.append(path);
  }
  check.pages = static_cast<int>(pages.size());

  const auto pageOf = [&](const QString& real) -> const Page* {
    const auto at = byCanonical.constFind(QFileInfo(real).canonicalFilePath());
    return at == byCanonical.cend() ? nullptr : &pages[*at];
  };
  for (const Page& page : pages) {
    for (const Link& link : page.links) {
      QString reason;
      if (link.file.kind == core::HelpFileKind::Outside) {
        reason = QStringLiteral("outside the help set");
      } else if (link.file.kind != core::HelpFileKind::Found) {
        reason = QStringLiteral("no such page");
      } else if (!link.place.isEmpty() && link.place.compare(QLatin1String("top"), Qt::CaseInsensitive) != 0) {
        // A place is looked for in pages only; "#top" is the top of any page.
        const Page* target = pageOf(link.file.path);
        if (target && target->readable && !target->places.contains(link.place)) reason = QStringLiteral("no such place");
      }
      if (!reason.isEmpty()) check.brokenLinks.push_back({page.path, link.line, link.written, reason});
    }
    if (page.asks) check.questionLinks.append(page.path);
  }

  // Reached: by links from the home page; listed: a row of the index.
  QSet<const Page*> reached;
  std::deque<const Page*> queue;
  if (const Page* home = pageOf(core::ResolvePath(QDir(helpFolder).filePath(QStringLiteral("index.html")))))
    queue.push_back(home);
  while (!queue.empty()) {
    const Page* page = queue.front();
    queue.pop_front();
    if (reached.contains(page)) continue;
    reached.insert(page);
    for (const Link& link : page->links)
      if (link.file.kind == core::HelpFileKind::Found)
        if (const Page* next = pageOf(link.file.path)) queue.push_back(next);
  }
  for (const Topic& topic : BuildTopicIndex(helpFolder).value_or(std::vector<Topic>()))
    if (const Page* listed = pageOf(topic.path)) reached.insert(listed);
  for (const Page& page : pages)
    if (!reached.contains(&page)) check.unreached.append(page.path);

  for (auto it = bySubject.cbegin(); it != bySubject.cend(); ++it)
    if (it.value().size() > 1) check.sharedSubjects.push_back({it.key(), it.value()});
  return check;
}

}  // namespace lumora::content
