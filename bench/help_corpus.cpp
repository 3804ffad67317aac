#include "help_corpus.h"

#include <QDir>
#include <QFile>
#include <random>

namespace lumora::bench {
namespace {

constexpr const char* kWords[] = {
    "print",   "table",   "index",    "page",     "window",  "setup",   "option",  "document", "format",  "layout",
    "printer", "margin",  "column",   "row",      "cell",    "toolbar", "button",  "select",   "choose",  "open",
    "save",    "file",    "folder",   "settings", "display", "search",  "topic",   "help",     "question", "answer",
    "the",     "and",     "of",       "to",       "a",       "in",      "is",      "you",      "that",    "for",
    "with",    "on",      "as",       "click",    "press",   "menu",    "dialog",  "preview",  "paper",   "orientation"};

// Words of a UTF-8 help set: a few beyond ASCII in every sentence.
constexpr const char* kUtf8Words[] = {"café", "naïve", "résumé", "Größe", "Übersicht", "“quoted”", "—", "Ελληνικά",
                                      "печать", "Łódź"};

QByteArray PageText(std::mt19937& random, const QByteArray& subject, qint64 size, bool utf8) {
  QByteArray page;
  page.reserve(size + 512);
  page += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\">\r\n<head>\r\n"
          "<meta http-equiv=Content-Type content=\"text/html; charset=" +
          QByteArray(utf8 ? "utf-8" : "windows-1252") + "\">\r\n"
          "<meta name=Generator content=\"Word Processor\">\r\n<title>" +
          subject + "</title>\r\n<!--[if gte mso 9]><xml>\r\n <o:DocumentProperties>\r\n  <o:Subject>" + subject +
          "</o:Subject>\r\n  <o:Author>Help Team</o:Author>\r\n  <o:Pages>1</o:Pages>\r\n"
          " </o:DocumentProperties>\r\n</xml><![endif]-->\r\n<style>\r\n p.MsoNormal {margin:0cm; font-size:10.0pt;"
          " font-family:Verdana;}\r\n h1 {font-size:14.0pt;}\r\n</style>\r\n</head>\r\n<body lang=EN-GB>\r\n";
  std::uniform_int_distribution<int> word(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> sentence(6, 18);
  while (page.size() < size) {
    page += "<p class=MsoNormal>";
    for (int s = 0; s < 4; ++s) {
      const int words = sentence(random);
      for (int w = 0; w < words; ++w) {
        QByteArray next = kWords[word(random)];
        if (w == 0) next[0] = static_cast<char>(next[0] - 32);
        page += next;
        page += w + 1 < words ? " " : ". ";
      }
      if (utf8) page += QByteArray(kUtf8Words[word(random) % std::size(kUtf8Words)]) + " ";
      if (s == 1) page += "Fish &amp; chips &nbsp;=\r\n";
    }
    page += "</p>\r\n";
  }
  page += "</body>\r\n</html>\r\n";
  return page;
}

}  // namespace

QStringList WriteHelpCorpus(const QString& root, const CorpusShape& shape) {
  std::mt19937 random(12345);
  const qint64 average = shape.bytes / std::max(shape.pages, 1);
  std::uniform_int_distribution<qint64> size(average / 4, average * 7 / 4);
  std::uniform_int_distribution<int> word(0, std::size(kWords) - 1);
  QStringList paths;
  for (int i = 0; i < shape.pages; ++i) {
    QString folder;
    QString name;
    if (i < shape.flatPages) {
      folder = QStringLiteral("Reference");
      name = QStringLiteral("Topic%1.html").arg(i, 5, 10, QLatin1Char('0'));
    } else {
      const int k = i - shape.flatPages;
      folder = QStringLiteral("Guide/Chapter%1/Section%2").arg(k / 300, 2, 10, QLatin1Char('0')).arg(k / 20 % 15, 2, 10,
                                                                                                        QLatin1Char('0'));
      name = QStringLiteral("Page%1.html").arg(k, 4, 10, QLatin1Char('0'));
    }
    const QString path = root + QLatin1Char('/') + folder + QLatin1Char('/') + name;
    QDir().mkpath(root + QLatin1Char('/') + folder);
    const QByteArray subject = QByteArray(kWords[word(random)]) + " " + kWords[word(random)] + " " +
                               QByteArray::number(i);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) continue;
    file.write(PageText(random, subject, size(random), shape.utf8));
    paths.append(path);
  }
  return paths;
}

}  // namespace lumora::bench
