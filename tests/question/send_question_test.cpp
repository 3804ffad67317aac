#include <gtest/gtest.h>

#include <QTcpServer>

#include "question/question_mail.h"
#include "support/smtp_sink.h"

using namespace lumora;
using platform::MailSession;
using platform::MailSettings;

namespace {

MailSettings Loopback(quint16 port) {
  MailSettings settings;
  settings.server = QStringLiteral("smtp://127.0.0.1:%1").arg(port);
  settings.connectTimeoutMs = settings.transferTimeoutMs = 2000;
  return settings;
}

question::SendResult Send(MailSession& session, const char* question = "q", const question::Pump& pump = {}) {
  const question::QuestionForm form{{QStringLiteral("Ann Example"), QStringLiteral("ann@example.com"),
                                     QStringLiteral("Printing fails"), QString::fromUtf8(question),
                                     QStringLiteral("CPU: x86-64")}};
  return question::SendQuestion(session, form, QStringLiteral("3"), QStringLiteral("support.example"), pump);
}

class Delivery : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sink.Ready()) << "aiosmtpd did not start"; }
  SmtpSink sink;
  MailSession session{Loopback(sink.Port())};
};

}  // namespace

TEST_F(Delivery, QuestionReachesTheExpertMailboxWithIdSubjectAndBody) {
  int pumps = 0;
  const auto result = Send(session, "One\r\n.\r\n..two dots\r\n.last", [&] { ++pumps; });
  ASSERT_TRUE(result.sent) << result.error.toStdString();
  EXPECT_EQ(pumps, 10);
  EXPECT_EQ(session.SessionID(), 0);  // signed off
  ASSERT_EQ(sink.Received(), 1);
  EXPECT_EQ(sink.File(1, "rcpt"), "lumora3@support.example\n");
  EXPECT_EQ(QString::fromUtf8(sink.File(1, "subject")),
            QStringLiteral("(Question ID=") + result.questionId + QStringLiteral(") Printing fails"));
  // Lines starting with a dot arrive whole: the transport stuffs them.
  const QByteArray raw = sink.File(1, "eml");
  EXPECT_TRUE(raw.endsWith("\r\n\r\nAnn Example\r\nann@example.com\r\n\r\n"
                           "One\r\n.\r\n..two dots\r\n.last\r\n\r\nCPU: x86-64\r\n"));
  EXPECT_TRUE(raw.contains("\r\nReply-To: ann@example.com\r\n")) << raw.toStdString();
}

TEST_F(Delivery, WhatIsNotShortPlainTextIsEncoded) {
  const QByteArray longLine = QByteArray(1500, 'x') + " = end  ";
  const struct {
    QString subject;
    QByteArray note, body;  // body: as the receiver decodes it
    bool quoted;
  } cases[] = {
      {QString::fromUtf8("Drucken schl\u00e4gt fehl \u2013 \u65e5\u672c \U0001F600 ").repeated(3),
       "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\n..\r\nEnde", "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\n..\r\nEnde\r\n", true},
      {QStringLiteral("plain"), "a\rb\nc\r\n\nd", "a\r\nb\r\nc\r\n\r\nd\r\n", false},
      {QString(120, u'y'), longLine, longLine + "\r\n", true},
      {QStringLiteral("=?UTF-8?B?SGk=?="), "", "", false},  // looks like an encoded word
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.subject.left(20).toStdString());
    ASSERT_TRUE(session.SignOn());
    session.Compose();
    session.SetRecipAddress(QStringLiteral("lumora4@support.example"));
    session.SetMsgSubject(c.subject);
    session.SetMsgNoteText(QString::fromUtf8(c.note));
    ASSERT_TRUE(session.Send(false)) << session.LastError().toStdString();
    const QByteArray raw = sink.File(++n, "eml");
    EXPECT_TRUE(raw.endsWith("\r\n"));
    for (const QByteArray& line : raw.chopped(1).split('\n'))  // every line within 998 bytes and ended by CR LF
      EXPECT_TRUE(line.endsWith('\r') && line.count('\r') == 1 && line.size() <= 999) << line.toStdString();
    EXPECT_EQ(QString::fromUtf8(sink.File(n, "subject")), c.subject);
    EXPECT_EQ(sink.File(n, "body"), c.body);
    EXPECT_EQ(raw.contains("\r\nContent-Transfer-Encoding: quoted-printable\r\n"), c.quoted);
    EXPECT_EQ(raw.contains("\r\nSubject: =?UTF-8?B?"), c.subject != QStringLiteral("plain"));
  }
}

TEST_F(Delivery, FailedSendsLeaveNothingInTheMailbox) {
  EXPECT_FALSE(session.Send(false));  // not signed on
  ASSERT_TRUE(session.SignOn());
  EXPECT_FALSE(session.Send(false));  // nothing composed
  session.Compose();
  session.SetRecipAddress(QStringLiteral("lumora1@support.example>\r\nRCPT TO:<other@example.com"));
  EXPECT_FALSE(session.Send(false));
  session.SetRecipAddress(QStringLiteral("lumora1@support.example"));
  EXPECT_FALSE(session.Send(true));  // no mail program window to show
  sink.Stop();                       // gone between sign-on and send
  EXPECT_FALSE(session.Send(false));
  EXPECT_TRUE(session.LastError().startsWith(QStringLiteral("The mail was not sent: ")));
  EXPECT_EQ(sink.Received(), 0);
  MailSettings imap;
  imap.server = QStringLiteral("imap://mail.example");
  session.SetSettings(imap);
  session.SignOff();
  EXPECT_FALSE(session.SignOn());
}

// Without a login the question goes encrypted whenever the server offers STARTTLS, even with a
// certificate of its own; a login goes only encrypted to a server the machine trusts.
TEST(SendQuestion, StartTlsWheneverOfferedAndNoLoginWithoutTrustedEncryption) {
  for (const bool offered : {false, true}) {
    SmtpSink sink(SmtpSink::Options{.startTls = offered});
    ASSERT_TRUE(sink.Ready());
    MailSession session(Loopback(sink.Port()));
    ASSERT_TRUE(Send(session).sent);
    EXPECT_EQ(sink.File(1, "tls"), offered ? "yes" : "no");
    MailSettings login = Loopback(sink.Port());
    login.user = QStringLiteral("desk");
    login.password = QStringLiteral("pw-never-shown");
    session.SetSettings(login);
    const auto refused = Send(session);
    EXPECT_FALSE(refused.sent || refused.error.isEmpty() || refused.error.contains(login.password)) << offered;
    EXPECT_EQ(sink.Received(), 1);
  }
}

// A refusal, no server, or one that takes the connection and says nothing: the wait hook keeps
// running (the window keeps painting) until the server's answer or the time limit says "not sent".
TEST(SendQuestion, RefusalsAndMissingAnswersAreReportedAsNotSent) {
  const auto notSent = [](MailSession& session, const QString& why) {
    const auto result = Send(session);
    EXPECT_TRUE(!result.sent && result.error.startsWith(QStringLiteral("The mail was not sent: ")) && result.error.contains(why))
        << result.error.toStdString();
  };
  SmtpSink refusing(true);
  ASSERT_TRUE(refusing.Ready());
  MailSession refused(Loopback(refusing.Port()));
  notSent(refused, QStringLiteral("550 5.1.1 Mailbox unavailable"));
  EXPECT_EQ(refusing.File(QStringLiteral("refused")), "lumora3@support.example\n");
  MailSession nobody(Loopback(FreeLoopbackPort()));
  notSent(nobody, QString());
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  MailSession session(Loopback(silent.serverPort()));
  int waits = 0;
  session.SetWaitHook([&] { return ++waits > 0; });
  notSent(session, QStringLiteral("timed out"));
  EXPECT_GT(waits, 10);
}
