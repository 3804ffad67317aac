#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include "question/question_mail.h"

using namespace lumora;
using platform::MailSession;
using platform::MailSettings;

namespace {

quint16 FreeLoopbackPort() { QTcpServer probe; probe.listen(QHostAddress::LocalHost, 0); return probe.serverPort(); }

// smtp_sink.py on a free loopback port, offering STARTTLS with a self-made certificate; stopped when this goes.
struct SmtpSink {
  explicit SmtpSink(bool refuse = false) {
    const QString cert = folder.filePath(QStringLiteral("c.pem")), key = folder.filePath(QStringLiteral("k.pem"));
    const QString req = QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 1 "
                                       "-subj /CN=localhost -keyout %1 -out %2").arg(key, cert);
    if (QProcess::execute(QStringLiteral("openssl"), req.split(u' ')) != 0) return;
    process.start(QStringLiteral("/usr/bin/python3"),
                  QStringLiteral(LUMORA_TEST_SUPPORT_DIR "/smtp_sink.py --port %1 --folder %2 --tls %3 %4%5")
                      .arg(QString::number(port), folder.path(), cert, key, QLatin1String(refuse ? " --refuse" : ""))
                      .split(u' '));
    QByteArray output;  // "ready" comes once it listens
    while (!output.contains("ready") && process.waitForReadyRead(10000)) output += process.readAllStandardOutput();
    ready = output.contains("ready");
  }
  ~SmtpSink() { Stop(); }
  void Stop() { process.kill(); process.waitForFinished(); }
  qsizetype Received() const { return QDir(folder.path()).entryList({QStringLiteral("*.eml")}).size(); }
  QByteArray File(const char* name) const {  // "refused", or a message's "1.eml", "1.subject" ...
    QFile file(folder.filePath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir folder;
  QProcess process;
  quint16 port = FreeLoopbackPort();
  bool ready = false;
};

MailSettings Loopback(quint16 port) {
  return {QStringLiteral("smtp://127.0.0.1:%1").arg(port), {}, {}, MailSettings().sender, 2000, 2000};  // no login
}

question::SendResult Send(MailSession& session, const QByteArray& question = "q", const question::Pump& pump = {},
                          const QString& subject = QStringLiteral("Printing fails")) {
  const question::QuestionForm form{{QStringLiteral("Ann Example"), QStringLiteral("ann@example.com"), subject,
                                     QString::fromUtf8(question), QStringLiteral("CPU: x86-64")}};
  return question::SendQuestion(session, form, QStringLiteral("3"), QStringLiteral("support.example"), pump);
}

struct Delivery : testing::Test {
  void SetUp() override { ASSERT_TRUE(sink.ready) << "aiosmtpd did not start"; }
  SmtpSink sink;
  MailSession session{Loopback(sink.port)};
};

}  // namespace

TEST_F(Delivery, QuestionReachesTheExpertMailboxWithIdSubjectAndBody) {
  int pumps = 0;
  const auto result = Send(session, "One\r\n.\r\n..two dots\r\n.last", [&] { ++pumps; });
  ASSERT_TRUE(result.sent) << result.error.toStdString();
  EXPECT_EQ(std::pair(pumps, session.SessionID()), std::pair(10, 0LL));  // signed off
  ASSERT_EQ(sink.Received(), 1);
  // No login to protect, but the question names its sender: encrypted, though the certificate is self-made.
  EXPECT_EQ(sink.File("1.tls"), "yes");
  EXPECT_EQ(sink.File("1.rcpt"), "lumora3@support.example\n");
  EXPECT_EQ(sink.File("1.subject"), "(Question ID=" + result.questionId.toUtf8() + ") Printing fails");
  // Lines starting with a dot arrive whole: the transport stuffs them.
  const QByteArray raw = sink.File("1.eml");
  EXPECT_TRUE(raw.endsWith("\r\n\r\nAnn Example\r\nann@example.com\r\n\r\n"
                           "One\r\n.\r\n..two dots\r\n.last\r\n\r\nCPU: x86-64\r\n"));
  EXPECT_TRUE(raw.contains("\r\nReply-To: ann@example.com\r\n")) << raw.toStdString();
  // A login goes only over a certificate the machine trusts, and its password is never shown.
  session.SetSettings({Loopback(sink.port).server, QStringLiteral("desk"), QStringLiteral("pw-never-shown"),
                       MailSettings().sender, 2000, 2000});
  const auto refused = Send(session);
  EXPECT_TRUE(!refused.sent && !refused.error.isEmpty() && !refused.error.contains(u"pw-never-shown"));
  EXPECT_EQ(sink.Received(), 1);
}

TEST_F(Delivery, LongOrNonAsciiSubjectAndBodyArriveEncodedInShortLines) {
  const QString subject = QString::fromUtf8("Drucken schl\u00e4gt fehl \u2013 \u65e5\u672c \U0001F600 ").repeated(3);
  const QByteArray line = QByteArray(1500, 'x') + " = end  ";
  const auto result = Send(session, "Gr\xc3\xbc\xc3\x9f" "e\r.\n..\r\n" + line, {}, subject);
  ASSERT_TRUE(result.sent) << result.error.toStdString();
  EXPECT_EQ(QString::fromUtf8(sink.File("1.subject")),
            QStringLiteral("(Question ID=%1) %2").arg(result.questionId, subject));
  const QByteArray body = "\r\nGr\xc3\xbc\xc3\x9f" "e\r\n.\r\n..\r\n" + line + "\r\n\r\nCPU";  // CR LF throughout
  EXPECT_TRUE(sink.File("1.body").contains(body));
  const QByteArray raw = sink.File("1.eml");
  EXPECT_TRUE(raw.contains("\r\nContent-Transfer-Encoding: quoted-printable\r\n"));
  for (const QByteArray& text : raw.chopped(1).split('\n'))  // every line within 998 bytes and ended by CR LF
    EXPECT_TRUE(text.endsWith('\r') && text.count('\r') == 1 && text.size() <= 999) << text.toStdString();
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
  sink.Stop();  // gone between sign-on and send
  EXPECT_FALSE(session.Send(false));
  EXPECT_TRUE(session.LastError().startsWith(QStringLiteral("The mail was not sent: ")));
  EXPECT_EQ(sink.Received(), 0);
  session.SetSettings({QStringLiteral("imap://mail.example"), {}, {}, {}, 2000, 2000});
  session.SignOff();
  EXPECT_FALSE(session.SignOn());
}

// A refusal, no server, or one that takes the connection and says nothing: the wait hook keeps
// running (the window keeps painting) until the server's answer or the time limit says "not sent".
TEST(SendQuestion, RefusalsAndMissingAnswersAreReportedAsNotSent) {
  const auto notSent = [](MailSession& session, const QString& why) {
    const auto result = Send(session);
    EXPECT_TRUE(!result.sent && result.error.startsWith(QStringLiteral("The mail was not sent: ")) &&
                result.error.contains(why)) << result.error.toStdString();
  };
  SmtpSink refusing(true);
  ASSERT_TRUE(refusing.ready);
  MailSession refused(Loopback(refusing.port));
  notSent(refused, QStringLiteral("550 5.1.1 Mailbox unavailable"));
  EXPECT_EQ(refusing.File("refused"), "lumora3@support.example\n");
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
