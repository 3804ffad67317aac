#include "help/help_tool.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include "help/usage.h"
#include "content/help_check.h"
#include "content/search.h"
#include "content/topic_index.h"
#include "core/files.h"
#include "core/text.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"

namespace lumora::help {
namespace {

QString FolderOf(const QString& argument) {
  return core::NormalizedFolder(QFileInfo(argument).absoluteFilePath());
}

// The language of the help set: of its language pack, else the user's.
QLocale LanguageOf(const QString& folder) {
  const QStringList packs = QDir(core::ResolvePath(folder)).entryList({QStringLiteral("*.qlp")}, QDir::Files, QDir::Name);
  return packs.isEmpty() ? QLocale() : core::PackLocale(packs.first());
}

std::vector<content::Topic> IndexOf(const QString& folder) {
  std::vector<content::Topic> index = content::BuildTopicIndex(folder).value_or(std::vector<content::Topic>());
  content::SortForReading(index, LanguageOf(folder));
  return index;
}

// A field of a tab-separated line: a tab, line break or backslash in it is
// written as "\t", "\n", "\r" or "\\", so each record stays one line.
QString Field(const QString& text) {
  QString field;
  field.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '\t': field += QLatin1String("\\t"); break;
      case '\n': field += QLatin1String("\\n"); break;
      case '\r': field += QLatin1String("\\r"); break;
      case '\\': field += QLatin1String("\\\\"); break;
      default: field += c;
    }
  }
  return field;
}

// A line each: subject, name key, path on disk.
void Print(const std::vector<content::Topic>& topics, QTextStream& out) {
  for (const content::Topic& topic : topics)
    out << Field(topic.subject) << '\t' << Field(topic.nameKey) << '\t' << Field(topic.path) << '\n';
}

// A line each: subject, number of hits, path on disk.
void Print(const std::vector<content::SearchHit>& hits, QTextStream& out) {
  for (const content::SearchHit& hit : hits)
    out << Field(hit.topic.subject) << '\t' << hit.hits << '\t' << Field(hit.topic.path) << '\n';
}

int Check(const QString& folder, QTextStream& out) {
  const content::HelpSetCheck check = content::CheckHelpSet(folder);
  for (const auto& link : check.brokenLinks)
    out << "broken link\t" << Field(link.page) << ':' << link.line << '\t' << Field(link.target) << '\t' << link.reason
        << '\n';
  for (const QString& path : check.unreadable) out << "unreadable\t" << Field(path) << '\n';
  for (const QString& path : check.unreached) out << "not reached\t" << Field(path) << '\n';
  for (const auto& shared : check.sharedSubjects) {
    out << "duplicate subject\t" << Field(shared.subject);
    for (const QString& path : shared.pages) out << '\t' << Field(path);
    out << '\n';
  }
  for (const QString& path : check.questionLinks) out << "ask_class link\t" << Field(path) << '\n';
  out << check.pages << " pages: " << check.brokenLinks.size() << " broken links, " << check.unreadable.size()
      << " unreadable, " << check.unreached.size() << " not reached, " << check.sharedSubjects.size()
      << " subjects used twice\n";
  return check.brokenLinks.empty() && check.unreadable.isEmpty() ? 0 : 1;
}

}  // namespace

int RunHelpTool(const QStringList& given, QTextStream& out, QTextStream& err) {
  QStringList arguments = given;
  const QString command = arguments.value(0);
  const bool byHits = command == QLatin1String("search") && arguments.value(1) == QLatin1String("--by-hits");
  if (byHits) arguments.removeAt(1);
  if (arguments.size() < 2 || (command == QLatin1String("search") && arguments.size() < 3) ||
      (command != QLatin1String("index") && command != QLatin1String("search") && command != QLatin1String("check"))) {
    err << HelpToolUsage();
    return 2;
  }
  const QString folder = FolderOf(arguments[1]);
  if (!QFileInfo(core::ResolvePath(folder)).isDir()) {
    err << "lumora-help: no such folder: " << arguments[1] << '\n';
    return 2;
  }
  if (command == QLatin1String("index")) {
    Print(IndexOf(folder), out);
    return 0;
  }
  if (command == QLatin1String("search")) {
    const QString query = arguments.mid(2).join(QLatin1Char(' '));
    const content::Ranking ranking{
        byHits ? QString() : query,
        content::Relevance::StemmerLanguage(QLocale::languageToString(LanguageOf(folder).language()))};
    Print(content::SearchPages(IndexOf(folder), content::SplitQuery(query), {}, ranking), out);
    return 0;
  }
  return Check(folder, out);
}

}  // namespace lumora::help
