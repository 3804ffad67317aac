#include "app/command_line.h"

#include <QDir>
#include <QStringDecoder>

#include "core/files.h"
#include "core/text.h"
#include "settings/platform_facts.h"

namespace lumora::app {
namespace {

struct Switch {
  QLatin1StringView text;
  layout::Page page;
};

// Tested in this order; a later hit wins.
constexpr Switch kSwitches[] = {
    {QLatin1StringView("-lmr"), layout::Page::Question},
    {QLatin1StringView("-index"), layout::Page::Index},
    {QLatin1StringView("-search"), layout::Page::Search},
};

constexpr QLatin1StringView kTopicSwitch("-topic");

bool IsTopicSwitch(const QString& word) { return word.compare(kTopicSwitch, Qt::CaseInsensitive) == 0; }

bool IsSwitch(const QString& word) {
  if (IsTopicSwitch(word)) return true;
  for (const Switch& s : kSwitches)
    if (word.compare(s.text, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// Takes "-topic NAME" out of the line and returns NAME: the next word, or the
// text in double quotes that follows. Without a NAME only "-topic" goes, and
// found tells that it was there.
QString TakeTopic(QString& line, bool& found) {
  const QChar blank(QLatin1Char(' '));
  const QChar quote(QLatin1Char('"'));
  for (qsizetype from = line.indexOf(kTopicSwitch, 0, Qt::CaseInsensitive); from >= 0;
       from = line.indexOf(kTopicSwitch, from + 1, Qt::CaseInsensitive)) {
    const qsizetype end = from + kTopicSwitch.size();
    if ((from > 0 && line[from - 1] != blank) || (end < line.size() && line[end] != blank)) continue;
    qsizetype start = end;
    while (start < line.size() && line[start] == blank) ++start;
    QString name;
    qsizetype stop = start;
    if (start < line.size() && line[start] == quote) {
      const qsizetype closing = line.indexOf(quote, start + 1);
      stop = closing < 0 ? line.size() : closing + 1;
      name = line.mid(start + 1, (closing < 0 ? line.size() : closing) - start - 1);
    } else {
      stop = line.indexOf(blank, start);
      if (stop < 0) stop = line.size();
      name = line.mid(start, stop - start);
      if (IsSwitch(name)) {
        name.clear();
        stop = end;
      }
    }
    line.remove(from, stop - from);
    found = true;
    return name;
  }
  return {};
}

}  // namespace

QString JoinArguments(const QStringList& arguments) {
  QStringList words = arguments;
  for (qsizetype i = 1; i < words.size(); ++i)
    if (IsTopicSwitch(words[i - 1]) && words[i].contains(QLatin1Char(' ')))
      words[i] = QLatin1Char('"') + words[i] + QLatin1Char('"');
  return words.join(QLatin1Char(' '));
}

std::optional<QString> ReadHandover(QByteArrayView line) {
  if (line.size() > kLongestHandover) return std::nullopt;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(line);
  if (utf8.hasError()) return std::nullopt;
  for (const QChar c : text)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return std::nullopt;
  return text;
}

ParsedCommandLine ParseCommandLine(const QString& argumentString) {
  ParsedCommandLine parsed;
  QString rest = core::TrimBlanks(argumentString);
  bool topicSwitch = false;
  parsed.Topic = TakeTopic(rest, topicSwitch);
  parsed.TopicWithoutName = topicSwitch && parsed.Topic.isEmpty();
  // The path is cut out of the lower-cased line; the same cuts of the line as
  // typed give the path in its own letters, which is the one opened.
  QString real = core::TrimBlanks(rest);
  QString line = core::AnsiLower(real);
  for (const Switch& s : kSwitches)
    if (line.contains(s.text)) parsed.StartPage = s.page;
  const auto cut = [&](qsizetype from, qsizetype count) {
    line.remove(from, count);
    real.remove(from, count);
  };
  const auto trim = [&] {
    const QString trimmed = core::TrimBlanks(line);
    const qsizetype start = line.indexOf(trimmed);
    real = real.mid(start, trimmed.size());
    line = trimmed;
  };
  for (const Switch& s : kSwitches)
    for (qsizetype at; (at = line.indexOf(s.text)) >= 0;) cut(at, s.text.size());
  trim();

  const QLatin1StringView extension(".qlp");
  if (!line.isEmpty() && !line.endsWith(extension)) {
    // Keeps one character past ".qlp" (normally the blank before further
    // text); without ".qlp" only four characters remain, which then fail.
    const qsizetype found = line.indexOf(extension);
    const qsizetype position = found < 0 ? 0 : found + 1;
    cut(position + 4, line.size());
    trim();
  }
  line.replace(QLatin1Char('\\'), QLatin1Char('/'));
  real.replace(QLatin1Char('\\'), QLatin1Char('/'));
  parsed.CommandLine = line;
  parsed.Pack = real;
  return parsed;
}

QString NoPageNote(const QString& topic, const QString& helpFolder) {
  return QStringLiteral("lumora: no page \"%1\" in the help folder %2; showing the home page\n").arg(topic, helpFolder);
}

QString HelpFolderOf(const QString& commandLine, const QString& currentFolder) {
  const qsizetype separator = commandLine.lastIndexOf(QLatin1Char('/'));
  const QString folder = separator < 0 ? QString() : commandLine.left(separator + 1);
  const QString absolute =
      folder.startsWith(QLatin1Char('/')) ? folder : core::NormalizedFolder(currentFolder) + folder;
  // "./", "../" and "//" would make the home page differ from the path the
  // browser reports for it, and every look at it a new navigation.
  QString clean = QDir::cleanPath(absolute);
  // Above the root is the root.
  while (clean == QLatin1String("/..") || clean.startsWith(QLatin1String("/../"))) clean.remove(0, 3);
  return core::NormalizedFolder(clean.isEmpty() ? QStringLiteral("/") : clean);
}

}  // namespace lumora::app
