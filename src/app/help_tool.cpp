#include "app/help_tool.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include "app/usage.h"
#include "content/search.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/platform_facts.h"

namespace lumora::app {
namespace {

QString FolderOf(const QString& argument) {
  return settings::NormalizedFolder(QFileInfo(argument).absoluteFilePath());
}

content::StringTable IndexOf(const QString& folder) {
  content::StringTable index(content::kIndexFields);
  content::BuildTopicIndex(folder, index);
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

// A subject as the index shows it, without the doubled "&" that labels need.
QString PlainSubject(QString subject) { return Field(subject.replace(QStringLiteral("&&"), QStringLiteral("&"))); }

// Subject, then the name key or the score, then the path on disk.
void PrintTable(const content::StringTable& table, QTextStream& out) {
  for (int i = 0; i < table.Count(); ++i) {
    if (table.At(0, i).isEmpty()) continue;
    out << PlainSubject(table.At(0, i)) << '\t' << Field(table.At(1, i)) << '\t'
        << Field(table.At(content::indexRealPath, i)) << '\n';
  }
}

int Check(const QString& folder, QTextStream& out) {
  const content::StringTable files = content::ScanFolderTree(folder);
  QMap<QString, QStringList> pagesBySubject;
  int faults = 0;
  const QRegularExpression askLink(QStringLiteral("href\\s*=\\s*[\"']?[^\"'>\\s]*ask_class"));
  for (int i = 0; i < files.Count(); ++i) {
    const QString name = files.At(1, i);
    if (!name.endsWith(QLatin1String(".html"))) continue;
    const QString path = files.At(content::fileRealPath, i);
    if (!platform::FileIsUsable(path)) {
      out << "unreadable\t" << Field(path) << '\n';
      ++faults;
      continue;
    }
    const QString text = platform::LowerText(content::ReadPageText(path));
    const QString subject = content::DeclaredSubject(text);
    if (subject.isEmpty()) {
      out << "no subject\t" << Field(path) << '\n';
      ++faults;
    } else {
      pagesBySubject[subject].append(path);
    }
    if (askLink.match(text).hasMatch()) out << "ask_class link\t" << Field(path) << '\n';
  }
  for (auto it = pagesBySubject.cbegin(); it != pagesBySubject.cend(); ++it)
    if (it.value().size() > 1) {
      out << "duplicate subject\t" << Field(it.key());
      for (const QString& path : it.value()) out << '\t' << Field(path);
      out << '\n';
    }
  return faults > 0 ? 1 : 0;
}

}  // namespace

int RunHelpTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  const QString command = arguments.value(0);
  if (arguments.size() < 2 || (command == QLatin1String("search") && arguments.size() < 3) ||
      (command != QLatin1String("index") && command != QLatin1String("search") && command != QLatin1String("check"))) {
    err << HelpToolUsage();
    return 2;
  }
  const QString folder = FolderOf(arguments[1]);
  if (!QFileInfo(platform::ResolvePath(folder)).isDir()) {
    err << "lumora-help: no such folder: " << arguments[1] << '\n';
    return 2;
  }
  if (command == QLatin1String("index")) {
    PrintTable(IndexOf(folder), out);
    return 0;
  }
  if (command == QLatin1String("search")) {
    const QString query = arguments.mid(2).join(QLatin1Char(' '));
    PrintTable(content::SearchPages(IndexOf(folder), content::SplitQuery(query)), out);
    return 0;
  }
  return Check(folder, out);
}

}  // namespace lumora::app
