#include <gtest/gtest.h>

#include "support/smtp_sink.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

#include "question/question_mail.h"

using namespace lumora;
using platform::MailSession;
using platform::MailSettings;
using question::QuestionForm;
using question::SendQuestion;

// Failure messages show Qt texts as text.
static std::ostream& operator<<(std::ostream& out, const QString& text) { return out << text.toStdString(); }
static std::ostream& operator<<(std::ostream& out, const QByteArray& bytes) { return out << bytes.toStdString(); }

namespace {

constexpr int kTimeLimitMs = 2000;
const QString kDomain = QStringLiteral("support.example");

MailSettings LoopbackSettings(quint16 port) {
  MailSettings settings;
  settings.server = QStringLiteral("smtp://127.0.0.1:%1").arg(port);
  settings.connectTimeoutMs = settings.transferTimeoutMs = kTimeLimitMs;
  return settings;
}

QByteArray HeadersOf(const QByteArray& raw) { return raw.left(raw.indexOf("\r\n\r\n") + 2); }
QByteArray BodyOf(const QByteArray& raw) { return raw.mid(raw.indexOf("\r\n\r\n") + 4); }

bool HasHeaderLine(const QByteArray& raw, const char* pattern) {
  return QRegularExpression(QStringLiteral("^") + QLatin1String(pattern) + QStringLiteral("\r$"),
                            QRegularExpression::MultilineOption)
      .match(QString::fromUtf8(HeadersOf(raw)))
      .hasMatch();
}

// Every line ends in CR LF and stays within 998 bytes.
void ExpectWellFormedLines(const QByteArray& raw) {
  const QList<QByteArray> lines = raw.split('\n');
  EXPECT_TRUE(lines.back().isEmpty());
  for (qsizetype i = 0; i + 1 < lines.size(); ++i)
    EXPECT_TRUE(lines[i].endsWith('\r') && lines[i].count('\r') == 1 && lines[i].size() <= 999) << lines[i];
}

QuestionForm Form(const char* subject, const char* question) {
  return {{QStringLiteral("Ann Example"), QStringLiteral("ann@example.com"), QString::fromUtf8(subject),
           QString::fromUtf8(question), QStringLiteral("CPU: x86-64")}};
}

QString IdSubject(const QString& id, const QString& rest) {
  return QStringLiteral("(Question ID=") + id + QStringLiteral(") ") + rest;
}

class Delivery : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sink.Ready()) << "aiosmtpd did not start"; }
  SmtpSink sink;
  MailSession session{LoopbackSettings(sink.Port())};
};

}  // namespace

TEST_F(Delivery, QuestionReachesTheExpertMailboxWithIdSubjectAndBody) {
  int pumps = 0;
  const auto result = SendQuestion(session, Form("Printing fails", "One\r\n.\r\n..two dots\r\n.last"),
                                   QStringLiteral("3"), kDomain, [&] { ++pumps; });
  ASSERT_TRUE(result.sent) << result.error;
  EXPECT_EQ(pumps, 10);
  EXPECT_EQ(session.SessionID(), 0);
  ASSERT_EQ(sink.Received(), 1);
  EXPECT_EQ(sink.File(1, "rcpt"), "lumora3@support.example\n");
  const QString subject = QString::fromUtf8(sink.File(1, "subject"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\(Question ID=[A-Y1-9]{10}\\) ")).match(subject).hasMatch());
  EXPECT_EQ(subject, IdSubject(result.questionId, QStringLiteral("Printing fails")));

  // Lines starting with a dot arrive whole: the transport stuffs them.
  const QByteArray raw = sink.File(1, "eml");
  EXPECT_EQ(BodyOf(raw), "Ann Example\r\nann@example.com\r\n\r\nOne\r\n.\r\n..two dots\r\n.last\r\n\r\nCPU: x86-64\r\n");
  ExpectWellFormedLines(raw);
  EXPECT_TRUE(HasHeaderLine(
      raw,
      "From: lumora@localhost\r\nTo: lumora3@support\\.example\r\nReply-To: ann@example\\.com\r\nSubject: .*\r\n"
      "Date: (\\w{3}, )?\\d{1,2} \\w{3} \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\r\nMessage-ID: <[^<>@\\s]+@localhost>\r\n"
      "MIME-Version: 1\\.0\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 7bit"))
      << raw;
}

TEST_F(Delivery, EmptyFormSentTwiceKeepsTheBlankAndLineBreaksWithNewIds) {
  const auto first = SendQuestion(session, QuestionForm{}, QStringLiteral("1"), kDomain);
  const auto second = SendQuestion(session, QuestionForm{}, QStringLiteral("1"), kDomain);
  ASSERT_TRUE(first.sent && second.sent) << first.error << second.error;
  EXPECT_NE(first.questionId, second.questionId);
  ASSERT_EQ(sink.Received(), 2);
  EXPECT_EQ(QString::fromUtf8(sink.File(1, "subject")), IdSubject(first.questionId, {}));
  EXPECT_EQ(QString::fromUtf8(sink.File(2, "subject")), IdSubject(second.questionId, {}));
  EXPECT_EQ(BodyOf(sink.File(1, "eml")), "\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(Delivery, LineBreaksInTheSubjectCannotAddHeaders) {
  // Short enough to go out as plain text, where a line break would do harm.
  const auto result = SendQuestion(session, Form("Hi\r\nBcc: v@ex.com\nX-Injected: 1\rEnd", "?"), QStringLiteral("2"), kDomain);
  ASSERT_TRUE(result.sent) << result.error;
  const QByteArray raw = sink.File(1, "eml");
  ExpectWellFormedLines(raw);
  EXPECT_FALSE(QRegularExpression(QStringLiteral("[\r\n](Bcc|X-Injected):")).match(QString::fromUtf8(raw)).hasMatch());
  const QString subject = IdSubject(result.questionId, QStringLiteral("Hi Bcc: v@ex.com X-Injected: 1 End"));
  EXPECT_TRUE(HeadersOf(raw).contains(QByteArray("\r\nSubject: " + subject.toLatin1() + "\r\n")));
  EXPECT_EQ(QString::fromUtf8(sink.File(1, "subject")), subject);
  EXPECT_EQ(sink.File(1, "rcpt"), "lumora2@support.example\n");
}

TEST_F(Delivery, WhatIsNotShortPlainTextIsEncoded) {
  struct Case {
    const char* name;
    QString subject;
    QByteArray note;
    QByteArray body;  // as the receiver decodes it
    bool quoted;
  };
  const QByteArray longLine = QByteArray(1500, 'x') + " = end  ";
  const Case cases[] = {
      {"non-ASCII", QString::fromUtf8("Drucken schl\u00e4gt fehl \u2013 \u65e5\u672c \U0001F600 ").repeated(3),
       "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\n..\r\nEnde", "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\n..\r\nEnde\r\n", true},
      {"lone line breaks", QStringLiteral("plain"), "a\rb\nc\r\n\nd", "a\r\nb\r\nc\r\n\r\nd\r\n", false},
      {"long line", QString(120, u'y'), longLine, longLine + "\r\n", true},
      {"encoded-word lookalike", QStringLiteral("=?UTF-8?B?SGk=?="), "", "", false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(session.SignOn()) << session.LastError();
    session.Compose();
    session.SetRecipAddress(QStringLiteral("lumora4@support.example"));
    session.SetMsgSubject(c.subject);
    session.SetMsgNoteText(QString::fromUtf8(c.note));
    ASSERT_TRUE(session.Send(false)) << session.LastError();
    session.SignOff();
    const QByteArray raw = sink.File(++n, "eml");
    ExpectWellFormedLines(raw);
    EXPECT_EQ(QString::fromUtf8(sink.File(n, "subject")), c.subject);
    EXPECT_EQ(sink.File(n, "body"), c.body);
    EXPECT_EQ(HasHeaderLine(raw, "Content-Transfer-Encoding: quoted-printable"), c.quoted);
    EXPECT_EQ(HasHeaderLine(raw, "Subject: =\\?UTF-8\\?B\\?[A-Za-z0-9+/=]+\\?="), c.subject != QStringLiteral("plain"));
  }
}

TEST(SendQuestion, RefusedRecipientReportsTheServersAnswerOnce) {
  SmtpSink refusing(true);
  ASSERT_TRUE(refusing.Ready());
  MailSession session(LoopbackSettings(refusing.Port()));
  const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
  EXPECT_FALSE(result.sent);
  EXPECT_TRUE(result.error.contains(QStringLiteral("550 5.1.1 Mailbox unavailable"))) << result.error;
  EXPECT_EQ(refusing.Received(), 0);
  EXPECT_EQ(refusing.File(QStringLiteral("refused")), "lumora1@support.example\n");
}

TEST_F(Delivery, EachQuestionTakesOneConnection) {
  for (int i = 1; i <= 2; ++i) {
    const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
    ASSERT_TRUE(result.sent) << result.error;
    EXPECT_EQ(sink.Connections(), i);
  }
}

// Without a login the question still names its sender: it goes encrypted
// whenever the server offers STARTTLS, even with a certificate of its own.
TEST(SendQuestion, StartTlsIsUsedWheneverOffered) {
  for (const bool offered : {false, true}) {
    SCOPED_TRACE(offered);
    SmtpSink sink(SmtpSink::Options{.startTls = offered});
    ASSERT_TRUE(sink.Ready());
    MailSession session(LoopbackSettings(sink.Port()));
    const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
    ASSERT_TRUE(result.sent) << result.error;
    EXPECT_EQ(sink.File(1, "tls"), offered ? "yes" : "no");
  }
}

// A login goes only over an encrypted connection to a server the machine
// trusts; otherwise nothing is sent and the password is never shown.
TEST(SendQuestion, LoginWithoutTrustedEncryptionSendsNothing) {
  for (const bool offered : {false, true}) {
    SCOPED_TRACE(offered);
    SmtpSink sink(SmtpSink::Options{.startTls = offered});
    ASSERT_TRUE(sink.Ready());
    MailSettings login = LoopbackSettings(sink.Port());
    login.user = QStringLiteral("desk");
    login.password = QStringLiteral("pw-never-shown");
    MailSession session(login);
    const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.error.isEmpty() || result.error.contains(login.password)) << result.error;
    EXPECT_EQ(sink.Received(), 0);
  }
}

TEST_F(Delivery, FailedSendsLeaveNothingInTheMailbox) {
  ASSERT_TRUE(session.SignOn()) << session.LastError();
  session.Compose();
  session.SetRecipAddress(QStringLiteral("lumora1@support.example>\r\nRCPT TO:<other@example.com"));
  EXPECT_FALSE(session.Send(false));
  session.SetRecipAddress(QStringLiteral("lumora1@support.example"));
  EXPECT_FALSE(session.Send(true));
  sink.Stop();  // gone between sign-on and send
  EXPECT_FALSE(session.Send(false));
  EXPECT_TRUE(session.LastError().startsWith(QStringLiteral("The mail was not sent: "))) << session.LastError();
  EXPECT_EQ(sink.Received(), 0);
}

TEST(SendQuestion, NoServerIsReportedAsNotSent) {
  MailSession session(LoopbackSettings(FreeLoopbackPort()));
  const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
  EXPECT_FALSE(result.sent);
  EXPECT_TRUE(result.error.startsWith(QStringLiteral("The mail was not sent: "))) << result.error;
}

// A server that takes the connection and says nothing: the wait hook keeps
// running (the window keeps painting) until the time limit says "not sent".
TEST(SendQuestion, SilentServerKeepsTheWaitHookRunningUntilTheLimit) {
  QTcpServer silent;  // the kernel completes the connection; nothing ever answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  MailSession session(LoopbackSettings(silent.serverPort()));
  int waits = 0;
  session.SetWaitHook([&] { return ++waits > 0; });
  const auto result = SendQuestion(session, Form("s", "q"), QStringLiteral("1"), kDomain);
  EXPECT_FALSE(result.sent);
  EXPECT_TRUE(result.error.contains(QStringLiteral("timed out"))) << result.error;
  EXPECT_GT(waits, 10);
}
