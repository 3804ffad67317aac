#include "fuzz.h"
#include "question/question_mail.h"

using namespace lumora;

// The form's five boxes, the sender, the expert index and the support domain, cut at NULs. Whatever they hold, the
// message's head is our own headers, each once and on lines of its own: typed text never starts a header or ends the head.
FUZZ_TARGET(bytes) {
  const QList<QByteArray> pieces = Pieces(bytes, 8);
  question::QuestionForm form;
  for (size_t i = 0; i < form.fields.size(); ++i) form.fields[i] = QString::fromUtf8(pieces[static_cast<qsizetype>(i)]);
  core::MailSettings settings;
  settings.sender = QString::fromUtf8(pieces[5]);
  core::MailSession session(settings);
  question::ComposeQuestion(session, form, QString::fromUtf8(pieces[6]), QString::fromUtf8(pieces[7]), QStringLiteral("AB12CD34EF"));
  const QByteArray message = session.MessageText();
  if (message.isEmpty()) return;
  const qsizetype end = message.indexOf("\r\n\r\n");
  FUZZ_CHECK(end > 0);
  QByteArray head = message.first(end);
  FUZZ_CHECK(head.count('\r') == head.count('\n'));  // no bare CR or LF
  head.replace("\r\n", "\n");
  FUZZ_CHECK(!head.contains('\r'));
  const QList<QByteArray> names = {"From", "To", "Reply-To", "Subject", "Date", "Message-ID", "MIME-Version",
                                   "Content-Type", "Content-Transfer-Encoding"};
  QList<QByteArray> seen;
  for (const QByteArray& line : head.split('\n')) {
    if (line.startsWith(' ')) {  // a long subject folded
      FUZZ_CHECK(!seen.isEmpty() && seen.last() == "Subject");
      continue;
    }
    const QByteArray name = line.left(line.indexOf(": "));
    FUZZ_CHECK(names.contains(name) && !seen.contains(name));
    seen.append(name);
  }
  FUZZ_CHECK(seen.size() >= names.size() - 1);  // Reply-To only for a plain address
}
