#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <vector>

#include "platform/random.h"
#include "question/question_id.h"
#include "question/question_mail.h"

using namespace lumora::question;
using lumora::platform::MailSession;

// Nothing typed into the form can add a header: replies go only to a plain address.
TEST(QuestionMail, NoHeaderCarriesALineBreakTypedIntoTheForm) {
  lumora::platform::MailSettings settings;
  settings.sender = QStringLiteral("help@example.com");
  MailSession session(settings);
  const auto head = [&](const char* address, const QString& subject) {
    const QuestionForm form{{QStringLiteral("Ann"), QString::fromUtf8(address), subject, QStringLiteral("Why?")}};
    ComposeQuestion(session, form, QStringLiteral("3"), QStringLiteral("support.example"), QStringLiteral("AB12CD34EF"));
    const QByteArray message = session.MessageText();
    return message.first(message.indexOf("Date: "));  // the headers that carry what was typed
  };
  const std::pair<const char*, const char*> cases[] = {  // the address box, the Reply-To line
      {"  ann@example.com \r\n", "Reply-To: ann@example.com\r\n"}, {"ann@example.com\r\nBcc: v@example.com", ""},
      {"ann@b@example.com", ""}, {"Ann <ann@example.com>", ""}, {"j\xc3\xbcrgen@example.com", ""}};
  for (const auto& [address, replyTo] : cases)
    EXPECT_EQ(head(address, QStringLiteral("s")), "From: help@example.com\r\nTo: lumora3@support.example\r\n" +
                                                      QByteArray(replyTo) + "Subject: (Question ID=AB12CD34EF) s\r\n");
  EXPECT_TRUE(head("a@example.com", QStringLiteral("Hi\r\nBcc: v@ex.com\nX-Injected: 1\rEnd"))
                  .contains("\r\nSubject: (Question ID=AB12CD34EF) Hi Bcc: v@ex.com X-Injected: 1 End\r\n"));
  // With its ID the subject fills one header line of 78 characters exactly; one more is encoded.
  EXPECT_TRUE(head("a@example.com", QString(44, u's'))
                  .endsWith(QByteArray("\r\nSubject: (Question ID=AB12CD34EF) ").append(44, 's').append("\r\n")));
  EXPECT_TRUE(head("a@example.com", QString(45, u's')).contains("\r\nSubject: =?UTF-8?B?"));
  session.SetMsgNoteText(QString::fromUtf8("!~ = caf\u00e9"));  // a quoted-printable body keeps "!" to "~"
  EXPECT_TRUE(session.MessageText().endsWith("quoted-printable\r\n\r\n!~ =3D caf=C3=A9\r\n"));
}

TEST(QuestionMail, SettingsComeFromTheStoreWithDefaultsForMissingValues) {
  QTemporaryDir dir;
  const lumora::platform::RegistryRoot root{dir.path() + QStringLiteral("/registry.conf")};
  QFile file(root.storeFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
              file.write("[SOFTWARE\\Quillmark%20Software]\nSupportDomain=\" \"\nMailUser=\"\"\n") && file.flush());
  const auto read = [&] {
    const auto mail = ReadQuestionMailSettings(root);
    return std::tuple{ReadSupportDomain(root), mail.server, mail.password};
  };
  EXPECT_EQ(read(), std::tuple(kDefaultSupportDomain, lumora::platform::MailSettings().server, QString()));
  ASSERT_TRUE(file.write("MailServer=\" smtps://mail.example:465 \"\nMailPassword=\" pw \"\n"
                         "SupportDomain=answers.example\n") && file.flush());
  EXPECT_EQ(read(), std::tuple(QStringLiteral("answers.example"), QStringLiteral("smtps://mail.example:465"),
                               QStringLiteral(" pw ")));  // a password keeps its blanks
}

// Support must be able to answer: an address to reply to and a question.
TEST(QuestionMail, FormWithoutAnswerableAddressOrQuestionNamesTheFields) {
  using P = FormProblem;
  const struct { const char *address, *question; std::vector<FormProblem> problems; } cases[] = {
      {"  ann.o'neil+help@mail.example.co.uk \r\n", "\r\n Why?", {}}, {"a b@example.com", "?", {P::AddressMalformed}},
      {"", "Why?", {P::AddressMissing}}, {" \t\r\n", " \r\n\t ", {P::AddressMissing, P::QuestionMissing}},
      {"ann@localhost", "Why?", {P::AddressMalformed}}, {"@example.com", "Why?", {P::AddressMalformed}},
      {"ann@example.", "Why?", {P::AddressMalformed}}, {"ann@b@example.com", "Why?", {P::AddressMalformed}},
      {"ann;x@example.com", "", {P::AddressMalformed, P::QuestionMissing}}};
  for (const auto& c : cases) {
    const QuestionForm form{{QString(), QString::fromUtf8(c.address), QString(), QString::fromUtf8(c.question)}};
    EXPECT_EQ(CheckQuestionForm(form), c.problems) << c.address;
  }
}

TEST(QuestionId, TenCharactersFromTheWholeAlphabetWithoutZOrZero) {
  lumora::platform::Randomize(20240501);
  QString ids;
  for (int draw = 0; draw < 2000; ++draw) ids += MakeQuestionId();
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY123456789");
  EXPECT_EQ(std::pair(ids.size(), QSet<QChar>(ids.begin(), ids.end())),
            std::pair(qsizetype{20000}, QSet<QChar>(alphabet.begin(), alphabet.end())));
}
