#include "content/topic_index.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <deque>

#include "content/text_helpers.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {
namespace {

void Pumped(const Pump& pump) {
  if (pump) pump();
}

// Between the first opening marker and the first closing one; empty when
// either is missing or they stand in the wrong order.
QString Between(const QString& text, QLatin1StringView open, QLatin1StringView close) {
  const qsizetype start = text.indexOf(open);
  const qsizetype end = text.indexOf(close);
  if (start < 0 || end < 0 || end < start + open.size()) return {};
  return text.mid(start + open.size(), end - start - open.size());
}

}  // namespace

QString ReadPageText(const QString& path) {
  const QByteArray bytes = ReadWholeFile(path);
  const QByteArray head = platform::AnsiLower(bytes.left(4096));
  if (head.contains("charset=utf-8") || head.contains("charset=\"utf-8") || head.startsWith("\xef\xbb\xbf"))
    return QString::fromUtf8(bytes);
  return platform::FromAnsi(bytes);
}

StringTable ScanFolderTree(const QString& root, const Pump& pump) {
  StringTable files(2);
  std::deque<QString> queue{root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/')};
  QSet<QString> seen;
  int count = 0;
  while (!queue.empty()) {
    const QString folder = queue.front();
    queue.pop_front();
    const QString real = platform::ResolvePath(folder);
    const QString canonical = QFileInfo(real).canonicalFilePath();
    if (canonical.isEmpty() || seen.contains(canonical)) continue;  // gone, or a link back up the tree
    seen.insert(canonical);
    const QFileInfoList entries = QDir(real).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
      if (entry.isDir()) {
        queue.push_back(folder + entry.fileName() + QLatin1Char('/'));
        continue;
      }
      const int at = count == 0 ? 0 : files.Append();
      files.Set(0, at, platform::AnsiLower(folder));
      files.Set(1, at, platform::AnsiLower(entry.fileName()));
      ++count;
    }
    Pumped(pump);
  }
  return files;
}

QString DeclaredSubject(const QString& lowerText) {
  return Between(lowerText, QLatin1StringView("<o:subject>"), QLatin1StringView("</o:subject>"));
}

QString ReadSubject(const QString& path) {
  const QString text = platform::AnsiLower(ReadPageText(path));
  const QString subject = DeclaredSubject(text);
  if (!subject.isEmpty()) return subject;
  const QString title = Between(text, QLatin1StringView("<title>"), QLatin1StringView("</title>")).simplified();
  if (!title.isEmpty()) return title;
  return platform::AnsiLower(QFileInfo(path).fileName());
}

void BuildTopicIndex(const QString& helpFolder, StringTable& index, const Pump& pump) {
  if (!index.At(0, 0).isEmpty()) return;
  const StringTable files = ScanFolderTree(helpFolder, pump);
  for (int i = 0; i < files.Count(); ++i) {
    const QString name = files.At(1, i);
    if (!name.endsWith(QLatin1String(".html"))) continue;
    const int entry = index.Grow();
    const QString path = files.At(0, i) + name;
    index.Set(0, entry, EscapeForDisplay(ReadSubject(path)));
    index.Set(1, entry, NameKey(QString(name).remove(QStringLiteral(".html"))));
    index.Set(2, entry, path);
    Pumped(pump);
  }
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
  const int passes = table.Count();
  for (int pass = 0; pass < passes; ++pass) {
    for (int j = 0; j < table.LastIndex(); ++j) {
      const QString next = table.At(field, j + 1);
      if (next.isEmpty()) continue;
      const QString current = table.At(field, j);
      const bool exchange = numeric ? LeadingNumber(current) <= LeadingNumber(next)
                                    : current.compare(next, Qt::CaseInsensitive) > 0;
      if (exchange) table.SwapEntries(j, j + 1);
    }
  }
}

}  // namespace lumora::content
