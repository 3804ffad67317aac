#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "question/question_mail.h"

using namespace lumora::question;
using lumora::platform::RegistryRoot;

TEST(QuestionMail, RecipientSubjectAndBodyJoinTheFields) {
  const QuestionForm form{{QStringLiteral("Ann"), QStringLiteral("ann@example.com"), QStringLiteral("Printing"),
                           QStringLiteral("Why?"), QStringLiteral("CPU: x86")}};
  EXPECT_EQ(QuestionRecipient(QStringLiteral("3"), QStringLiteral("support.example")),
            QStringLiteral("lumora3@support.example"));
  EXPECT_EQ(QuestionSubject(QStringLiteral("AB12CD34EF"), form), QStringLiteral("(Question ID=AB12CD34EF) Printing"));
  EXPECT_EQ(QuestionNoteText(form), QStringLiteral("Ann\r\nann@example.com\r\n\r\nWhy?\r\n\r\nCPU: x86"));
}

TEST(QuestionMail, EmptyFieldsLeaveTheBlankAndFiveLineBreaks) {
  QuestionForm form;
  EXPECT_EQ(QuestionSubject(QStringLiteral("AB12CD34EF"), form), QStringLiteral("(Question ID=AB12CD34EF) "));
  EXPECT_EQ(QuestionNoteText(form), QStringLiteral("\r\n\r\n\r\n\r\n\r\n"));
  form.fields[4] = QStringLiteral("CPU: x86");
  EXPECT_EQ(QuestionNoteText(form), QStringLiteral("\r\n\r\n\r\n\r\n\r\nCPU: x86"));
}

TEST(QuestionMail, RepliesGoOnlyToAPlainAddressAndALongSubjectIsEncoded) {
  lumora::platform::MailSettings settings;
  settings.sender = QStringLiteral("help@example.com");
  lumora::platform::MailSession session(settings);
  const auto compose = [&](const char* address, const QString& subject) {
    const QuestionForm form{{QStringLiteral("Ann"), QString::fromUtf8(address), subject, QStringLiteral("Why?")}};
    ComposeQuestion(session, form, QStringLiteral("3"), QStringLiteral("support.example"), QStringLiteral("AB12CD34EF"));
    const QByteArray message = session.MessageText();
    return message.first(message.indexOf("\r\n\r\n") + 2);  // the head; the body repeats the fields
  };
  const struct {
    const char* address;
    const char* replyTo;  // nullptr: no Reply-To
  } cases[] = {
      {"  ann@example.com \r\n", "ann@example.com"},
      {"ann smith@example.com", nullptr},
      {"ann@example.com\r\nBcc: v@example.com", nullptr},
      {"ann@b@example.com", nullptr},
      {"Ann <ann@example.com>", nullptr},
      {"j\xc3\xbcrgen@example.com", nullptr},
  };
  for (const auto& c : cases) {
    const QByteArray message = compose(c.address, QStringLiteral("s"));
    EXPECT_FALSE(message.contains("\nBcc:")) << c.address;
    if (c.replyTo)
      EXPECT_TRUE(message.contains(QByteArray("\r\nReply-To: ").append(c.replyTo).append("\r\n"))) << c.address;
    else
      EXPECT_FALSE(message.contains("Reply-To:")) << c.address;
  }
  // With its ID the subject fills one header line of 78 characters exactly; one more is encoded.
  const QByteArray subject = "\r\nSubject: (Question ID=AB12CD34EF) " + QByteArray(44, 's') + "\r\n";
  EXPECT_TRUE(compose("ann@example.com", QString(44, u's')).contains(subject));
  EXPECT_TRUE(compose("ann@example.com", QString(45, u's')).contains("\r\nSubject: =?UTF-8?B?"));
}

TEST(QuestionMail, AQuotedPrintableBodyKeepsItsPrintableCharacters) {
  lumora::platform::MailSession session;
  session.Compose();
  session.SetRecipAddress(QStringLiteral("lumora1@support.example"));
  session.SetMsgSubject(QStringLiteral("s"));
  session.SetMsgNoteText(QString::fromUtf8("!~ = caf\u00e9"));
  const QByteArray message = session.MessageText();
  EXPECT_TRUE(message.contains("Content-Transfer-Encoding: quoted-printable"));
  EXPECT_TRUE(message.endsWith("\r\n\r\n!~ =3D caf=C3=A9\r\n")) << message.toStdString();
}

TEST(QuestionMail, SettingsComeFromTheStoreWithDefaultsForMissingValues) {
  QTemporaryDir dir;
  const RegistryRoot root{dir.path() + QStringLiteral("/registry.conf")};
  const auto writeStore = [&](const QByteArray& values) {
    QFile file(root.storeFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[SOFTWARE\\Quillmark%20Software]\nExpertIndex=2\n" + values);
  };
  writeStore("MailUser=\n");
  const lumora::platform::MailSettings defaults = ReadQuestionMailSettings(root);
  EXPECT_EQ(defaults.server, QStringLiteral("smtp://localhost:25"));
  EXPECT_EQ(defaults.sender, QStringLiteral("lumora@localhost"));
  EXPECT_TRUE(defaults.user.isEmpty() && defaults.password.isEmpty());
  EXPECT_EQ(ReadSupportDomain(root), QStringLiteral("support.quillmark.example"));

  writeStore("MailServer=\" smtps://mail.example:465 \"\nMailUser=\" desk \"\nMailPassword=\" pw \"\n"
             "MailSender=\" help@example.com \"\nSupportDomain=answers.example\n");
  const lumora::platform::MailSettings stored = ReadQuestionMailSettings(root);
  EXPECT_EQ(stored.server, QStringLiteral("smtps://mail.example:465"));
  EXPECT_EQ(stored.user, QStringLiteral("desk"));
  EXPECT_EQ(stored.password, QStringLiteral(" pw "));
  EXPECT_EQ(stored.sender, QStringLiteral("help@example.com"));
  EXPECT_EQ(ReadSupportDomain(root), QStringLiteral("answers.example"));
}

// Support must be able to answer: an address to reply to and a question.
TEST(QuestionMail, FormWithoutAnswerableAddressOrQuestionNamesTheFields) {
  using P = FormProblem;
  const struct {
    const char* address;
    const char* question;
    std::vector<FormProblem> problems;
  } cases[] = {
      {"ann@example.com", "Why?", {}},
      {"  ann.o'neil+help@mail.example.co.uk \r\n", "\r\n Why?", {}},
      {"j\xc3\xbcrgen@b\xc3\xbc" "cher.example", "Why?", {}},
      {"", "Why?", {P::AddressMissing}},
      {" \t\r\n", "", {P::AddressMissing, P::QuestionMissing}},
      {"ann@example.com", " \r\n\t ", {P::QuestionMissing}},
      {"ann", "Why?", {P::AddressMalformed}},
      {"ann@localhost", "Why?", {P::AddressMalformed}},
      {"@example.com", "Why?", {P::AddressMalformed}},
      {"ann@example.", "Why?", {P::AddressMalformed}},
      {"ann@b@example.com", "Why?", {P::AddressMalformed}},
      {"ann smith@example.com", "Why?", {P::AddressMalformed}},
      {"ann@example.com\r\nBcc: x@example.com", "Why?", {P::AddressMalformed}},
      {"Ann <ann@example.com>", "", {P::AddressMalformed, P::QuestionMissing}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    QuestionForm form;
    form.fields[1] = QString::fromUtf8(c.address);
    form.fields[3] = QString::fromUtf8(c.question);
    EXPECT_EQ(CheckQuestionForm(form), c.problems);
  }
}
