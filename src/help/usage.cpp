#include "help/usage.h"

namespace lumora::help {

InfoRequest InfoRequested(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) return InfoRequest::Help;
    if (argument == QLatin1String("--version")) return InfoRequest::Version;
  }
  return InfoRequest::None;
}

QString LumoraUsage() {
  return QStringLiteral(
      "Usage: lumora PACK [-topic NAME] [-index | -search | -lmr]\n"
      "       lumora -h | --help | --version\n"
      "\n"
      "Shows the help pages of the folder that holds the language pack PACK (a .qlp\n"
      "file); the folder's index.html is the home page. A later start with the same\n"
      "PACK on the same display hands its -topic and switch to the window already\n"
      "open and ends.\n"
      "\n"
      "  -topic NAME open the page NAME: a path below the help folder, a file name or a\n"
      "              name key, \".html\" optional, \"#place\" kept; unknown: the home page\n"
      "  -index      open the topic index\n"
      "  -search     open topic search\n"
      "  -lmr        open the question form\n"
      "  -h, --help  print this text and end\n"
      "  --version   print the version and end\n"
      "\n"
      "Environment:\n"
      "  LUMORA_APP_DIR        the program's own data folder (<prefix>/share/lumora)\n"
      "  LUMORA_SYSTEM_DIR     the shared data folder with the themes (<prefix>/share)\n"
      "  LUMORA_REGISTRY       the registry store file (<prefix>/etc/quillmark/registry.conf)\n"
      "  LUMORA_LAYOUT_REPORT  a file kept up to date with a JSON report of the window\n");
}

QString HelpToolUsage() {
  return QStringLiteral(
      "Usage: lumora-help index FOLDER            subject, name key and path of every topic\n"
      "       lumora-help search FOLDER WORDS...  subject, score and path of every match, most relevant\n"
      "                                           first (\"quoted words\" are a phrase)\n"
      "       lumora-help search --by-hits FOLDER WORDS...  the same, highest score first\n"
      "       lumora-help check FOLDER            links to no page or place (page:line), unreadable\n"
      "                                           pages, pages neither linked from the home page nor\n"
      "                                           listed, subjects used twice, ask_class links\n"
      "       lumora-help -h | --help | --version\n"
      "\n"
      "Reads a help folder as Lumora's topic index and search do. Each output line is\n"
      "tab-separated; check ends with a summary line, and with status 1 when a link is\n"
      "broken or a page cannot be read. A wrong command line ends with status 2.\n");
}

QString VersionText(const QString& program) {
  return program + QLatin1Char(' ') + QStringLiteral(LUMORA_VERSION) + QLatin1Char('\n');
}

}  // namespace lumora::help
