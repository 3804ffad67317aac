#include "content/page_text.h"
#include "content/text_helpers.h"
#include "fuzz.h"
#include "core/text.h"

using namespace lumora;

// However little of the page it reads, the subject is the one the whole page's decoded, lowered text gives; a
// declared one that would show as nothing gives way to the title.
FUZZ_TARGET(bytes) {
  QString subject = content::ReadSubject(ScratchFile(QStringLiteral("Page.html"), bytes));
  const bool cut = subject.size() >= 999;
  const QString text = core::LowerText(content::DecodePage(bytes));
  QString expected = content::DeclaredSubject(text);
  if (content::DecodeCharacterReferences(QString(expected).remove(QStringLiteral("=\r\n"))).trimmed().isEmpty()) {
    expected.clear();
    const qsizetype start = text.indexOf(u"<title>"), end = text.indexOf(u"</title>");
    if (start >= 0 && end >= start + 7) expected = text.mid(start + 7, end - start - 7).remove(QChar(0xFEFF)).simplified();
    if (expected.isEmpty()) expected = QStringLiteral("page.html");
  }
  // A byte-order mark inside the page is invisible; the reader may drop it.
  expected.remove(QChar(0xFEFF));
  subject.remove(QChar(0xFEFF));
  // A long subject is cut at about a thousand characters.
  FUZZ_CHECK(subject == expected || (cut && expected.startsWith(subject)));
}
